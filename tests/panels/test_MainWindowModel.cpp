// The main window's tables, dispatch classes, command states and title, without a window.
#include "panels/MainWindowModel.h"

#include <QSet>

#include <algorithm>

#include <gtest/gtest.h>

using namespace MainWindowModel;

namespace {
QStringList Keys(std::span<const Tool> tools)
{
    QStringList keys;
    for (const Tool &tool : tools)
        keys << QString::fromLatin1(tool.Key);
    return keys;
}
} // namespace

TEST(MainWindowModel, BandsHoldEveryToolInOrderWithItsTexts)
{
    QStringList menus;
    for (const Menu &menu : MainMenu())
        menus << QString::fromLatin1(menu.Key) + QLatin1Char('=') + QString::fromLatin1(menu.Caption);
    EXPECT_EQ(menus, QStringList({"File=&File", "Edit=&Edit", "Format=F&ormat", "View=&View",
                                  "Tools=&Tools", "Window=&Window", "Help=&Help"}));
    EXPECT_EQ(Keys(MainMenu()[0].Entries),
              QStringList({"New", "Open", "Close", "Save", "SaveAs", "Exit"}));
    EXPECT_EQ(Keys(MainBandTools()),
              QStringList({"New", "Open", "Save", "Properties", "Quill", "Upd", "Preview", "Undo",
                           "Redo", "Cut", "Copy", "Paste", "Delete"}));
    EXPECT_EQ(Keys(ControlTools()),
              QStringList({"Form", "Label", "Textbox", "Listbox", "Combobox", "Checkbox", "Option",
                           "Command", "Grid", "Frame", "Picture", "Tabgrp", "Tree", "Gauge",
                           "Browser", "Menu", "Popupmenu", "Toolbar", "Statusbar", "Timer"}));
    EXPECT_EQ(Keys(PopupTools()), QStringList({"Undo", "Redo", "Cut", "Copy", "Paste", "Delete",
                                               "New", "Properties", "Code"}));

    const struct { const char *key, *caption, *shortcut; } entries[] = {
        {"New", "&New", "Ctrl+N"},          {"Open", "&Open", "Ctrl+O"},
        {"Close", "&Close", ""},            {"Save", "&Save", "Ctrl+S"},
        {"SaveAs", "Save &as", ""},         {"Exit", "E&xit", "Ctrl+Q"},
        {"Undo", "&Undo", "Ctrl+Z"},        {"Cut", "Cu&t", "Ctrl+X"},
        {"Copy", "C&opy", "Ctrl+C"},        {"Paste", "&Paste", "Ctrl+V"},
        {"Delete", "&Delete", "Del"},       {"Properties", "P&roperties", "F4"},
        {"ViewToolbar", "&Toolbar", ""},    {"StatusBar", "&Status bar", ""},
        {"ViewGrid", "&Grid", ""},          {"Settings", "&Preferences...", ""},
        {"Upd", "&Update code", ""},        {"Quill", "&Code editor", ""},
        {"Preview", "Pre&view", ""},        {"HelpTopics", "Topics", ""},
        {"HelpAbout", "&About GUI designer", ""},
        // The context menu's New sub-menu names two kinds differently from their keys.
        {"Browser", "HTML viewer", ""},     {"Statusbar", "Status bar", ""},
        {"Textbox", "Textbox", ""},         {"Code", "&Edit code", ""},
    };
    for (const auto &e : entries) {
        EXPECT_EQ(Caption(e.key), e.caption) << e.key;
        EXPECT_EQ(Shortcut(e.key), e.shortcut) << e.key;
    }

    // Group starts and tool tips of the tool bars.
    QStringList groups;
    for (const Tool &tool : MainBandTools())
        if (tool.Group)
            groups << tool.Key;
    EXPECT_EQ(groups, QStringList({"Properties", "Undo"}));
    const struct { const char *key, *tip; } tips[] = {
        {"New", "Create new GUI application project"},       {"Save", "Save the current GUI project"},
        {"Properties", "Display properties for selected object"}, {"Delete", "Delete currently selected object"},
        {"Preview", "Display preview window for current Form"},
    };
    for (const auto &t : tips) {
        const auto tools = MainBandTools();
        const auto tool = std::find_if(tools.begin(), tools.end(), [&](const Tool &x) { return QLatin1String(x.Key) == t.key; });
        ASSERT_NE(tool, tools.end()) << t.key;
        EXPECT_STREQ(tool->ToolTip, t.tip) << t.key;
    }
    EXPECT_STREQ(ControlTools()[15].ToolTip, "Main menu");
    EXPECT_STREQ(ControlTools()[14].ToolTip, "HTML viewer");

    QStringList panels;
    for (const Panel &panel : StatusPanels())
        panels << QString::fromLatin1(panel.Text) + QLatin1Char('|') + QString::fromLatin1(panel.ToolTip);
    EXPECT_EQ(panels, QStringList({"Starting up|Server status", "0,0|Current location", "0,0|Current size", "|", "|"}));

    QStringList restored;
    for (const EditShortcut &e : EditShortcuts())
        restored << e.Shortcut;
    EXPECT_EQ(restored, QStringList({"Ctrl+C", "Ctrl+X", "Del", "Ctrl+V", "Ctrl+Z",
                                     "Ctrl+Y; Ctrl+Shift+Z"}));
}

