#pragma once

#include "app/iUndoState.h"
#include "designer/iMainWindowHost.h"
#include "panels/MainWindowModel.h"

#include <QList>
#include <QMainWindow>

class ProcessState;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QSplitter;
class QTreeWidget;
class iPrompter;
class vxMenuBar;

// The designer's main window: the menu bar, the main tool bar and the tool bar of item kinds,
// the project tree on the left beside a splitter, the design forms in the MDI area and a
// status bar of five panels. Every tool of every band arrives at Dispatch, keyed by its text
// key; the window handles its own views (tool bar, status bar, grid, window list) and hands
// every other command to its host. Closing it asks the host whether the open projects may
// close, then stores its position keys and has the host shut the designer down.
class mdiMain : public QMainWindow, public iUndoState
{
    Q_OBJECT

public:
    mdiMain(ProcessState &state, iMainWindowHost &host, QWidget *parent = nullptr);
    ~mdiMain() override;

    vxMenuBar &Bands() const { return *m_bands; }
    // The action of a tool, by its key ("Save", "ViewGrid").
    QAction *CommandAction(const QString &key) const;
    QAction *MenuEntry(const QString &key) const { return CommandAction(key); }

    // ---- Dispatch -------------------------------------------------------------------------
    // Messages such as "not available" go through it (the program title is the caption).
    void SetPrompter(iPrompter *prompter) { m_prompter = prompter; }
    // Runs the command of a tool key as a click on it would.
    void Dispatch(const QString &key);

    // ---- Command states -------------------------------------------------------------------
    // Recomputes every tool's enabled state and the title.
    void UpdateCommandStates();
    void CommandsChanged() override;
    // The Undo entry of the menu, the pop-up and the tool bar shows the newest record's caption.
    void SetUndoState(const QString &caption, bool enabled) override;
    // The Redo entries likewise: "Redo move" ..., enabled while something undone can be redone.
    void SetRedoState(const QString &caption, bool enabled) override;

    // ---- Title ----------------------------------------------------------------------------
    QString Title() const;
    void SetTitle(const QString &title);
    // The program title, then " - [" + project title + "]" while a project is open, then
    // " - [" + form title + "]" while the active design form is maximised, and " *" while the
    // project has unsaved changes. It follows the form's title and the window's state as they
    // change.
    void ShowProjectTitle(const QString &projectTitle, bool changed = false);

    // ---- Menus built on demand ----------------------------------------------------------------
    using CodeMenuEntry = iMainWindowHost::CodeMenuEntry;
    // Rebuilds the Code sub-menu, then shows the "Popup" band at the mouse (or at globalPos).
    void ShowContextMenu();
    void ShowContextMenu(const QPoint &globalPos);
    // The recent-file entries of the File menu and the Window list, as opening those menus
    // rebuilds them (the Window list also follows the windows as they change).
    void RebuildRecentFiles();
    void RebuildWindowList();
    // The design forms' windows in the order the Window menu lists them.
    QList<QMdiSubWindow *> DesignWindows() const;

    // ---- Project-tree label edits ----------------------------------------------------------
    // While the tree's edit box is open, Copy, Cut, Delete, Paste and Undo give up their
    // shortcuts so the edit box gets those keys.
    void DropEditShortcuts();
    void RestoreEditShortcuts();

    // ---- Views -------------------------------------------------------------------------------
    // Check marks and band visibility from the settings.
    void ApplyViewSettings();

    // ---- Placement -----------------------------------------------------------------------
    // Position and size from the stored keys, when there are any.
    void RestoreWindowPosition();
    // Stores MainLeft/Top/Width/Height (normal state only), MainWindowState (unless
    // minimized) and ProjectSplitPos, all in twips but the state.
    void StoreWindowPosition();

    // ---- Status bar --------------------------------------------------------------------------
    void SetStatusText(const QString &text);
    QString StatusText() const;
    // Panels 1 to 5.
    void SetStatusPanel(int panel, const QString &text);
    QString StatusPanel(int panel) const;

    // ---- Closing ---------------------------------------------------------------------------
    // Closes without asking: the program, not the user, ends the designer.
    void CloseWithoutQuestions();

    QTreeWidget *ProjectTree() const { return m_projectTree; }
    QMdiArea *MdiArea() const { return m_mdiArea; }
    QSplitter *Splitter() const { return m_splitter; }

Q_SIGNALS:
    // The window has closed for good: the designer is shut down and the program may end.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowRecordState(const QString &key, const QString &caption, bool enabled);
    void BuildBands();
    // The Format menu's sub-menus into a band (under parent, when given).
    void AddFormatMenus(const QString &band, const QString &parent, bool group);
    void ToggleView(const QString &key);
    void ShowDescription();
    void ClearDynamicTools(const QString &prefix);
    void RefreshTitle();
    void RefreshWindowsLater();

    ProcessState &m_state;
    iMainWindowHost &m_host;
    vxMenuBar *m_bands = nullptr;
    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_projectTree = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    iPrompter *m_prompter = nullptr;
    QStringList m_dynamicTools;
    bool m_editShortcutsDropped = false;
    bool m_noQuestions = false;
    bool m_shutDown = false;
    QString m_projectTitleShown;
    bool m_projectChangedShown = false;
    bool m_refreshingTitle = false;
    bool m_windowsPending = false;
};
