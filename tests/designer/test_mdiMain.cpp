// The main window: its bands and tools, dispatch, the menus built on demand, the edit
// shortcuts around a label edit, the title, and its close (the user's close asks the open
// projects first and may be refused; a close that goes ahead stores the window's keys).
#include "app/ProcessState.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/Startup.h"
#include "ProgramFolder.h"
#include "ScriptedWindowHost.h"
#include "designer/mdiMain.h"
#include "designer/vxMenuBar.h"
#include "support/IniFile.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTest>

#include <functional>
#include <gtest/gtest.h>

// The user's close asks the projects first and may be refused; one that goes ahead stores the
// window's keys, from which the next window opens as this one was left. A close by the
// program asks nothing.
TEST(mdiMain, UserCloseAsksTheProjectsAndStoresTheWindowKeysTheNextWindowRestores)
{
    ProgramFolder folder;
    int asked = 0;
    {
        ProcessState state(folder.dir.path());
        Startup::InitialiseProcess(state);
        ScriptedWindowHost host;
        host.ShutdownWith = [&] { Startup::SaveOnShutdown(state); };
        mdiMain window(state, host);
        window.resize(1000, 700);
        window.show();
        window.Splitter()->setSizes({300, 700});
        bool allow = false;
        host.CloseQuery = [&] {
            ++asked;
            return allow;
        };
        EXPECT_FALSE(window.close()) << "a project that must stay open keeps the window";
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(IniFile::Load(folder.AppState()).ReadString("GUIDesigner_Settings", "MainWidth", "").isEmpty());
        allow = true;
        EXPECT_TRUE(window.close());
        EXPECT_EQ(asked, 2);
    }
    const IniFile stored = IniFile::Load(folder.AppState());
    EXPECT_EQ(stored.ReadInt("GUIDesigner_Settings", "MainWidth", 0), 1000 * 15);
    EXPECT_EQ(stored.ReadInt("GUIDesigner_Settings", "MainHeight", 0), 700 * 15);
    EXPECT_EQ(stored.ReadInt("GUIDesigner_Settings", "ProjectSplitPos", 0), 300 * 15);
    EXPECT_EQ(stored.ReadInt("GUIDesigner_Settings", "MainWindowState", -1), 0);
    EXPECT_EQ(stored.ReadString("GUIDesigner_Settings", "@", ""), "7");

    ProcessState state(folder.dir.path());
    Startup::InitialiseProcess(state);
    ScriptedWindowHost host;
    host.CloseQuery = [&] {
        ++asked;
        return false;
    };
    mdiMain window(state, host);
    window.RestoreWindowPosition();
    window.show();
    EXPECT_EQ(window.size(), QSize(1000, 700));
    EXPECT_EQ(window.Splitter()->sizes().value(0), 300);
    window.CloseWithoutQuestions();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(window.isVisible());
}

// ---- Bands, dispatch and the menus built on demand ----------------------------------------

namespace {
struct Window
{
    Window() : state(folder.dir.path())
    {
        Startup::InitialiseProcess(state);
        host.Command = [this](const QString &key) { handled << key; };
        window = std::make_unique<mdiMain>(state, host);
        window->SetPrompter(&prompter);
    }
    vxMenuBar &Bands() const { return window->Bands(); }
    QStringList MenuTexts(QMenu *menu) const
    {
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }

    ProgramFolder folder;
    ProcessState state;
    ScriptedPrompter prompter;
    ScriptedWindowHost host;
    std::unique_ptr<mdiMain> window;
    QStringList handled;
};
} // namespace

