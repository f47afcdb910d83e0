#pragma once
// Ports that record what the core tells the views, for tests of the headless seams.
#include "app/iProjectTree.h"
#include "app/iUndoState.h"

#include <QString>
#include <QRegularExpression>
#include <QStringList>

#include <ostream>

// Readable failure messages for the call lists.
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << "\n  " << list.join("\n  ").toStdString();
}

// The project tree as a list of calls ("add A*F at 0 under A", "highlight A*F" ...).
struct RecordingTree : iProjectTree
{
    QStringList Calls;
    void AddItem(int type, int position, const QString &fullId, const QString &parent) override
    {
        Calls << QString("add %1 (%2) at %3 under %4").arg(fullId).arg(type).arg(position).arg(parent);
    }
    void RemoveItem(const QString &fullId) override { Calls << "remove " + fullId; }
    void RemoveAll() override { Calls << "clear"; }
    void RepositionItem(const QString &fullId, const QString &parent, int position) override
    {
        Calls << QString("move %1 to %2 under %3").arg(fullId).arg(position).arg(parent);
    }
    void RenameItem(const QString &oldId, const QString &newId) override
    {
        Calls << "rename " + oldId + " to " + newId;
    }
    void Highlight(const QString &fullId) override { Calls << "highlight " + fullId; }
    QStringList Filtered(const QString &prefix) const { return Calls.filter(QRegularExpression("^" + prefix)); }
};

// Counts the command-state refreshes and keeps the Undo entry's state.
struct RecordingCommandStates : iUndoState
{
    QString Caption;
    bool Enabled = false;
    int Refreshes = 0;
    void SetUndoState(const QString &caption, bool enabled) override
    {
        Caption = caption;
        Enabled = enabled;
    }
    QString RedoCaption;
    bool RedoEnabled = false;
    void SetRedoState(const QString &caption, bool enabled) override
    {
        RedoCaption = caption;
        RedoEnabled = enabled;
    }
    void CommandsChanged() override { ++Refreshes; }
};
