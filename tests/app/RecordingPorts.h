#pragma once
// Ports that record what the core tells the views, and stand-ins for the property sheet and
// the code editor, for tests of the headless seams.
#include "app/clsDesigner.h"
#include "app/iCreateMode.h"
#include "app/iProgramCodeState.h"
#include "app/iProjectTree.h"
#include "app/iUndoState.h"
#include "model/clsControl.h"

#include <QString>
#include <QRegularExpression>
#include <QStringList>

#include <optional>
#include <ostream>
#include <utility>
#include <vector>

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

// Stands in for the property sheet: creates what it is asked for under the ID it is offered
// (a new application as an SDI one), or cancels; keeps every ID offered.
struct SheetStandIn : iCreateMode
{
    explicit SheetStandIn(clsDesigner &designer) : Designer(designer) {}
    clsDesigner &Designer;
    std::vector<QString> Offered;
    bool Cancel = false;
    Outcome CreateApplication(const QString &defaultId) override { return CreateItem({}, 1, defaultId, nullptr); }
    Outcome CreateItem(const QString &, int type, const QString &defaultId, clsControl *parent) override
    {
        Offered.push_back(defaultId);
        if (Cancel)
            return {};
        const QString path = parent ? parent->FullID() + "*" + defaultId : defaultId;
        const clsControl *item = Designer.AddControl(type, path, {}, "1", "1", "10", "2");
        return {item != nullptr, item ? item->FullID() : QString()};
    }
};

// Stands in for the code editor: the program code state the closing questions and autosave
// ask about, with the saves and restores it was asked for.
struct CodeStandIn : iProgramCodeState
{
    bool UnsavedNew = false;
    bool ChangedCode = false;
    bool SaveSucceeds = true;
    int Saves = 0;
    std::optional<UnsavedProgram> Kept;
    std::vector<std::pair<QString, UnsavedProgram>> Restored;
    bool HasUnsavedNewCode(const clsControl &) const override { return UnsavedNew; }
    bool HasChangedCode(const clsControl &) const override { return ChangedCode; }
    bool SaveCode(clsControl &) override
    {
        ++Saves;
        return SaveSucceeds;
    }
    std::optional<UnsavedProgram> ProgramToKeep(const clsControl &) const override { return Kept; }
    bool RestoreProgram(clsControl &app, const UnsavedProgram &program) override
    {
        Restored.emplace_back(app.ID(), program);
        return true;
    }
};