// The window builds its menus, bands, pop-up and status panels from the model's tables
// (whose texts the model's tests pin): group starts become separators, tools carry their
// shortcut, tool tip and icon, and every widget its object name.
TEST(mdiMain, EveryBandAndToolWithItsCaptionShortcutToolTipAndName)
{
    Window w;
    mdiMain &window = *w.window;
    QMenu *file = window.findChild<QMenu *>("MainMenu.File");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->title(), "&File");
    EXPECT_EQ(w.MenuTexts(file),
              QStringList({"&New", "&Open", "-", "&Close", "&Save", "Save &as", "-", "E&xit"}));
    QMenu *edit = window.findChild<QMenu *>("MainMenu.Edit");
    ASSERT_TRUE(edit);
    EXPECT_EQ(w.MenuTexts(edit), QStringList({"&Undo", "&Redo", "-", "Cu&t", "C&opy", "&Paste",
                                              "&Delete", "-", "P&roperties"}));
    for (const char *menu : {"View", "Tools", "Window", "Help"})
        EXPECT_TRUE(window.findChild<QMenu *>(QStringLiteral("MainMenu.") + menu)) << menu;
    EXPECT_EQ(w.Bands().Shortcut("Properties"), "F4");
    EXPECT_EQ(w.Bands().ToolTip("Preview"), "Display preview window for current Form");
    // Redo answers both of the usual keys.
    EXPECT_EQ(w.Bands().Tool("Redo")->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    // Tool-bar buttons carry band and key; the item kinds keep the tool bar's order.
    EXPECT_TRUE(window.findChild<QToolButton *>("BandMain.Save"));
    QToolBar *controls = w.Bands().ToolBand("BandControls");
    ASSERT_TRUE(controls);
    QStringList kinds;
    for (QAction *action : controls->actions())
        kinds << action->objectName();
    EXPECT_EQ(kinds.size(), 20);
    EXPECT_EQ(kinds.first(), "Form");
    EXPECT_EQ(kinds.last(), "Timer");
    EXPECT_TRUE(window.findChild<QToolButton *>("BandControls.Textbox"));
    for (const char *key : {"New", "Open", "Save", "Properties", "Quill", "Upd", "Preview", "Undo",
                            "Cut", "Copy", "Paste", "Delete", "Textbox", "Statusbar"})
        EXPECT_FALSE(w.Bands().Tool(key)->icon().isNull()) << key;

    // The context menu and its New sub-menu.
    ASSERT_TRUE(window.findChild<QMenu *>("Popup"));
    QMenu *newMenu = window.findChild<QMenu *>("Popup.New");
    ASSERT_TRUE(newMenu);
    const QStringList news = w.MenuTexts(newMenu);
    EXPECT_EQ(news.size(), 20);
    EXPECT_TRUE(news.contains("HTML viewer")); // the entries take the kinds' captions
    EXPECT_TRUE(news.contains("Status bar"));
    EXPECT_TRUE(window.findChild<QMenu *>("Popup.Code"));

    // Status panels with their first texts and tool tips.
    for (int panel = 1; panel <= 5; ++panel)
        ASSERT_TRUE(window.findChild<QLabel *>(QStringLiteral("Panel%1").arg(panel))) << panel;
    EXPECT_EQ(window.findChild<QLabel *>("Panel1")->text(), "Starting up");
    EXPECT_EQ(window.findChild<QLabel *>("Panel3")->toolTip(), "Current size");
    EXPECT_TRUE(window.findChild<QSplitter *>("splitProject"));
    EXPECT_TRUE(window.findChild<QMdiArea *>("mdiArea"));
}

TEST(mdiMain, StatesFollowTheSourceAndTheTitleNamesTheProject)
{
    Window w;
    // No source: no project.
    w.window->UpdateCommandStates();
    for (const char *key : {"Save", "Form", "Textbox", "Timer", "Menu", "Cut"})
        EXPECT_FALSE(w.Bands().Enabled(key)) << key;
    EXPECT_TRUE(w.Bands().Enabled("New"));
    EXPECT_EQ(w.window->Title(), "Corvane GUI Designer");

    MainWindowModel::StateInputs in;
    in.ProjectOpen = in.ItemSelected = in.FormActive = true;
    in.SelectedType = 5;
    w.host.States = [&] { return in; };
    w.host.Title = [] { return QStringLiteral("/tmp/orders.gui"); };
    w.window->CommandsChanged();
    for (const char *key : {"Save", "Form", "Textbox", "Timer", "Menu", "Cut", "Properties"})
        EXPECT_TRUE(w.Bands().Enabled(key)) << key;
    EXPECT_EQ(w.window->Title(), "Corvane GUI Designer - [/tmp/orders.gui]");
    EXPECT_TRUE(w.window->findChild<QToolButton *>("BandControls.Textbox")->isEnabled());

    // The undo caption shows on the one Undo tool of menu, pop-up and tool bar.
    w.window->SetUndoState("Undo move", true);
    EXPECT_EQ(w.Bands().Caption("Undo"), "&Undo move");
    EXPECT_TRUE(w.window->findChild<QToolButton *>("BandMain.Undo")->isEnabled());
    w.window->SetUndoState("Undo move", false);
    EXPECT_FALSE(w.window->findChild<QToolButton *>("BandMain.Undo")->isEnabled());
}

