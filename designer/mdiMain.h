#pragma once

#include "app/iUndoState.h"

#include <QMainWindow>
#include <array>
#include <functional>

class ProcessState;
class QAction;
class QLabel;
class QMdiArea;
class QSplitter;
class QToolBar;
class QTreeWidget;

// The designer's main window: the project tree on the left, the design forms in the MDI
// area beside it, a tool bar and a status bar whose first panel carries progress texts.
// Closing it asks the open projects whether they may close, then stores its position keys
// and saves the settings.
class mdiMain : public QMainWindow, public iUndoState
{
    Q_OBJECT

public:
    explicit mdiMain(ProcessState &state, QWidget *parent = nullptr);

    // The View entries, by the command keys the menu knows them by.
    QAction *MenuEntry(const QString &key) const;
    // Check marks and bar visibility from the settings.
    void ApplyViewSettings();
    // Position and size from the stored keys, when there are any.
    void RestoreWindowPosition();
    // Stores MainLeft/Top/Width/Height (normal state only), MainWindowState (unless
    // minimized) and ProjectSplitPos, all in twips but the state.
    void StoreWindowPosition();

    void SetStatusText(const QString &text);
    QString StatusText() const;
    // Panels 1 (the status text), 2 (position) and 3 (size) of the status bar.
    void SetStatusPanel(int panel, const QString &text);
    QString StatusPanel(int panel) const;

    // The commands of the File and Edit menus ("Open", "Undo") go to this handler.
    void SetCommandHandler(std::function<void(const QString &key)> handler)
    {
        m_commandHandler = std::move(handler);
    }
    QAction *CommandAction(const QString &key) const;
    // The Undo entry shows the newest record's caption.
    void SetUndoState(const QString &caption, bool enabled) override;

    // Asked before the user's close goes ahead (the closing question of every open project);
    // false keeps the window open.
    void SetCloseQuery(std::function<bool()> query) { m_closeQuery = std::move(query); }
    // Closes without asking: the program, not the user, ends the designer.
    void CloseWithoutQuestions();

    QTreeWidget *ProjectTree() const { return m_projectTree; }
    QMdiArea *MdiArea() const { return m_mdiArea; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();

    ProcessState &m_state;
    QSplitter *m_splitter = nullptr;
    QTreeWidget *m_projectTree = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_statusPanel = nullptr;
    QAction *m_viewStatusBar = nullptr;
    QAction *m_viewToolBar = nullptr;
    QAction *m_viewGrid = nullptr;
    std::function<bool()> m_closeQuery;
    std::function<void(const QString &)> m_commandHandler;
    std::array<QLabel *, 3> m_panels{};
    QAction *m_open = nullptr;
    QAction *m_undo = nullptr;
    bool m_noQuestions = false;
    bool m_shutDown = false;
};
