#pragma once

#include "panels/MainWindowModel.h"
#include "app/iUndoState.h"

#include <QList>
#include <QMainWindow>
#include <functional>

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
// every other command to the command handler. Closing it asks the open projects whether they
// may close, then stores its position keys and shuts the designer down.
class mdiMain : public QMainWindow, public iUndoState
{
    Q_OBJECT

public:
    explicit mdiMain(ProcessState &state, QWidget *parent = nullptr);
    ~mdiMain() override;

    vxMenuBar &Bands() const { return *m_bands; }
    // The action of a tool, by its key ("Save", "ViewGrid").
    QAction *CommandAction(const QString &key) const;
    QAction *MenuEntry(const QString &key) const { return CommandAction(key); }

    // ---- Dispatch -------------------------------------------------------------------------
    // Messages such as "not available" go through it (the program title is the caption).
    void SetPrompter(iPrompter *prompter) { m_prompter = prompter; }
    // Every command the window does not handle itself: documents, editing, properties, item
    // kinds, settings, help, code, recent files, the Code sub-menu, Exit.
    void SetCommandHandler(std::function<void(const QString &key)> handler)
    {
        m_commandHandler = std::move(handler);
    }
    // Runs the command of a tool key as a click on it would.
    void Dispatch(const QString &key);

    // ---- Command states -------------------------------------------------------------------
    using StateSource = std::function<MainWindowModel::StateInputs()>;
    void SetStateSource(StateSource source) { m_stateSource = std::move(source); }
    // The title of the current project ("" when none is open).
    void SetProjectTitleSource(std::function<QString()> source) { m_projectTitle = std::move(source); }
    // The selected item's description, shown again after a list command.
    void SetSelectionDescription(std::function<QString()> source) { m_describeSelection = std::move(source); }
    // Recomputes every tool's enabled state and the title.
    void UpdateCommandStates();
    void CommandsChanged() override;
    // Runs first whenever the selection or the project changed (before the states follow).
    void SetSelectionChanged(std::function<void()> changed) { m_selectionChanged = std::move(changed); }
    // The Undo entry of the menu, the pop-up and the tool bar shows the newest record's caption.
    void SetUndoState(const QString &caption, bool enabled) override;

    // ---- Title ----------------------------------------------------------------------------
    QString Title() const;
    void SetTitle(const QString &title);
    // The program title, then " - [" + project title + "]" while a project is open, then
    // " - [" + form title + "]" while the active design form is maximised, and " *" while the
    // project has unsaved changes. It follows the form's title and the window's state as they
    // change.
    void ShowProjectTitle(const QString &projectTitle, bool changed = false);

    // ---- Menus built on demand ----------------------------------------------------------------
    // An entry of the context menu's Code sub-menu; the key "-" is a separator.
    struct CodeMenuEntry
    {
        QString Key; // "cm*" + event name or "cl*" + n
        QString Caption;
    };
    void SetCodeMenuSource(std::function<QList<CodeMenuEntry>()> source)
    {
        m_codeMenu = std::move(source);
    }
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
    // The grid switch changed: the design forms repaint and their sizers snap by it.
    void SetGridChanged(std::function<void(bool on)> changed) { m_gridChanged = std::move(changed); }
    // A design form's window was activated from the Window menu.
    void SetWindowActivated(std::function<void(QMdiSubWindow *window)> activated)
    {
        m_windowActivated = std::move(activated);
    }

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
    // Asked before the user's close goes ahead (the closing question of every open project);
    // false keeps the window open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }
    // Runs once the window has stored its place, as it closes: the projects are released and
    // the settings saved. Without one the window saves the settings itself.
    void SetShutdown(std::function<void()> shutdown) { m_shutdown = std::move(shutdown); }
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
    void BuildBands();
    void ToggleView(const QString &key);
    void ShowDescription();
    void ClearDynamicTools(const QString &prefix);
    void RefreshTitle();
    void RefreshWindowsLater();

    ProcessState &m_state;
    vxMenuBar *m_bands = nullptr;
    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_projectTree = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    iPrompter *m_prompter = nullptr;
    std::function<void(const QString &)> m_commandHandler;
    StateSource m_stateSource;
    std::function<QString()> m_projectTitle;
    std::function<QString()> m_describeSelection;
    std::function<QList<CodeMenuEntry>()> m_codeMenu;
    std::function<void(bool)> m_gridChanged;
    std::function<void()> m_selectionChanged;
    std::function<void(QMdiSubWindow *)> m_windowActivated;
    std::function<bool()> m_closeQuery;
    std::function<void()> m_shutdown;
    QStringList m_dynamicTools;
    bool m_editShortcutsDropped = false;
    bool m_noQuestions = false;
    bool m_shutDown = false;
    QString m_projectTitleShown;
    bool m_projectChangedShown = false;
    bool m_refreshingTitle = false;
    bool m_windowsPending = false;
};
