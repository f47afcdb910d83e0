#include "designer/mdiMain.h"

#include "app/ProcessState.h"
#include "app/iPrompter.h"
#include "designer/FormArea.h"
#include "designer/ItemImages.h"
#include "designer/KindDrag.h"
#include "designer/ToolImages.h"
#include "designer/vxMenuBar.h"
#include "support/PlatformMetrics.h"
#include "support/ProgramTitle.h"

#include <QAction>
#include <QChildEvent>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <string_view>

using namespace MainWindowModel;

namespace {
constexpr int NotStored = -100000;
constexpr int DefaultWidth = 1100;
constexpr int DefaultHeight = 760;
constexpr int DefaultProjectWidth = 220;

enum WindowStateValue { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };

int TwipsX() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelX); }
int TwipsY() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelY); }

QString Text(const char *text) { return QString::fromLatin1(text); }

vxMenuBar::ToolEntry Entry(const Tool &tool, const QIcon &icon = {})
{
    return {Text(tool.Key), Text(tool.Caption), Text(tool.Shortcut), tool.Group, Text(tool.ToolTip),
            icon};
}

// The settings field each view toggle keeps its choice in.
bool &ViewSetting(clsDesignerSettings &s, const QString &key)
{
    if (key == QLatin1String("StatusBar"))
        return s.ViewStatusBar;
    if (key == QLatin1String("ViewToolbar"))
        return s.ViewToolBar;
    return s.ViewGrid;
}
} // namespace

mdiMain::mdiMain(ProcessState &state, iMainWindowHost &host, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_host(host)
{
    setWindowTitle(Text(ProgramTitle));
    setObjectName(QStringLiteral("mdiMain"));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitProject"));
    m_splitter->setChildrenCollapsible(false);
    m_projectTree = new QTreeWidget(m_splitter);
    m_projectTree->setObjectName(QStringLiteral("tvProject"));
    m_projectTree->header()->hide();
    m_projectTree->setMinimumWidth(60);
    m_mdiArea = new FormArea(m_splitter);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_splitter->addWidget(m_projectTree);
    m_splitter->addWidget(m_mdiArea);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({DefaultProjectWidth, DefaultWidth - DefaultProjectWidth});
    setCentralWidget(m_splitter);

    // The title follows the active design form while it is maximised.
    m_mdiArea->viewport()->installEventFilter(this);
    installEventFilter(this);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] {
        RefreshTitle();
        RefreshWindowsLater();
    });

    BuildBands();
    resize(DefaultWidth, DefaultHeight);
    UpdateCommandStates();
}

mdiMain::~mdiMain() = default;

