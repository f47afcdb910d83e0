#pragma once

#include <QPoint>

#include "panels/MainWindowModel.h"

#include <QList>
#include <QString>

class QMdiSubWindow;
class clsControl;

// What the main window and the design forms in it ask of the designer that owns them. The
// window handles its own views (tool bar, status bar, window list) and hands every other
// command and every question about the designer's state here; the design forms' host
// (DesignSurfaceHost) reaches the window's status bar, tree, menus and property sheet here.
class iMainWindowHost
{
public:
    virtual ~iMainWindowHost() = default;

    // ---- The main window ----------------------------------------------------------------
    // Every command the window does not handle itself: documents, editing, properties, item
    // kinds, settings, help, code, recent files, the Code sub-menu, Exit.
    virtual void HandleCommand(const QString &key) = 0;
    // What the tools' enabled states follow.
    virtual MainWindowModel::StateInputs CommandStates() const = 0;
    // The title of the current project ("" when none is open).
    virtual QString ProjectTitle() const = 0;
    // The selected item's description, shown again after a list command.
    virtual QString SelectionDescription() const = 0;
    // An entry of the context menu's Code sub-menu; the key "-" is a separator.
    struct CodeMenuEntry
    {
        QString Key; // "cm*" + event name or "cl*" + n
        QString Caption;
    };
    // The Code sub-menu for the selected item, built each time the context menu shows.
    virtual QList<CodeMenuEntry> CodeMenuEntries() const = 0;
    // The grid switch changed: the design forms repaint and their sizers snap by it.
    virtual void GridChanged(bool on) = 0;
    // Runs first whenever the selection or the project changed (before the states follow).
    virtual void SelectionChanged() = 0;
    // A design form's window was activated from the Window menu.
    virtual void WindowActivated(QMdiSubWindow *window) = 0;
    // Asked before the user's close goes ahead (the closing question of every open project);
    // false keeps the window open.
    virtual bool QueryClose() = 0;
    // Runs once the window has stored its place, as it closes: the projects are released and
    // the settings saved.
    virtual void Shutdown() = 0;

    // ---- What the design forms ask through their host -------------------------------------
    // Panels 1 to 5 of the status bar.
    virtual void ShowStatusPanel(int panel, const QString &text) = 0;
    virtual void FocusProjectTree() = 0;
    // After the designer made an item on a design form the selection.
    virtual void ItemSelected(clsControl &item) = 0;
    virtual void ShowContextMenu(clsControl &item) = 0;
    // An item kind's tool was dropped on the design forms' area at the global position: a new
    // object of the kind where it landed.
    virtual void DropKind(const QString &key, const QPoint &globalPos) = 0;
    virtual void ShowPropertySheet(clsControl &item) = 0;
    // The grid switch: whether sizers snap to the design grid.
    virtual bool SnapToGrid() const = 0;
};