TEST(mdiMain, DispatchHandsOnCommandsTogglesViewsAndRefusesUnknownKeys)
{
    Window w;
    w.window->show();
    for (const char *key : {"Save", "Textbox", "file_2", "cm*Click", "Settings", "Exit"})
        w.window->Dispatch(key);
    EXPECT_EQ(w.handled, QStringList({"Save", "Textbox", "file_2", "cm*Click", "Settings", "Exit"}));
    EXPECT_TRUE(w.prompter.Calls.empty());

    w.window->Dispatch("Frobnicate");
    ASSERT_EQ(w.prompter.Calls.size(), 1u);
    EXPECT_EQ(w.prompter.Calls[0].Text, "The selected function (Frobnicate) is not available at this time");
    EXPECT_EQ(w.handled.size(), 6) << "an unknown key reaches no command";

    // A click on a tool is the same dispatch.
    w.Bands().Tool("Copy")->setEnabled(true);
    w.Bands().Tool("Copy")->trigger();
    EXPECT_EQ(w.handled.last(), "Copy");

    // View toggles flip the band and the setting; the grid tells the forms.
    bool grid = true;
    w.host.Grid = [&](bool on) { grid = on; };
    w.window->Dispatch("ViewToolbar");
    EXPECT_FALSE(w.state.Settings.ViewToolBar);
    EXPECT_FALSE(w.Bands().BandVisible("BandMain"));
    EXPECT_FALSE(w.Bands().Checked("ViewToolbar"));
    w.window->Dispatch("StatusBar");
    EXPECT_FALSE(w.state.Settings.ViewStatusBar);
    EXPECT_FALSE(w.Bands().BandVisible("StatusBar"));
    w.Bands().Tool("ViewGrid")->trigger(); // a click checks off and toggles once
    EXPECT_FALSE(w.state.Settings.ViewGrid);
    EXPECT_FALSE(grid);
    EXPECT_FALSE(w.Bands().Checked("ViewGrid"));
    w.window->Dispatch("ViewGrid");
    EXPECT_TRUE(w.state.Settings.ViewGrid);
    EXPECT_TRUE(grid);
    EXPECT_TRUE(w.Bands().BandVisible("BandControls"));
}

TEST(mdiMain, RecentFilesAndWindowListAreRebuiltWhenTheirMenusOpen)
{
    Window w;
    w.window->show();
    clsRecentList &recent = w.state.Settings.RecentList;
    recent.SetListSize(5);
    for (int i = 5; i >= 1; --i)
        recent.AddItem(QStringLiteral("/p/app%1.gui").arg(i));
    QMenu *file = w.Bands().Menu("MainMenu", "File");
    Q_EMIT file->aboutToShow();
    QStringList texts = w.MenuTexts(file);
    EXPECT_EQ(texts.mid(6), QStringList({"-", "&1 /p/app1.gui", "&2 /p/app2.gui", "&3 /p/app3.gui",
                                         "&4 /p/app4.gui", "&5 /p/app5.gui", "-", "E&xit"}));
    // Opening again does not pile up entries; a shorter list shows fewer.
    recent.SetListSize(2);
    Q_EMIT file->aboutToShow();
    texts = w.MenuTexts(file);
    EXPECT_EQ(texts.mid(6), QStringList({"-", "&1 /p/app1.gui", "&2 /p/app2.gui", "-", "E&xit"}));
    recent.Clear();
    Q_EMIT file->aboutToShow();
    EXPECT_EQ(w.MenuTexts(file).mid(6), QStringList({"-", "E&xit"}));

    // A Window menu entry activates its design form (the list itself is the test below's) and
    // never reaches the host's commands.
    w.handled.clear();
    QMdiArea *area = w.window->MdiArea();
    for (const char *title : {"Order", "Customers", "Login"}) {
        QMdiSubWindow *sub = area->addSubWindow(new QWidget);
        sub->setWindowTitle(title);
        sub->show();
    }
    w.host.Description = [] { return QStringLiteral("Form GUIAPP*LOGIN"); };
    Q_EMIT w.Bands().Menu("MainMenu", "Window")->aboutToShow();
    w.window->SetStatusText("something else");
    w.Bands().Tool("wl*2")->trigger();
    EXPECT_EQ(area->activeSubWindow()->windowTitle(), "Customers");
    EXPECT_EQ(w.window->StatusText(), "Form GUIAPP*LOGIN") << "the selection is described again";
    w.window->Dispatch("wl*9"); // a list that changed since: nothing happens
    EXPECT_EQ(area->activeSubWindow()->windowTitle(), "Customers");
    EXPECT_TRUE(w.handled.isEmpty());
}