void mdiMain::BuildBands()
{
    m_bands = new vxMenuBar(*this);
    connect(m_bands, &vxMenuBar::Click, this, [this](const QString &key) { Dispatch(key); });
    connect(m_bands, &vxMenuBar::MenuOpening, this, [this](const QString &band, const QString &menu) {
        if (band != QLatin1String(MainMenuBand))
            return;
        if (menu == QLatin1String("File"))
            RebuildRecentFiles();
        else if (menu == QLatin1String("Window"))
            RebuildWindowList();
    });

    // The main menu.
    const QString mainMenu = Text(MainMenuBand);
    m_bands->AddMenuBarBand(mainMenu);
    for (const Menu &menu : MainMenu()) {
        m_bands->AddMenu(mainMenu, QString(), Text(menu.Key), Text(menu.Caption));
        for (const Tool &tool : menu.Entries)
            m_bands->AddTool(mainMenu, Text(menu.Key), Entry(tool, ToolImages::Icon(Text(tool.Key))));
        if (menu.Key == std::string_view(FormatMenuKey))
            AddFormatMenus(mainMenu, Text(FormatMenuKey), false);
    }
    for (const char *key : {"ViewToolbar", "StatusBar", "ViewGrid"})
        m_bands->SetChecked(Text(key), true);

    // The main tool bar and the tool bar of item kinds.
    const QString mainBand = Text(MainBand);
    m_bands->AddToolBand(mainBand, QStringLiteral("Main"));
    for (const Tool &tool : MainBandTools())
        m_bands->AddTool(mainBand, QString(), Entry(tool, ToolImages::Icon(Text(tool.Key))));
    const QString controls = Text(ControlsBand);
    m_bands->AddToolBand(controls, QStringLiteral("Controls"));
    for (const Tool &tool : ControlTools())
        m_bands->AddTool(controls, QString(), Entry(tool, ItemImages::Icon(Text(tool.Key))));
    // Its tools can be dragged onto a design form too. The object is made once the drop is
    // over, so the sheet it opens does not hold up the end of the drag.
    auto *drag = new KindDrag(*m_bands->ToolBand(controls), *m_mdiArea->viewport());
    connect(
        drag, &KindDrag::Dropped, this,
        [this](const QString &key, const QPoint &globalPos) { m_host.DropKind(key, globalPos); },
        Qt::QueuedConnection);
    // The Format commands again, a group a sub-menu.
    const QString format = Text(FormatBand);
    // On a row of its own: the first row is full with the item kinds.
    addToolBarBreak(Qt::TopToolBarArea);
    m_bands->AddToolBand(format, QStringLiteral("Format"));
    for (const Menu &menu : FormatMenus())
        for (const Tool &tool : menu.Entries) {
            vxMenuBar::ToolEntry entry = Entry(tool, ToolImages::Icon(Text(tool.Key)));
            entry.Group = &tool == menu.Entries.data();
            m_bands->AddTool(format, QString(), entry);
        }

    // The context menu, with the item kinds again in its New sub-menu.
    const QString popup = Text(PopupBand);
    m_bands->AddPopupBand(popup);
    for (const Tool &tool : PopupTools()) {
        const QString key = Text(tool.Key);
        if (key == QLatin1String(PopupNewMenu)) {
            AddFormatMenus(popup, QString(), true);
            m_bands->AddMenu(popup, QString(), key, Text(tool.Caption), tool.Group);
            for (const Tool &kind : ControlTools())
                m_bands->AddTool(popup, key, Entry(kind, ItemImages::Icon(Text(kind.Key))));
        } else if (key == QLatin1String(PopupCodeMenu)) {
            m_bands->AddMenu(popup, QString(), key, Text(tool.Caption), tool.Group);
        } else {
            m_bands->AddTool(popup, QString(), Entry(tool, ToolImages::Icon(key)));
        }
    }

    // The status bar.
    const QString status = Text(StatusBand);
    m_bands->AddStatusBand(status);
    for (const Panel &panel : StatusPanels())
        m_bands->AddPanel(status, Text(panel.Key), Text(panel.Text), Text(panel.ToolTip));

    m_bands->SetEnabled(QStringLiteral("Undo"), false);
    m_bands->SetEnabled(QStringLiteral("Redo"), false);
}

void mdiMain::AddFormatMenus(const QString &band, const QString &parent, bool group)
{
    for (const Menu &menu : FormatMenus()) {
        m_bands->AddMenu(band, parent, Text(menu.Key), Text(menu.Caption), group);
        group = false;
        for (const Tool &tool : menu.Entries)
            m_bands->AddTool(band, Text(menu.Key), Entry(tool, ToolImages::Icon(Text(tool.Key))));
    }
}

QAction *mdiMain::CommandAction(const QString &key) const
{
    return m_bands->Tool(key);
}

// ---- Dispatch ------------------------------------------------------------------------------

void mdiMain::Dispatch(const QString &key)
{
    const Command command = Classify(key);
    switch (command.What) {
    case Kind::Unknown:
        if (m_prompter)
            m_prompter->ShowMessage(NotAvailableMessage(key), MessageIcon::Information);
        return;
    case Kind::ViewToggle:
        ToggleView(key);
        return;
    case Kind::WindowList: {
        const QList<QMdiSubWindow *> windows = DesignWindows();
        if (command.Index <= windows.size()) {
            QMdiSubWindow *window = windows.at(command.Index - 1);
            m_mdiArea->setActiveSubWindow(window);
            m_host.WindowActivated(window);
        }
        ShowDescription();
        return;
    }
    default:
        break;
    }
    m_host.HandleCommand(key);
    if (command.What == Kind::RecentFile || command.What == Kind::CodeMenu)
        ShowDescription();
}

void mdiMain::ToggleView(const QString &key)
{
    bool &setting = ViewSetting(m_state.Settings, key);
    setting = !setting;
    m_bands->SetChecked(key, setting);
    if (key == QLatin1String("StatusBar")) {
        m_bands->SetBandVisible(Text(StatusBand), setting);
    } else if (key == QLatin1String("ViewToolbar")) {
        m_bands->SetBandVisible(Text(MainBand), setting);
        m_bands->SetBandVisible(Text(FormatBand), setting);
    } else {
        m_host.GridChanged(setting);
    }
}

