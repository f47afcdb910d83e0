#include "controls/ucFakeMenu.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int GapWidth = 6;
} // namespace

ucFakeMenu::ucFakeMenu(QWidget *parent) : QFrame(parent), m_measure(new QLabel(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    // Captions are measured with a hidden label in the band's font.
    m_measure->hide();
    resize(width(), BandHeight());
}

void ucFakeMenu::Clear()
{
    for (Entry &entry : m_buttons)
        delete entry.Widget;
    m_buttons.clear();
}

QPushButton *ucFakeMenu::NewButton(const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setFocusPolicy(focusPolicy());
    button->setFlat(false);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, button] {
        for (int i = 0; i < m_buttons.size(); ++i)
            if (m_buttons.at(i).Widget == button)
                Q_EMIT ButtonClick(i + 1);
    });
    return button;
}

int ucFakeMenu::AddButton(const QString &caption, const QString &id)
{
    Entry entry;
    entry.Widget = NewButton(caption);
    entry.ID = id;
    const int index = int(m_buttons.size()) + 1;
    m_buttons.append(entry);
    entry.Widget->setVisible(true);
    LayoutButtons();
    return index;
}

void ucFakeMenu::SetButtons(const QList<BandButton> &buttons)
{
    Clear();
    m_buttons.reserve(buttons.size());
    for (const BandButton &given : buttons) {
        Entry entry;
        entry.Widget = NewButton(given.Caption);
        entry.Widget->setEnabled(given.Enabled);
        if (!given.ToolTip.isEmpty())
            entry.Widget->setToolTip(given.ToolTip);
        if (!given.Icon.isNull())
            entry.Widget->setIcon(given.Icon);
        entry.ID = given.ID;
        entry.Visible = given.Visible;
        entry.Gap = given.Gap;
        entry.Rule = qMax(SpringWidth, given.Rule);
        m_buttons.append(entry);
    }
    LayoutButtons();
}

const ucFakeMenu::Entry *ucFakeMenu::At(int index) const
{
    return index >= 1 && index <= m_buttons.size() ? &m_buttons.at(index - 1) : nullptr;
}

ucFakeMenu::Entry *ucFakeMenu::At(int index)
{
    return index >= 1 && index <= m_buttons.size() ? &m_buttons[index - 1] : nullptr;
}

QPushButton *ucFakeMenu::Button(int index) const
{
    const Entry *entry = At(index);
    return entry ? entry->Widget : nullptr;
}

QString ucFakeMenu::ButtonCaption(int index) const
{
    const Entry *entry = At(index);
    return entry ? entry->Widget->text() : QString();
}

void ucFakeMenu::SetButtonCaption(int index, const QString &caption)
{
    if (Entry *entry = At(index)) {
        entry->Widget->setText(caption);
        LayoutButtons();
    }
}

bool ucFakeMenu::ButtonEnabled(int index) const
{
    const Entry *entry = At(index);
    return entry && entry->Widget->isEnabled();
}

void ucFakeMenu::SetButtonEnabled(int index, bool on)
{
    if (Entry *entry = At(index))
        entry->Widget->setEnabled(on);
}

bool ucFakeMenu::ButtonVisible(int index) const
{
    const Entry *entry = At(index);
    return entry && entry->Visible;
}

void ucFakeMenu::SetButtonVisible(int index, bool on)
{
    if (Entry *entry = At(index)) {
        entry->Visible = on;
        LayoutButtons();
    }
}

QString ucFakeMenu::ButtonID(int index) const
{
    const Entry *entry = At(index);
    return entry ? entry->ID : QString();
}

void ucFakeMenu::SetButtonID(int index, const QString &id)
{
    if (Entry *entry = At(index))
        entry->ID = id;
}

void ucFakeMenu::SetButtonWidth(int index, int rule)
{
    if (Entry *entry = At(index)) {
        entry->Rule = qMax(SpringWidth, rule);
        LayoutButtons();
    }
}

void ucFakeMenu::SetButtonIcon(int index, const QIcon &icon)
{
    if (Entry *entry = At(index)) {
        entry->Widget->setIcon(icon);
        LayoutButtons();
    }
}

void ucFakeMenu::SetButtonGap(int index, bool on)
{
    if (Entry *entry = At(index)) {
        entry->Gap = on;
        LayoutButtons();
    }
}

void ucFakeMenu::SetTop(int top)
{
    const int bandWidth = parentWidget() ? parentWidget()->width() : width();
    setGeometry(0, top, bandWidth, BandHeight());
}

int ucFakeMenu::BandHeight() const
{
    const double scale = qMax(1.0, logicalDpiY() / 96.0);
    return fontMetrics().height() + int(10 * scale);
}

int ucFakeMenu::CaptionWidth(const QPushButton *button) const
{
    m_measure->setFont(font());
    m_measure->setText(button->text());
    const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    return (button->text().isEmpty() ? 0 : m_measure->sizeHint().width()) + icon + 16;
}

void ucFakeMenu::LayoutButtons()
{
    const QRect inner = contentsRect();
    int fixed = 0;
    int springs = 0;
    QList<int> widths;
    widths.reserve(m_buttons.size());
    for (const Entry &entry : m_buttons) {
        int w = 0;
        if (entry.Visible) {
            if (entry.Gap)
                fixed += GapWidth;
            if (entry.Rule == SpringWidth)
                ++springs;
            else
                w = entry.Rule == AutoWidth ? CaptionWidth(entry.Widget) : entry.Rule;
        }
        fixed += w;
        widths.append(w);
    }
    // Springs share what the fixed buttons leave, at least their caption each.
    const int spare = qMax(0, inner.width() - fixed);
    int x = inner.left();
    int springsLeft = springs;
    int spareLeft = spare;
    for (int i = 0; i < m_buttons.size(); ++i) {
        const Entry &entry = m_buttons.at(i);
        if (!entry.Visible) {
            entry.Widget->hide();
            continue;
        }
        int w = widths.at(i);
        if (entry.Rule == SpringWidth) {
            const int share = spareLeft / springsLeft--;
            spareLeft -= share;
            w = qMax(share, CaptionWidth(entry.Widget));
        }
        if (entry.Gap)
            x += GapWidth;
        entry.Widget->setGeometry(x, inner.top(), w, inner.height());
        entry.Widget->show();
        x += w;
    }
}

void ucFakeMenu::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    LayoutButtons();
}

bool ucFakeMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick)
        for (int i = 0; i < m_buttons.size(); ++i)
            if (m_buttons.at(i).Widget == watched)
                Q_EMIT ButtonDblClk(i + 1);
    return QFrame::eventFilter(watched, event);
}