TEST(MainWindowModel, EveryKeyIsClassifiedAndOthersAreNotAvailable)
{
    const struct { const char *key; Kind kind; int index; const char *name; } cases[] = {
        {"Exit", Kind::Exit, 0, "Exit"},
        {"SaveAs", Kind::Document, 0, "SaveAs"},
        {"Close", Kind::Document, 0, "Close"},
        {"Paste", Kind::Edit, 0, "Paste"},
        {"Properties", Kind::Properties, 0, "Properties"},
        {"Preview", Kind::Code, 0, "Preview"},
        {"ViewGrid", Kind::ViewToggle, 0, "ViewGrid"},
        {"StatusBar", Kind::ViewToggle, 0, "StatusBar"},
        {"Settings", Kind::Settings, 0, "Settings"},
        {"HelpAbout", Kind::Help, 0, "HelpAbout"},
        {"Statusbar", Kind::ItemKind, 0, "Statusbar"},
        {"Timer", Kind::ItemKind, 0, "Timer"},
        {"file_3", Kind::RecentFile, 3, "file_3"},
        {"wl*12", Kind::WindowList, 12, "wl*12"},
        {"cl*2", Kind::CodeMenu, 2, "cl*2"},
        {"cl*0", Kind::CodeMenu, 0, "cl*0"},
        {"cm*Click", Kind::CodeMenu, 0, "Click"},
        // Near misses.
        {"file_0", Kind::Unknown, 0, "file_0"},
        {"file_", Kind::Unknown, 0, "file_"},
        {"wl*x", Kind::Unknown, 0, "wl*x"},
        {"wl*-1", Kind::Unknown, 0, "wl*-1"},
        {"cm*", Kind::Unknown, 0, "cm*"},
        {"cl*", Kind::Unknown, 0, "cl*"},
        {"save", Kind::Unknown, 0, "save"},
        {"Code", Kind::Unknown, 0, "Code"},
        {"", Kind::Unknown, 0, ""},
    };
    for (const auto &c : cases) {
        const Command command = Classify(c.key);
        EXPECT_EQ(command.What, c.kind) << c.key;
        EXPECT_EQ(command.Index, c.index) << c.key;
        EXPECT_EQ(command.Name, c.name) << c.key;
    }
    EXPECT_EQ(NotAvailableMessage("Frobnicate"),
              "The selected function (Frobnicate) is not available at this time");
    EXPECT_EQ(NumberedCaption(2, "/tmp/orders.gui"), "&2 /tmp/orders.gui");
    EXPECT_EQ(NumberedCaption(1, "R&D"), "&1 R&&D") << "a name's own & shows as it is";
    EXPECT_EQ(RecentFileKey(4), "file_4");
    EXPECT_EQ(WindowListKey(1), "wl*1");
}

