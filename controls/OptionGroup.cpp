#include "controls/OptionGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

OptionGroup::OptionGroup(QWidget *parent) : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(0);
    layout->addStretch(1);
    m_group->setExclusive(true);
}

void OptionGroup::SetRows(const QStringList &rows)
{
    for (QRadioButton *button : m_buttons)
        delete button;
    m_buttons.clear();
    auto *box = static_cast<QVBoxLayout *>(layout());
    for (const QString &row : rows) {
        auto *button = new QRadioButton(row.section(QLatin1Char('\t'), 0, 0), this);
        button->setFocusPolicy(focusPolicy());
        m_group->addButton(button);
        box->insertWidget(box->count() - 1, button);
        m_buttons.append(button);
    }
    SetValue(m_value);
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
