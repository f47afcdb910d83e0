#pragma once

#include <QString>

// The state of the Undo command as the menus show it. The main window binds it to the Undo
// entries of the main menu, the pop-up menu and the tool bar alike.
class iUndoState
{
public:
    virtual ~iUndoState() = default;
    // The caption of the newest undo record ("Undo move" ... "Undo paste") and whether there
    // is anything to undo. With an empty buffer the caption is the last one shown.
    virtual void SetUndoState(const QString &caption, bool enabled) = 0;
    // The same for Redo: "Redo move" ... and whether anything undone can be done again.
    virtual void SetRedoState(const QString &caption, bool enabled) = 0;
    // An edit changed the project: menus and the status text are recomputed.
    virtual void CommandsChanged() {}
};