TEST(mdiMain, LabelEditsBorrowTheEditShortcutsAndTheContextMenuListsTheCode)
{
    Window w;
    w.window->DropEditShortcuts();
    for (const char *key : {"Copy", "Cut", "Delete", "Paste", "Undo"})
        EXPECT_EQ(w.Bands().Shortcut(key), "") << key;
    EXPECT_EQ(w.Bands().Shortcut("Save"), "Ctrl+S") << "other shortcuts stay";
    w.window->RestoreEditShortcuts();
    const struct { const char *key, *shortcut; } back[] = {
        {"Copy", "Ctrl+C"}, {"Cut", "Ctrl+X"}, {"Delete", "Del"}, {"Paste", "Ctrl+V"}, {"Undo", "Ctrl+Z"}};
    for (const auto &b : back)
        EXPECT_EQ(w.Bands().Shortcut(b.key), b.shortcut) << b.key;

    w.window->show();
    QList<mdiMain::CodeMenuEntry> entries = {
        {"cm*Click", "Click"}, {"cm*DblClick", "DblClick"}, {"-", ""}, {"cl*1", "Handler list"}};
    w.host.CodeMenu = [&] { return entries; };
    w.window->ShowContextMenu(w.window->mapToGlobal(QPoint(50, 50)));
    auto *popup = w.window->findChild<QMenu *>("Popup");
    ASSERT_TRUE(popup);
    EXPECT_TRUE(popup->isVisible());
    QMenu *code = w.Bands().Menu("Popup", "Code");
    EXPECT_EQ(w.MenuTexts(code), QStringList({"Click", "DblClick", "-", "Handler list"}));
    popup->hide();
    // Rebuilt for the next selection, without the old entries.
    entries = {{"cm*Change", "Change"}};
    w.window->ShowContextMenu(w.window->mapToGlobal(QPoint(50, 50)));
    EXPECT_EQ(w.MenuTexts(code), QStringList({"Change"}));
    EXPECT_FALSE(w.Bands().HasTool("cm*Click"));
    w.Bands().Tool("cm*Change")->trigger();
    EXPECT_EQ(w.handled.last(), "cm*Change");
    popup->hide();
}

// While the active design form is maximised the main window's title names it, and follows a
// new title of the form (a rename, a caption) and the form's restore.
TEST(mdiMain, TitleFollowsAMaximisedFormsTitle)
{
    Window w;
    mdiMain &window = *w.window;
    w.host.Title = [] { return QStringLiteral("/p/sales.gui"); };
    window.show();
    QMdiArea *area = window.MdiArea();
    QMdiSubWindow *orders = area->addSubWindow(new QWidget);
    orders->setWindowTitle("Orders");
    orders->show();
    QMdiSubWindow *login = area->addSubWindow(new QWidget);
    login->setWindowTitle("Login");
    login->show();
    window.UpdateCommandStates();
    const QString plain = "Corvane GUI Designer - [/p/sales.gui]";
    const auto titleBecomes = [&](const QString &expected) {
        for (int i = 0; i < 100 && window.Title() != expected; ++i)
            QTest::qWait(10);
        return window.Title();
    };
    EXPECT_EQ(titleBecomes(plain), plain);

    area->setActiveSubWindow(orders);
    orders->showMaximized();
    EXPECT_EQ(titleBecomes(plain + " - [Orders]"), plain + " - [Orders]");
    // As a design form sets its title: its content first, then its window.
    orders->widget()->setWindowTitle("Orders - Sales");
    orders->setWindowTitle("Orders - Sales");
    EXPECT_EQ(titleBecomes(plain + " - [Orders - Sales]"), plain + " - [Orders - Sales]");
    // A new project title keeps the form's.
    w.host.Title = [] { return QStringLiteral("/p/orders.gui"); };
    window.UpdateCommandStates();
    const QString renamed = "Corvane GUI Designer - [/p/orders.gui] - [Orders - Sales]";
    EXPECT_EQ(titleBecomes(renamed), renamed);
    w.host.Title = [] { return QStringLiteral("/p/sales.gui"); };
    // The command states, refreshed after every edit, keep the form in the title.
    window.UpdateCommandStates();
    EXPECT_EQ(titleBecomes(plain + " - [Orders - Sales]"), plain + " - [Orders - Sales]");
    // Another form activated: maximised in its turn, it names itself.
    area->setActiveSubWindow(login);
    EXPECT_EQ(titleBecomes(plain + " - [Login]"), plain + " - [Login]");
    login->showNormal();
    EXPECT_EQ(titleBecomes(plain), plain);
}

