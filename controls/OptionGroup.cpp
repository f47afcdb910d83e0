#include "controls/OptionGroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>

#include <algorithm>
#include <numeric>

namespace {
// Between the box's inside and its buttons.
constexpr QMargins ButtonMargins(4, 2, 4, 2);
} // namespace

OptionGroup::OptionGroup(QWidget *parent) : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
}

void OptionGroup::SetRows(const QStringList &rows)
{
    for (QRadioButton *button : m_buttons)
        delete button;
    m_buttons.clear();
    for (const QString &row : rows) {
        auto *button = new QRadioButton(row.section(QLatin1Char('\t'), 0, 0), this);
        button->setFocusPolicy(focusPolicy());
        m_group->addButton(button);
        m_buttons.append(button);
        // A hidden box shows its buttons with it; a shown one shows a new button now.
        if (isVisible())
            button->show();
    }
    if (isVisible())
        PlaceButtons();
    SetValue(m_value);
}

void OptionGroup::PlaceButtons()
{
    const QRect inside = contentsRect().marginsRemoved(ButtonMargins);
    std::vector<int> heights;
    heights.reserve(size_t(m_buttons.size()));
    for (const QRadioButton *button : m_buttons)
        heights.push_back(button->sizeHint().height());
    Squeeze(heights, inside.height());
    int top = inside.top();
    for (qsizetype i = 0; i < m_buttons.size(); ++i) {
        m_buttons.at(i)->setGeometry(inside.left(), top, inside.width(), heights[size_t(i)]);
        top += heights[size_t(i)];
    }
}

void OptionGroup::Squeeze(std::vector<int> &heights, int room)
{
    const int count = int(heights.size());
    if (std::accumulate(heights.begin(), heights.end(), 0) <= room)
        return;
    if (room <= 0) {
        std::fill(heights.begin(), heights.end(), 0);
        return;
    }
    // The tallest give way first: find the common height `most` they are cut down to, the
    // buttons lower than it keeping theirs. The pixels that do not share out evenly come off
    // the later buttons.
    std::vector<int> sorted(heights);
    std::sort(sorted.begin(), sorted.end());
    int below = 0, used = 0, current = 0, lower = 0;
    while (lower < count && used < room) {
        current = sorted[size_t(lower)];
        used = below + current * (count - lower);
        below += current;
        ++lower;
    }
    const int cut = count - (lower - 1), deficit = used - room;
    const int most = current - deficit / cut;
    int rest = 0;
    for (int &height : heights) {
        rest += deficit % cut;
        const bool onePixelLess = rest >= cut;
        rest -= onePixelLess ? cut : 0;
        height = std::min(height, most - (onePixelLess ? 1 : 0));
    }
}

bool OptionGroup::event(QEvent *event)
{
    const bool handled = QGroupBox::event(event);
    switch (event->type()) {
    // A box that shows gets its pending resize before it and its buttons are visible: placed
    // then, they are drawn once, where they belong. (Placed after, every move would add to
    // what the window must draw again.) A box shown without one places them as it shows.
    case QEvent::Resize:
    case QEvent::Show:
        PlaceButtons();
        break;
    // A title changes where the inside begins; a font, the title's and every button's height.
    // A hidden box waits for its show: a button's height takes shaping its caption, and a
    // box gets its rows, size and font before its window shows.
    case QEvent::ContentsRectChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        if (isVisible())
            PlaceButtons();
        break;
    default:
        break;
    }
    return handled;
}

QStringList OptionGroup::Captions() const
{
    QStringList captions;
    for (const QRadioButton *button : m_buttons)
        captions << button->text();
    return captions;
}

void OptionGroup::SetValue(const QString &value)
{
    m_value = value;
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber);
    int on = 0;
    if (isNumber && number >= 1 && number <= m_buttons.size())
        on = number;
    else
        for (int i = 0; i < m_buttons.size() && !value.isEmpty(); ++i)
            if (m_buttons.at(i)->text() == value)
                on = i + 1;
    // An exclusive group cannot turn its last button off directly.
    m_group->setExclusive(false);
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->setChecked(i + 1 == on);
    m_group->setExclusive(true);
}

int OptionGroup::Selected() const
{
    for (int i = 0; i < m_buttons.size(); ++i)
        if (m_buttons.at(i)->isChecked())
            return i + 1;
    return 0;
}
