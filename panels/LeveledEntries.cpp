#include "panels/LeveledEntries.h"

#include "support/Marks.h"

#include <algorithm>

QString LeveledEntries::WithoutMarks(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (!Marks::IsMark(c))
            result.append(c);
    }
    return result;
}

bool LeveledEntries::SetPart(int i, int part, const QString &text)
{
    const QString clean = WithoutMarks(text);
    QStringList &parts = m_entries[size_t(i)].Parts;
    if (parts.value(part) == clean && (part < parts.size() || clean.isEmpty()))
        return false;
    while (parts.size() <= part)
        parts.append(QString());
    parts[part] = clean;
    return true;
}

void LeveledEntries::SetLevel(int i, int level)
{
    Entry &entry = m_entries[size_t(i)];
    entry.Level = level;
    while (entry.Parts.size() <= LevelPart)
        entry.Parts.append(QString());
    entry.Parts[LevelPart] = QString::number(level);
}

int LeveledEntries::Parent(int i) const
{
    const int level = Level(i);
    for (int j = i - 1; j >= 0; --j) {
        if (Level(j) < level)
            return j;
    }
    return -1;
}

int LeveledEntries::SubtreeEnd(int i) const
{
    const int level = Level(i);
    int j = i + 1;
    while (j < Count() && Level(j) > level)
        ++j;
    return j;
}

std::vector<int> LeveledEntries::Children(int parent) const
{
    std::vector<int> result;
    const int level = parent < 0 ? 1 : Level(parent) + 1;
    int j = parent + 1;
    const int end = parent < 0 ? Count() : SubtreeEnd(parent);
    while (j < end) {
        if (Level(j) == level)
            result.push_back(j);
        j = SubtreeEnd(j);
    }
    return result;
}

int LeveledEntries::PreviousSibling(int i) const
{
    const int level = Level(i);
    for (int j = i - 1; j >= 0; --j) {
        if (Level(j) == level)
            return j;
        if (Level(j) < level)
            return -1;
    }
    return -1;
}

int LeveledEntries::NextSibling(int i) const
{
    const int j = SubtreeEnd(i);
    return j < Count() && Level(j) == Level(i) ? j : -1;
}

int LeveledEntries::Insert(int at, int level, QStringList parts)
{
    at = std::clamp(at, 0, Count());
    Entry entry{std::move(parts), level};
    while (entry.Parts.size() <= LevelPart)
        entry.Parts.append(QString());
    entry.Parts[LevelPart] = QString::number(level);
    m_entries.insert(m_entries.begin() + at, std::move(entry));
    return at;
}

int LeveledEntries::RemoveSubtree(int i)
{
    const int end = SubtreeEnd(i);
    m_entries.erase(m_entries.begin() + i, m_entries.begin() + end);
    return end - i;
}

int LeveledEntries::MoveUp(int i)
{
    const int previous = PreviousSibling(i);
    if (previous < 0)
        return -1;
    // [previous, i) and [i, end) trade places.
    std::rotate(m_entries.begin() + previous, m_entries.begin() + i,
                m_entries.begin() + SubtreeEnd(i));
    return previous;
}

int LeveledEntries::MoveDown(int i)
{
    const int next = NextSibling(i);
    if (next < 0)
        return -1;
    const int nextEnd = SubtreeEnd(next);
    std::rotate(m_entries.begin() + i, m_entries.begin() + next, m_entries.begin() + nextEnd);
    return i + (nextEnd - next);
}

QString LeveledEntries::Join() const
{
    qsizetype size = 0;
    for (const Entry &entry : m_entries) {
        for (const QString &part : entry.Parts)
            size += part.size() + 1;
    }
    QString text;
    text.reserve(size);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (i > 0)
            text.append(QChar(Marks::Value));
        const QStringList &parts = m_entries[i].Parts;
        for (qsizetype p = 0; p < parts.size(); ++p) {
            if (p > 0)
                text.append(QChar(Marks::SubValue));
            text.append(parts[p]);
        }
    }
    return text;
}

QString UniqueIdMaker::Make(const QString &id)
{
    const QString base = id.toUpper();
    int &n = m_nextSuffix[base];
    if (n < 2)
        n = 2;
    QString candidate;
    do {
        candidate = id + QLatin1Char('_') + QString::number(n++);
    } while (m_used.contains(candidate.toUpper()));
    m_used.insert(candidate.toUpper());
    return candidate;
}