// The Window menu lists the design forms' windows as they are, before it is opened and
// whichever way it opens: with the mouse, with Alt+W, with the arrow keys from the menu beside
// it. Choosing an entry activates that window.
TEST(mdiMain, WindowMenuListsTheFormsHoweverItOpens)
{
    Window w;
    mdiMain &window = *w.window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QMdiArea *area = window.MdiArea();
    QMenu *windows = w.Bands().Menu("MainMenu", "Window");
    ASSERT_TRUE(windows);
    const auto listed = [&](const QStringList &expected) {
        for (int i = 0; i < 100 && w.MenuTexts(windows) != expected; ++i)
            QTest::qWait(10);
        return w.MenuTexts(windows);
    };
    QList<QMdiSubWindow *> subs;
    for (const char *title : {"Order", "Customers", "Login"}) {
        QMdiSubWindow *sub = area->addSubWindow(new QWidget);
        sub->setWindowTitle(title);
        sub->show();
        subs << sub;
    }
    // Without being opened the menu already lists them, and follows a new title and a
    // window that goes.
    EXPECT_EQ(listed({"&1 Order", "&2 Customers", "&3 Login"}),
              QStringList({"&1 Order", "&2 Customers", "&3 Login"}));
    subs[0]->setWindowTitle("Orders");
    EXPECT_EQ(listed({"&1 Orders", "&2 Customers", "&3 Login"}),
              QStringList({"&1 Orders", "&2 Customers", "&3 Login"}));
    delete subs.takeLast();
    EXPECT_EQ(listed({"&1 Orders", "&2 Customers"}), QStringList({"&1 Orders", "&2 Customers"}));

    QMenuBar *bar = window.menuBar();
    const auto opened = [&]() -> QMenu * {
        for (int i = 0; i < 100 && QApplication::activePopupWidget() != windows; ++i)
            QTest::qWait(10);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    };
    struct Way
    {
        const char *name;
        std::function<void()> open;
    };
    const Way ways[] = {
        {"mouse", [&] {
             QTest::mouseClick(bar, Qt::LeftButton, {},
                               bar->actionGeometry(windows->menuAction()).center());
         }},
        {"Alt+W", [&] { QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier); }},
        {"arrow from Tools", [&] {
             QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
             QMenu *tools = w.Bands().Menu("MainMenu", "Tools");
             for (int i = 0; i < 100 && QApplication::activePopupWidget() != tools; ++i)
                 QTest::qWait(10);
             ASSERT_EQ(QApplication::activePopupWidget(), tools);
             QTest::keyClick(tools, Qt::Key_Right);
         }},
    };
    int n = 0;
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        QMdiSubWindow *target = subs[n % 2];
        area->setActiveSubWindow(subs[(n + 1) % 2]);
        ++n;
        way.open();
        ASSERT_EQ(opened(), windows);
        EXPECT_EQ(w.MenuTexts(windows), QStringList({"&1 Orders", "&2 Customers"}));
        // The entry's access key chooses it.
        QTest::keyClick(windows, target == subs[0] ? Qt::Key_1 : Qt::Key_2);
        for (int i = 0; i < 100 && area->activeSubWindow() != target; ++i)
            QTest::qWait(10);
        EXPECT_EQ(area->activeSubWindow(), target);
        EXPECT_FALSE(windows->isVisible());
    }

    // A window renamed while the menu is open: its entry follows, and the entry the user has
    // highlighted stays highlighted.
    QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier);
    ASSERT_EQ(opened(), windows);
    const QList<QAction *> entries = windows->actions();
    ASSERT_EQ(entries.size(), 2);
    windows->setActiveAction(entries[1]);
    subs[0]->setWindowTitle("Order lines");
    EXPECT_EQ(listed({"&1 Order lines", "&2 Customers"}),
              QStringList({"&1 Order lines", "&2 Customers"}));
    EXPECT_EQ(windows->actions(), entries);
    EXPECT_EQ(windows->activeAction(), entries[1]);
    QTest::keyClick(windows, Qt::Key_Escape);
}
