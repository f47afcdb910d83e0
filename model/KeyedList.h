#pragma once

#include <QHash>
#include <QString>
#include <list>
#include <utility>

// An ordered collection keyed by string: look-up, removal, re-keying in place and moving an
// entry before or after another are O(1); the order is the order of insertion unless moved.
// The registry of design items and every item's children use it, so deleting a form with
// thousands of controls stays linear.
template <typename V>
class KeyedList
{
public:
    struct Entry
    {
        QString Key;
        V Value;
    };
    using Iterator = typename std::list<Entry>::iterator;
    using ConstIterator = typename std::list<Entry>::const_iterator;

    int Count() const { return int(m_index.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    bool Contains(const QString &key) const { return m_index.contains(key); }

    V *Find(const QString &key)
    {
        auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : &it.value()->Value;
    }
    const V *Find(const QString &key) const
    {
        auto it = m_index.constFind(key);
        return it == m_index.cend() ? nullptr : &it.value()->Value;
    }

    // False (and nothing added) when the key is taken.
    bool Add(const QString &key, V value) { return Insert(m_entries.end(), key, std::move(value)); }

    // Removes the entry and hands its value back; a default value when absent.
    V Take(const QString &key)
    {
        // One look-up, and not erase(iterator): that walks on to the next entry, over every
        // empty bucket of a table that deleting a large form leaves sparse. An absent key
        // leaves the count as it was.
        const qsizetype count = m_index.size();
        Iterator pos = m_index.take(key);
        if (m_index.size() == count)
            return V{};
        V value = std::move(pos->Value);
        m_entries.erase(pos);
        return value;
    }

    // Gives the entry a new key at the same position. False when the old key is absent or
    // the new one belongs to another entry.
    bool ReKey(const QString &oldKey, const QString &newKey)
    {
        if (oldKey == newKey)
            return m_index.contains(oldKey);
        if (!m_index.contains(oldKey) || m_index.contains(newKey))
            return false;
        Iterator pos = m_index.take(oldKey);
        pos->Key = newKey;
        m_index.insert(newKey, pos);
        return true;
    }

    // Moves the entry immediately before or after the target entry.
    bool MoveNextTo(const QString &key, const QString &target, bool after)
    {
        auto it = m_index.find(key);
        auto tt = m_index.find(target);
        if (it == m_index.end() || tt == m_index.end() || key == target)
            return false;
        Iterator where = tt.value();
        if (after)
            ++where;
        m_entries.splice(where, m_entries, it.value());
        return true;
    }

    // The 0-based position; -1 when absent. Linear.
    int IndexOf(const QString &key) const
    {
        int i = 0;
        for (const Entry &e : m_entries) {
            if (e.Key == key)
                return i;
            ++i;
        }
        return -1;
    }

    // Room for `count` entries in all, so that adding up to that many rehashes nothing.
    void Reserve(int count) { m_index.reserve(count); }

    // Empties the list from the back, handing each value to `each` as its entry is freed, so
    // that a caller deleting what the values point to frees each entry beside it.
    template <typename F>
    void DrainFromBack(F each)
    {
        m_index.clear();
        while (!m_entries.empty()) {
            V value = std::move(m_entries.back().Value);
            m_entries.pop_back();
            each(std::move(value));
        }
    }

    void Clear()
    {
        m_index.clear();
        m_entries.clear();
    }

    Iterator begin() { return m_entries.begin(); }
    Iterator end() { return m_entries.end(); }
    ConstIterator begin() const { return m_entries.begin(); }
    ConstIterator end() const { return m_entries.end(); }
    const Entry &First() const { return m_entries.front(); }

private:
    bool Insert(Iterator where, const QString &key, V value)
    {
        // One look-up: a taken key keeps its entry, a new one gets its slot.
        const qsizetype count = m_index.size();
        Iterator &slot = m_index[key];
        if (m_index.size() == count)
            return false;
        slot = m_entries.insert(where, Entry{key, std::move(value)});
        return true;
    }

    std::list<Entry> m_entries;
    QHash<QString, Iterator> m_index;
};