void mdiMain::ShowDescription()
{
    SetStatusText(m_host.SelectionDescription());
}

// ---- Command states -----------------------------------------------------------------------

void mdiMain::UpdateCommandStates()
{
    const StateInputs inputs = m_host.CommandStates();
    const QHash<QString, bool> states = EnabledStates(inputs);
    for (auto it = states.constBegin(); it != states.constEnd(); ++it)
        m_bands->SetEnabled(it.key(), it.value());
    // The context menu's sub-menus follow what they hold.
    const QString popup = Text(PopupBand);
    if (QMenu *menu = m_bands->Menu(popup, Text(PopupNewMenu)))
        menu->setEnabled(inputs.ProjectOpen);
    // A Format sub-menu is enabled while one of its commands is.
    for (const Menu &format : FormatMenus()) {
        bool any = false;
        for (const Tool &tool : format.Entries)
            any = any || states.value(Text(tool.Key));
        for (const QString &band : {Text(MainMenuBand), popup})
            if (QMenu *menu = m_bands->Menu(band, Text(format.Key)))
                menu->setEnabled(any);
    }
    ShowProjectTitle(m_host.ProjectTitle(), inputs.ProjectChanged);
}

void mdiMain::CommandsChanged()
{
    m_host.SelectionChanged();
    UpdateCommandStates();
}

void mdiMain::SetUndoState(const QString &caption, bool enabled)
{
    ShowRecordState(QStringLiteral("Undo"), caption, enabled);
}

void mdiMain::SetRedoState(const QString &caption, bool enabled)
{
    ShowRecordState(QStringLiteral("Redo"), caption, enabled);
}

void mdiMain::ShowRecordState(const QString &key, const QString &caption, bool enabled)
{
    m_bands->SetCaption(key, caption.isEmpty() ? Caption(key) : QLatin1Char('&') + caption);
    m_bands->SetEnabled(key, enabled);
}

// ---- Title ---------------------------------------------------------------------------------

QString mdiMain::Title() const
{
    return windowTitle();
}

void mdiMain::SetTitle(const QString &title)
{
    m_refreshingTitle = true;
    setWindowTitle(title);
    m_refreshingTitle = false;
}

void mdiMain::ShowProjectTitle(const QString &projectTitle, bool changed)
{
    m_projectTitleShown = projectTitle;
    m_projectChangedShown = changed;
    RefreshTitle();
}

void mdiMain::RefreshTitle()
{
    QString title = WindowTitle(Text(ProgramTitle), m_projectTitleShown);
    QMdiSubWindow *active = m_mdiArea ? m_mdiArea->activeSubWindow() : nullptr;
    if (active && active->isMaximized() && !active->isHidden()) {
        QString form = active->windowTitle();
        form.remove(QStringLiteral("[*]"));
        title += QStringLiteral(" - [") + form + QLatin1Char(']');
    }
    // Unsaved changes of the project mark the end of the whole title.
    if (m_projectChangedShown && !m_projectTitleShown.isEmpty())
        title += QStringLiteral(" *");
    SetTitle(title);
}

void mdiMain::RefreshWindowsLater()
{
    // Many windows change at once while a project loads: one refresh for all of them.
    if (m_windowsPending)
        return;
    m_windowsPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_windowsPending = false;
            RefreshTitle();
            RebuildWindowList();
        },
        Qt::QueuedConnection);
}