TEST(MainWindowModel, CommandStatesFollowProjectSelectionAndClipboard)
{
    const QStringList formOnly = {"Label", "Textbox", "Listbox", "Combobox", "Checkbox", "Option",
                                  "Command", "Grid", "Frame", "Picture", "Tabgrp", "Tree",
                                  "Gauge", "Browser", "Popupmenu", "Statusbar", "Timer"};
    const QStringList projectOnly = {"Form", "Menu", "Toolbar"};

    // No project: every item kind and Save are off, New and Open stay on.
    StateInputs none;
    none.ItemSelected = true; // a stale selection without a project counts for nothing
    none.FormActive = true;
    none.ClipboardHasText = true;
    auto s = EnabledStates(none);
    for (const QString &key : formOnly + projectOnly)
        EXPECT_FALSE(s.value(key, true)) << key.toStdString();
    for (const char *key : {"Save", "SaveAs", "Close", "Cut", "Copy", "Paste", "Delete",
                            "Properties", "Upd", "Quill", "Preview"})
        EXPECT_FALSE(s.value(key, true)) << key;
    for (const char *key : {"New", "Open", "Exit", "ViewGrid", "Settings", "HelpTopics"})
        EXPECT_TRUE(s.value(key, false)) << key;

    // A project with its application selected: forms, menus and tool bars can be created.
    StateInputs app;
    app.ProjectOpen = true;
    app.ItemSelected = true;
    app.SelectedType = 0;
    s = EnabledStates(app);
    for (const QString &key : projectOnly)
        EXPECT_TRUE(s.value(key)) << key.toStdString();
    for (const QString &key : formOnly)
        EXPECT_FALSE(s.value(key, true)) << key.toStdString();
    EXPECT_TRUE(s.value("Save"));
    EXPECT_TRUE(s.value("Copy"));
    EXPECT_FALSE(s.value("Paste", true)) << "nothing on the clipboard";
    EXPECT_FALSE(s.value("Preview", true));

    // A control on a form: every kind, paste with text on the clipboard.
    StateInputs control = app;
    control.SelectedType = 16;
    control.FormActive = true;
    control.ClipboardHasText = true;
    s = EnabledStates(control);
    for (const QString &key : formOnly + projectOnly)
        EXPECT_TRUE(s.value(key)) << key.toStdString();
    EXPECT_TRUE(s.value("Paste"));
    EXPECT_TRUE(s.value("Preview"));

    // Bars (75 to 78) cannot be cut or copied; they can be deleted and edited.
    for (int type : {75, 76, 77, 78}) {
        StateInputs bar = control;
        bar.SelectedType = type;
        s = EnabledStates(bar);
        EXPECT_FALSE(s.value("Cut", true)) << type;
        EXPECT_FALSE(s.value("Copy", true)) << type;
        EXPECT_TRUE(s.value("Delete")) << type;
        EXPECT_TRUE(s.value("Properties")) << type;
    }

    // Nothing selected in an open project: no edit command applies.
    StateInputs idle;
    idle.ProjectOpen = true;
    idle.ClipboardHasText = true;
    s = EnabledStates(idle);
    for (const char *key : {"Cut", "Copy", "Paste", "Delete", "Properties"})
        EXPECT_FALSE(s.value(key, true)) << key;
    EXPECT_TRUE(s.value("Form"));

    // Every tool of every band has a state (Undo is the undo buffer's).
    QSet<QString> all;
    for (const Menu &menu : MainMenu())
        for (const Tool &tool : menu.Entries)
            all.insert(tool.Key);
    for (const Tool &tool : MainBandTools())
        all.insert(tool.Key);
    for (const Tool &tool : ControlTools())
        all.insert(tool.Key);
    all.remove("Undo");
    all.remove("Redo");
    for (const QString &key : all)
        EXPECT_TRUE(s.contains(key)) << key.toStdString();
}

TEST(MainWindowModel, WindowTitleNamesTheOpenProject)
{
    EXPECT_EQ(WindowTitle("GUI Designer", ""), "GUI Designer");
    EXPECT_EQ(WindowTitle("GUI Designer", "/tmp/orders.gui"), "GUI Designer - [/tmp/orders.gui]");
    EXPECT_EQ(WindowTitle("GUI Designer", "/tmp/orders.gui", true), "GUI Designer - [/tmp/orders.gui] *");
    EXPECT_EQ(WindowTitle("GUI Designer", "", true), "GUI Designer") << "no project, nothing unsaved";
    EXPECT_EQ(WindowTitle("GUI Designer", ProjectTitle("/tmp/orders.gui", true), true),
              "GUI Designer - [/tmp/orders.gui (read-only)] *");
}
