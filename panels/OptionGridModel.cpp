#include "panels/OptionGridModel.h"

#include "panels/LeveledEntries.h"
#include "model/ListContent.h"

#include <algorithm>

void OptionGridModel::Load(const QString &items, const QString &value)
{
    m_options.clear();
    for (const QString &entry : ListValue::SplitEntries(items))
        m_options.push_back(ListValue::SplitParts(entry));
    m_value = value;
}

bool OptionGridModel::Enabled(int i) const
{
    bool on = true;
    const QString text = m_options[size_t(i)].value(EnabledPart);
    if (!text.trimmed().isEmpty())
        ListValue::ParseFlag(text, &on);
    return on;
}

void OptionGridModel::SetEnabled(int i, bool on)
{
    if (Enabled(i) != on)
        SetPart(i, EnabledPart, on ? QStringLiteral("1") : QStringLiteral("0"));
}

int OptionGridModel::DefaultOption() const
{
    int n = 0;
    if (!ListValue::ParseInt(m_value, 1, Count(), &n))
        return -1;
    return n - 1;
}

void OptionGridModel::SetDefaultOption(int i)
{
    if (i == DefaultOption())
        return;
    m_value = i < 0 ? QString() : QString::number(i + 1);
}

void OptionGridModel::SetPart(int i, int part, const QString &text)
{
    const QString clean = LeveledEntries::WithoutMarks(text);
    QStringList &parts = m_options[size_t(i)];
    if (parts.value(part) == clean)
        return;
    while (parts.size() <= part)
        parts.append(QString());
    parts[part] = clean;
}


int OptionGridModel::Insert(int before)
{
    before = std::clamp(before, 0, Count());
    const int selected = DefaultOption();
    m_options.insert(m_options.begin() + before, {QStringLiteral("Option") + QString::number(before + 1)});
    // The default keeps pointing at the same option.
    if (selected >= before)
        m_value = QString::number(selected + 2);
    return before;
}

void OptionGridModel::Delete(int i)
{
    const int selected = DefaultOption();
    m_options.erase(m_options.begin() + i);
    if (selected == i)
        m_value.clear();
    else if (selected > i)
        m_value = QString::number(selected);
}

QString OptionGridModel::StoreItems() const
{
    QStringList entries;
    entries.reserve(qsizetype(m_options.size()));
    for (const QStringList &parts : m_options)
        entries << ListValue::JoinParts(parts);
    return ListValue::JoinEntries(entries);
}