bool mdiMain::eventFilter(QObject *watched, QEvent *event)
{
    // The Window menu and the title follow the design forms' windows as they come and go,
    // show, hide and change their titles, so the menu lists them however it is opened.
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        // The design forms' windows are children of the area's viewport.
        if (watched == m_mdiArea->viewport()) {
            // A window is added while it is being made, before it is a sub-window: its
            // kind is asked when its events come.
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (event->type() == QEvent::ChildAdded && child->isWidgetType())
                child->installEventFilter(this);
            RefreshWindowsLater();
        }
        break;
    case QEvent::Show:
    case QEvent::Hide:
        if (qobject_cast<QMdiSubWindow *>(watched))
            RefreshWindowsLater();
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowStateChange:
        // The toolkit writes a title of its own into this window when a child window is
        // maximised or changes its title; ours is written after it.
        if (qobject_cast<QMdiSubWindow *>(watched)
            || (watched == this && event->type() == QEvent::WindowTitleChange
                && !m_refreshingTitle))
            RefreshWindowsLater();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Menus built on demand ------------------------------------------------------------------

void mdiMain::ClearDynamicTools(const QString &prefix)
{
    for (qsizetype i = m_dynamicTools.size() - 1; i >= 0; --i) {
        if (m_dynamicTools.at(i).startsWith(prefix)) {
            m_bands->RemoveTool(m_dynamicTools.at(i));
            m_dynamicTools.removeAt(i);
        }
    }
}

void mdiMain::RebuildRecentFiles()
{
    ClearDynamicTools(QStringLiteral("file_"));
    QMenu *file = m_bands->Menu(Text(MainMenuBand), QStringLiteral("File"));
    if (!file)
        return;
    // The entries go between Save as and Exit's separator, as a group of their own.
    QAction *before = nullptr;
    for (QAction *action : file->actions())
        if (action->objectName() == QLatin1String("Exit.group")
            || action->objectName() == QLatin1String("Exit")) {
            before = action;
            break;
        }
    const clsRecentList &recent = m_state.Settings.RecentList;
    for (int n = 1; n <= recent.ListCount(); ++n) {
        const QString key = RecentFileKey(n);
        m_bands->AddTool(Text(MainMenuBand), QStringLiteral("File"),
                         {key, NumberedCaption(n, recent.ListItem(n)), QString(), n == 1,
                          recent.ListItem(n), QIcon()},
                         before);
        m_dynamicTools << key;
    }
}

QList<QMdiSubWindow *> mdiMain::DesignWindows() const
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList(QMdiArea::CreationOrder))
        if (!window->isHidden())
            windows << window;
    return windows;
}

void mdiMain::RebuildWindowList()
{
    // The entries are updated in place: a refresh that comes while the menu is open keeps
    // the entry the user has highlighted.
    const QList<QMdiSubWindow *> windows = DesignWindows();
    QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    for (int n = 1; n <= windows.size(); ++n) {
        const QString key = WindowListKey(n);
        QString title = windows.at(n - 1)->windowTitle();
        title.remove(QStringLiteral("[*]"));
        const QString caption = NumberedCaption(n, title);
        if (m_bands->HasTool(key)) {
            if (m_bands->Caption(key) != caption)
                m_bands->SetCaption(key, caption);
        } else {
            m_bands->AddTool(Text(MainMenuBand), QStringLiteral("Window"),
                             {key, caption, QString(), false, QString(), QIcon()});
            m_dynamicTools << key;
        }
        m_bands->SetChecked(key, windows.at(n - 1) == active);
    }
    // Entries beyond the windows there are now.
    for (qsizetype i = m_dynamicTools.size() - 1; i >= 0; --i) {
        const QString &key = m_dynamicTools.at(i);
        if (key.startsWith(QStringLiteral("wl*"))
            && key.mid(3).toInt() > windows.size()) {
            m_bands->RemoveTool(key);
            m_dynamicTools.removeAt(i);
        }
    }
}

void mdiMain::ShowContextMenu()
{
    ShowContextMenu(QCursor::pos());
}

void mdiMain::ShowContextMenu(const QPoint &globalPos)
{
    ClearDynamicTools(QStringLiteral("cm*"));
    ClearDynamicTools(QStringLiteral("cl*"));
    const QString popup = Text(PopupBand);
    QMenu *code = m_bands->Menu(popup, Text(PopupCodeMenu));
    if (code) {
        // Separators of an earlier build.
        for (QAction *action : code->actions())
            if (action->isSeparator()) {
                code->removeAction(action);
                action->deleteLater();
            }
        const QList<CodeMenuEntry> entries = m_host.CodeMenuEntries();
        for (const CodeMenuEntry &entry : entries) {
            if (entry.Key == QLatin1String("-")) {
                code->addSeparator();
                continue;
            }
            if (m_bands->HasTool(entry.Key))
                continue;
            m_bands->AddTool(popup, Text(PopupCodeMenu),
                             {entry.Key, entry.Caption, QString(), false, QString(), QIcon()});
            m_dynamicTools << entry.Key;
        }
        UpdateCommandStates();
        code->menuAction()->setEnabled(!entries.isEmpty());
    }
    m_bands->ShowPopup(popup, globalPos);
}

// ---- Label edits --------------------------------------------------------------------------

void mdiMain::DropEditShortcuts()
{
    for (const EditShortcut &entry : EditShortcuts())
        m_bands->SetShortcut(Text(entry.Key), QString());
    m_editShortcutsDropped = true;
}

