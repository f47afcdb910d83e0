#pragma once

#include <QString>
#include <QStringList>

// The most-recently-used list of document display names, newest first. Entries are
// compared without regard to case, so a name never appears twice.
class clsRecentList
{
public:
    static constexpr int MaxSize = 25;
    static constexpr int DefaultSize = 4;

    int ListSize() const { return m_size; }
    // 0 to MaxSize, else error 380. A smaller size drops the oldest entries.
    void SetListSize(int size);
    int ListCount() const { return int(m_items.size()); }
    // 1 (newest) to ListCount, else error 381.
    QString ListItem(int index) const;
    void SetListItem(int index, const QString &text);

    // Puts the entry first; an entry already present moves up instead of being repeated,
    // and a new entry on a full list pushes the oldest out.
    void AddItem(const QString &text);
    void RemoveItem(const QString &text);
    void Clear() { m_items.clear(); }

    const QStringList &Items() const { return m_items; }

private:
    qsizetype Find(const QString &text) const;

    int m_size = DefaultSize;
    QStringList m_items;
};
