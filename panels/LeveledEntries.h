#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// The entries of a menu or a tree as the content editors hold them: one entry per item in
// pre-order, each with its stored parts kept as they were read (so an untouched entry is
// written back byte for byte) and its level as a number. The first stored part is the ID,
// the second the level.
//
// Parents, children and subtrees follow from the levels: an entry's children are the entries
// after it, one level deeper, up to the next entry at its level or above. Every edit keeps
// that structure (a subtree moves and is removed as a whole).
class LeveledEntries
{
public:
    static constexpr int IdPart = 0;
    static constexpr int LevelPart = 1;

    struct Entry {
        QStringList Parts;
        int Level = 1;
    };

    int Count() const { return int(m_entries.size()); }
    const Entry &At(int i) const { return m_entries[size_t(i)]; }
    QString Part(int i, int part) const { return m_entries[size_t(i)].Parts.value(part); }
    // Writes a part, dropping any mark from the text (a mark would split the stored entry).
    // Returns false when the part already held that text: nothing changes then.
    bool SetPart(int i, int part, const QString &text);
    int Level(int i) const { return m_entries[size_t(i)].Level; }
    // Sets the level number and its stored text.
    void SetLevel(int i, int level);

    // The entry whose child i is; -1 for a top-level entry.
    int Parent(int i) const;
    // One past the last entry of i's subtree.
    int SubtreeEnd(int i) const;
    // The children of parent in order; parent -1 gives the top-level entries.
    std::vector<int> Children(int parent) const;
    // The sibling before / after i (-1 when none).
    int PreviousSibling(int i) const;
    int NextSibling(int i) const;

    // Inserts an entry at position `at` (0..Count()); returns at.
    int Insert(int at, int level, QStringList parts);
    // Removes i with its subtree; returns the number of entries removed.
    int RemoveSubtree(int i);
    // Swaps i's subtree with the subtree of its previous / next sibling; returns i's new
    // position, or -1 when there is no such sibling.
    int MoveUp(int i);
    int MoveDown(int i);

    // The stored list value: entries joined by value marks, parts by subvalue marks.
    QString Join() const;
    void Clear() { m_entries.clear(); }
    void Append(Entry entry) { m_entries.push_back(std::move(entry)); }

    // Text safe for one part: every mark removed.
    static QString WithoutMarks(const QString &text);

private:
    std::vector<Entry> m_entries;
};

// Hands out replacement IDs for duplicates: the ID followed by "_" and the smallest number
// from 2 up that no ID of the scope uses (compared without regard to case). Every ID of the
// scope is registered first, so a replacement never collides with an entry still to come.
// Linear in the number of IDs, however many share one.
class UniqueIdMaker
{
public:
    void Reserve(const QString &id) { m_used.insert(id.toUpper()); }
    bool Contains(const QString &id) const { return m_used.contains(id.toUpper()); }
    QString Make(const QString &id);

private:
    QSet<QString> m_used;
    QHash<QString, int> m_nextSuffix; // per upper-cased base ID
};
