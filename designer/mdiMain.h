#pragma once

#include <QMainWindow>
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
class mdiMain : public QMainWindow
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
    std::function<void()> m_shutdown;
    bool m_noQuestions = false;
    bool m_shutDown = false;
};