void mdiMain::RestoreEditShortcuts()
{
    for (const EditShortcut &entry : EditShortcuts())
        m_bands->SetShortcut(Text(entry.Key), Text(entry.Shortcut));
    m_editShortcutsDropped = false;
}

// ---- Views ------------------------------------------------------------------------------

void mdiMain::ApplyViewSettings()
{
    const clsDesignerSettings &s = m_state.Settings;
    m_bands->SetChecked(QStringLiteral("StatusBar"), s.ViewStatusBar);
    m_bands->SetChecked(QStringLiteral("ViewToolbar"), s.ViewToolBar);
    m_bands->SetChecked(QStringLiteral("ViewGrid"), s.ViewGrid);
    m_bands->SetBandVisible(Text(StatusBand), s.ViewStatusBar);
    m_bands->SetBandVisible(Text(MainBand), s.ViewToolBar);
    m_bands->SetBandVisible(Text(FormatBand), s.ViewToolBar);
}

// ---- Placement ----------------------------------------------------------------------------

void mdiMain::RestoreWindowPosition()
{
    const clsDesignerSettings &s = m_state.Settings;
    modPersistSettings::Batch batch(m_state.Persist);
    const int left = s.ReadInt(QStringLiteral("MainLeft"), NotStored);
    const int top = s.ReadInt(QStringLiteral("MainTop"), NotStored);
    const int width = s.ReadInt(QStringLiteral("MainWidth"), NotStored);
    const int height = s.ReadInt(QStringLiteral("MainHeight"), NotStored);
    if (width > 0 && height > 0)
        resize(qMax(320, width / TwipsX()), qMax(240, height / TwipsY()));
    if (left > NotStored && top > NotStored) {
        const QPoint where(left / TwipsX(), top / TwipsY());
        // A position from a screen that is no longer attached is not used.
        if (QGuiApplication::screenAt(where + QPoint(20, 20)))
            move(where);
    }
    const int split = s.ReadInt(QStringLiteral("ProjectSplitPos"), NotStored);
    if (split > 0) {
        const int projectWidth = qBound(60, split / TwipsX(), qMax(60, this->width() - 80));
        m_splitter->setSizes({projectWidth, qMax(1, this->width() - projectWidth)});
    }
    if (s.ReadInt(QStringLiteral("MainWindowState"), StateNormal) == StateMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void mdiMain::StoreWindowPosition()
{
    clsDesignerSettings &s = m_state.Settings;
    modPersistSettings::Batch batch(m_state.Persist);
    const Qt::WindowStates states = windowState();
    const bool minimized = states & Qt::WindowMinimized;
    const bool maximized = states & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (!minimized && !maximized) {
        s.WriteInt(QStringLiteral("MainLeft"), x() * TwipsX());
        s.WriteInt(QStringLiteral("MainTop"), y() * TwipsY());
        s.WriteInt(QStringLiteral("MainWidth"), width() * TwipsX());
        s.WriteInt(QStringLiteral("MainHeight"), height() * TwipsY());
    }
    if (!minimized)
        s.WriteInt(QStringLiteral("MainWindowState"), maximized ? StateMaximized : StateNormal);
    s.WriteInt(QStringLiteral("ProjectSplitPos"), m_splitter->sizes().value(0) * TwipsX());
}

// ---- Status bar ----------------------------------------------------------------------------

void mdiMain::SetStatusText(const QString &text)
{
    SetStatusPanel(1, text);
}

QString mdiMain::StatusText() const
{
    return StatusPanel(1);
}

void mdiMain::SetStatusPanel(int panel, const QString &text)
{
    if (QLabel *label = m_bands->Panel(QStringLiteral("Panel") + QString::number(panel)))
        label->setText(text);
}

QString mdiMain::StatusPanel(int panel) const
{
    QLabel *label = m_bands->Panel(QStringLiteral("Panel") + QString::number(panel));
    return label ? label->text() : QString();
}

// ---- Closing ----------------------------------------------------------------------------------

void mdiMain::CloseWithoutQuestions()
{
    m_noQuestions = true;
    close();
}

void mdiMain::closeEvent(QCloseEvent *event)
{
    if (!m_shutDown && !m_noQuestions && !m_host.QueryClose()) {
        event->ignore();
        return;
    }
    if (!m_shutDown) {
        m_shutDown = true;
        StoreWindowPosition();
        m_host.Shutdown();
        event->accept();
        Q_EMIT Unloaded();
        return;
    }
    event->accept();
}
