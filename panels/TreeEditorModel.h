#pragma once

#include "panels/LeveledEntries.h"

#include <QString>
#include <QStringList>

// The headless model of the tree node editor: the tree's Items as nodes in pre-order with
// their stored parts (ID, level, caption, icon, state, hint), the repairs made when stored
// nodes are loaded, the sibling-unique ID check with its messages, and the stored value.
// A node's key is its ID path joined by "\"; it is shown as "caption (ID)".
class TreeEditorModel
{
public:
    enum PartIndex { IdPart = 0, LevelPart, CaptionPart, IconPart, StatePart, HintPart };
    static constexpr int StateExpanded = 1;
    static constexpr int StateSelected = 2;

    // Loads a stored Items value, repairing it; returns the repair messages in order.
    QStringList Load(const QString &items);
    QString Store() const { return m_entries.Join(); }
    // Empty when every node can be stored, else the message for the first that cannot.
    QString Validate(int *index = nullptr) const;

    const LeveledEntries &Entries() const { return m_entries; }
    int Count() const { return m_entries.Count(); }
    QString Key(int i) const;
    QString Label(int i) const;

    QString Id(int i) const { return m_entries.Part(i, IdPart); }
    QString Caption(int i) const { return m_entries.Part(i, CaptionPart); }
    QString Icon(int i) const { return m_entries.Part(i, IconPart); }
    QString Hint(int i) const { return m_entries.Part(i, HintPart); }
    bool Expanded(int i) const { return State(i) & StateExpanded; }
    bool Selected(int i) const { return State(i) & StateSelected; }

    void SetCaption(int i, const QString &text) { m_entries.SetPart(i, CaptionPart, text); }
    void SetIcon(int i, const QString &text) { m_entries.SetPart(i, IconPart, text); }
    void SetHint(int i, const QString &text) { m_entries.SetPart(i, HintPart, text); }
    void SetExpanded(int i, bool on) { SetStateBit(i, StateExpanded, on); }
    // One node at most is initially selected: selecting one clears the others.
    void SetSelected(int i, bool on);

    // The message for giving node i the ID, empty when it may have it.
    QString CheckId(int i, const QString &id) const;
    void SetId(int i, const QString &id) { m_entries.SetPart(i, IdPart, id.trimmed()); }

    // New nodes get an ID unused among their siblings ("Node1", "Node2", ...). Each returns
    // the new node's index.
    int NewRoot();                 // "New root node", only for an empty tree
    int NewSibling(int i);         // "New sibling node" after i's subtree
    int NewChild(int i);           // "New child node" as i's last child
    void Delete(int i) { m_entries.RemoveSubtree(i); }
    int MoveUp(int i) { return m_entries.MoveUp(i); }
    int MoveDown(int i) { return m_entries.MoveDown(i); }

private:
    int State(int i) const;
    void SetStateBit(int i, int bit, bool on);
    QString FreshId(int parent) const;
    int Add(int at, int level, const QString &caption, int parent);

    LeveledEntries m_entries;
};
