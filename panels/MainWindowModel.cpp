#include "panels/MainWindowModel.h"

#include "model/Vocabulary.h"

namespace MainWindowModel {

namespace {

constexpr Tool FileEntries[] = {
    {"New", "&New", "Ctrl+N", false, ""},
    {"Open", "&Open", "Ctrl+O", false, ""},
    {"Close", "&Close", "", true, ""},
    {"Save", "&Save", "Ctrl+S", false, ""},
    {"SaveAs", "Save &as", "", false, ""},
    {"Exit", "E&xit", "Ctrl+Q", true, ""},
};

constexpr Tool EditEntries[] = {
    {"Undo", "&Undo", "Ctrl+Z", false, ""},
    {"Redo", "&Redo", "Ctrl+Y; Ctrl+Shift+Z", false, ""},
    {"Cut", "Cu&t", "Ctrl+X", true, ""},
    {"Copy", "C&opy", "Ctrl+C", false, ""},
    {"Paste", "&Paste", "Ctrl+V", false, ""},
    {"Delete", "&Delete", "Del", false, ""},
    {"Properties", "P&roperties", "F4", true, ""},
};

// The Format menu's sub-menus. Their keys are the ArrangeCommand's in its order; the tool
// tips serve the Format tool bar.
constexpr Tool AlignEntries[] = {
    {"AlignLefts", "&Lefts", "", false, "Align lefts"},
    {"AlignCenters", "&Centers", "", false, "Align centers"},
    {"AlignRights", "&Rights", "", false, "Align rights"},
    {"AlignTops", "&Tops", "", true, "Align tops"},
    {"AlignMiddles", "&Middles", "", false, "Align middles"},
    {"AlignBottoms", "&Bottoms", "", false, "Align bottoms"},
    {"AlignToGrid", "to &Grid", "", true, "Align to grid"},
};

constexpr Tool SameSizeEntries[] = {
    {"SameWidth", "&Width", "", false, "Make same width"},
    {"SameHeight", "&Height", "", false, "Make same height"},
    {"SameBoth", "&Both", "", false, "Make same size"},
};

constexpr Tool HSpaceEntries[] = {
    {"HSpaceEqual", "Make &Equal", "", false, "Make horizontal spacing equal"},
    {"HSpaceIncrease", "&Increase", "", false, "Increase horizontal spacing"},
    {"HSpaceDecrease", "&Decrease", "", false, "Decrease horizontal spacing"},
};

constexpr Tool VSpaceEntries[] = {
    {"VSpaceEqual", "Make &Equal", "", false, "Make vertical spacing equal"},
    {"VSpaceIncrease", "&Increase", "", false, "Increase vertical spacing"},
    {"VSpaceDecrease", "&Decrease", "", false, "Decrease vertical spacing"},
};

constexpr Tool CenterEntries[] = {
    {"CenterHorizontally", "&Horizontally", "", false, "Center horizontally in form"},
    {"CenterVertically", "&Vertically", "", false, "Center vertically in form"},
};

constexpr Tool OrderEntries[] = {
    {"BringToFront", "Bring to &Front", "Ctrl+J", false, "Bring to front"},
    {"SendToBack", "Send to &Back", "Ctrl+K", false, "Send to back"},
};

constexpr Menu FormatSubMenus[] = {
    {"FormatAlign", "&Align", AlignEntries},
    {"FormatSameSize", "Make Same &Size", SameSizeEntries},
    {"FormatHSpace", "&Horizontal Spacing", HSpaceEntries},
    {"FormatVSpace", "&Vertical Spacing", VSpaceEntries},
    {"FormatCenter", "&Center in Form", CenterEntries},
    {"FormatOrder", "&Order", OrderEntries},
};

// The Format commands in ArrangeCommand's order: the sub-menus' entries one after another.
constexpr std::size_t FormatCommandCount()
{
    std::size_t count = 0;
    for (const Menu &menu : FormatSubMenus)
        count += menu.Entries.size();
    return count;
}
static_assert(FormatCommandCount() == std::size_t(ArrangeCommand::SendToBack) + 1);

const Tool &FormatCommand(std::size_t index)
{
    for (const Menu &menu : FormatSubMenus) {
        if (index < menu.Entries.size())
            return menu.Entries[index];
        index -= menu.Entries.size();
    }
    return FormatSubMenus[0].Entries[0]; // not reached: the index is below the count
}

constexpr Tool ViewEntries[] = {
    {"ViewToolbar", "&Toolbar", "", false, ""},
    {"StatusBar", "&Status bar", "", false, ""},
    {"ViewGrid", "&Grid", "", false, ""},
    {"TabOrder", "Tab &Order", "Ctrl+T", false, ""},
    {"Settings", "&Preferences...", "", true, ""},
};

constexpr Tool ToolsEntries[] = {
    {"Upd", "&Update code", "", false, ""},
    {"Quill", "&Code editor", "", false, ""},
    {"Preview", "Pre&view", "", true, ""},
};

constexpr Tool HelpEntries[] = {
    {"HelpTopics", "Topics", "", false, ""},
    {"HelpAbout", "&About GUI designer", "", false, ""},
};

constexpr Menu Menus[] = {
    {"File", "&File", FileEntries},
    {"Edit", "&Edit", EditEntries},
    {"Format", "F&ormat", {}},
    {"View", "&View", ViewEntries},
    {"Tools", "&Tools", ToolsEntries},
    {"Window", "&Window", {}},
    {"Help", "&Help", HelpEntries},
};

constexpr Tool MainTools[] = {
    {"New", "", "", false, "Create new GUI application project"},
    {"Open", "", "", false, "Open existing GUI application project"},
    {"Save", "", "", false, "Save the current GUI project"},
    {"Properties", "", "", true, "Display properties for selected object"},
    {"Quill", "", "", false, "Display code window"},
    {"Upd", "", "", false, "Update code"},
    {"Preview", "", "", false, "Display preview window for current Form"},
    {"Undo", "", "", true, "Undo previous change"},
    {"Redo", "", "", false, "Redo the last undone change"},
    {"Cut", "", "", false, "Cut currently selected object and place on clipboard"},
    {"Copy", "", "", false, "Copy currently selected object to clipboard"},
    {"Paste", "", "", false, "Paste object from clipboard"},
    {"Delete", "", "", false, "Delete currently selected object"},
};

constexpr Tool KindTools[] = {
    {"Form", "Form", "", false, "Form"},
    {"Label", "Label", "", false, "Label"},
    {"Textbox", "Textbox", "", false, "Text box"},
    {"Listbox", "Listbox", "", false, "List box"},
    {"Combobox", "Combobox", "", false, "Combo box"},
    {"Checkbox", "Checkbox", "", false, "Check box"},
    {"Option", "Option", "", false, "Option group"},
    {"Command", "Command", "", false, "Command button"},
    {"Grid", "Grid", "", false, "Grid"},
    {"Frame", "Frame", "", false, "Frame"},
    {"Picture", "Picture", "", false, "Picture"},
    {"Tabgrp", "Tabgrp", "", false, "Tab group"},
    {"Tree", "Tree", "", false, "Tree"},
    {"Gauge", "Gauge", "", false, "Gauge"},
    {"Browser", "HTML viewer", "", false, "HTML viewer"},
    {"Menu", "Menu", "", false, "Main menu"},
    {"Popupmenu", "Popupmenu", "", false, "Popup menu"},
    {"Toolbar", "Toolbar", "", false, "Toolbar"},
    {"Statusbar", "Status bar", "", false, "Status bar"},
    {"Timer", "Timer", "", false, "Timer"},
};

constexpr Tool PopupEntries[] = {
    {"Undo", "&Undo", "", false, ""},
    {"Redo", "&Redo", "", false, ""},
    {"Cut", "Cu&t", "", true, ""},
    {"Copy", "C&opy", "", false, ""},
    {"Paste", "&Paste", "", false, ""},
    {"Delete", "&Delete", "", false, ""},
    {"New", "&New", "", true, ""},
    {"Properties", "P&roperties", "", true, ""},
    {"Code", "&Edit code", "", false, ""},
};

constexpr Panel Panels[] = {
    {"Panel1", "Starting up", "Server status"},
    {"Panel2", "0,0", "Current location"},
    {"Panel3", "0,0", "Current size"},
    {"Panel4", "", ""},
    {"Panel5", "", ""},
};

constexpr EditShortcut EditKeys[] = {
    {"Copy", "Ctrl+C"}, {"Cut", "Ctrl+X"}, {"Delete", "Del"}, {"Paste", "Ctrl+V"}, {"Undo", "Ctrl+Z"},
    {"Redo", "Ctrl+Y; Ctrl+Shift+Z"},
};

const Tool *FindMenuEntry(const QString &key)
{
    for (std::span<const Menu> menus : {std::span<const Menu>(Menus), std::span<const Menu>(FormatSubMenus)})
        for (const Menu &menu : menus)
            for (const Tool &tool : menu.Entries)
                if (key == QLatin1String(tool.Key))
                    return &tool;
    return nullptr;
}

bool OneOf(const QString &key, std::initializer_list<const char *> keys)
{
    for (const char *k : keys)
        if (key == QLatin1String(k))
            return true;
    return false;
}

// The number after a dynamic key's prefix, or -1 when there is none.
int NumberAfter(const QString &key, int prefixLength)
{
    bool ok = false;
    const QString digits = key.mid(prefixLength);
    if (digits.isEmpty())
        return -1;
    for (QChar c : digits)
        if (!c.isDigit())
            return -1;
    const int n = digits.toInt(&ok);
    return ok ? n : -1;
}

bool IsItemKind(const QString &key)
{
    for (const Tool &tool : KindTools)
        if (key == QLatin1String(tool.Key))
            return true;
    return false;
}

} // namespace

std::span<const Menu> MainMenu() { return Menus; }
std::span<const Tool> MainBandTools() { return MainTools; }
std::span<const Tool> ControlTools() { return KindTools; }
std::span<const Tool> PopupTools() { return PopupEntries; }
std::span<const Menu> FormatMenus() { return FormatSubMenus; }

std::optional<ArrangeCommand> ArrangeCommandOf(const QString &key)
{
    for (std::size_t i = 0; i < FormatCommandCount(); ++i)
        if (key == QLatin1String(FormatCommand(i).Key))
            return ArrangeCommand(i);
    return std::nullopt;
}
std::span<const Panel> StatusPanels() { return Panels; }
std::span<const EditShortcut> EditShortcuts() { return EditKeys; }

QString Caption(const QString &key)
{
    if (const Tool *tool = FindMenuEntry(key))
        return QString::fromLatin1(tool->Caption);
    for (const Tool &tool : KindTools)
        if (key == QLatin1String(tool.Key))
            return QString::fromLatin1(tool.Caption);
    for (const Tool &tool : PopupEntries)
        if (key == QLatin1String(tool.Key))
            return QString::fromLatin1(tool.Caption);
    return {};
}

QString Shortcut(const QString &key)
{
    const Tool *tool = FindMenuEntry(key);
    return tool ? QString::fromLatin1(tool->Shortcut) : QString();
}

Command Classify(const QString &key)
{
    Command command;
    command.Name = key;
    if (key == QLatin1String("Exit"))
        command.What = Kind::Exit;
    else if (OneOf(key, {"New", "Open", "Save", "SaveAs", "Close"}))
        command.What = Kind::Document;
    else if (OneOf(key, {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete"}))
        command.What = Kind::Edit;
    else if (key == QLatin1String("Properties"))
        command.What = Kind::Properties;
    else if (OneOf(key, {"Upd", "Quill", "Preview"}))
        command.What = Kind::Code;
    else if (OneOf(key, {"ViewToolbar", "StatusBar", "ViewGrid"}))
        command.What = Kind::ViewToggle;
    else if (key == QLatin1String("TabOrder"))
        command.What = Kind::TabOrder;
    else if (ArrangeCommandOf(key))
        command.What = Kind::Format;
    else if (key == QLatin1String("Settings"))
        command.What = Kind::Settings;
    else if (OneOf(key, {"HelpTopics", "HelpAbout"}))
        command.What = Kind::Help;
    else if (IsItemKind(key))
        command.What = Kind::ItemKind;
    else if (key.startsWith(QLatin1String("file_"))) {
        command.Index = qMax(0, NumberAfter(key, 5));
        command.What = command.Index > 0 ? Kind::RecentFile : Kind::Unknown;
    } else if (key.startsWith(QLatin1String("wl*"))) {
        command.Index = qMax(0, NumberAfter(key, 3));
        command.What = command.Index > 0 ? Kind::WindowList : Kind::Unknown;
    } else if (key.startsWith(QLatin1String("cl*"))) {
        // The Code menu counts its list entries from 0.
        const int n = NumberAfter(key, 3);
        command.Index = qMax(0, n);
        command.What = n >= 0 ? Kind::CodeMenu : Kind::Unknown;
    } else if (key.startsWith(QLatin1String("cm*")) && key.size() > 3) {
        command.Name = key.mid(3);
        command.What = Kind::CodeMenu;
    }
    return command;
}

QString NotAvailableMessage(const QString &key)
{
    return QStringLiteral("The selected function (") + key
           + QStringLiteral(") is not available at this time");
}

QString RecentFileKey(int n) { return QStringLiteral("file_") + QString::number(n); }
QString WindowListKey(int n) { return QStringLiteral("wl*") + QString::number(n); }

QString NumberedCaption(int n, const QString &text)
{
    // A "&" in a file name or title would steal the access key; "&&" shows it as it is.
    QString shown = text;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(n) + QLatin1Char(' ') + shown;
}

QHash<QString, bool> EnabledStates(const StateInputs &in)
{
    using namespace Vocabulary;
    QHash<QString, bool> states;
    const bool project = in.ProjectOpen;
    const bool selected = project && in.ItemSelected;
    const bool bar = selected && IsFormBar(in.SelectedType);
    const bool form = project && in.FormActive;

    states.insert(QStringLiteral("New"), true);
    states.insert(QStringLiteral("Open"), true);
    states.insert(QStringLiteral("Close"), project);
    states.insert(QStringLiteral("Save"), project);
    states.insert(QStringLiteral("SaveAs"), project);
    for (const char *always : {"Exit", "ViewToolbar", "StatusBar", "ViewGrid", "Settings",
                               "HelpTopics", "HelpAbout"})
        states.insert(QString::fromLatin1(always), true);
    // Menus and bars are edited through their form's property sheet and have no text of
    // their own to copy.
    states.insert(QStringLiteral("Cut"), selected && !bar);
    states.insert(QStringLiteral("Copy"), selected && !bar);
    states.insert(QStringLiteral("Paste"), selected && in.ClipboardHasText);
    states.insert(QStringLiteral("Delete"), selected);
    states.insert(QStringLiteral("Properties"), selected);
    states.insert(QStringLiteral("Code"), selected);
    states.insert(QStringLiteral("Upd"), project);
    states.insert(QStringLiteral("Quill"), project);
    states.insert(QStringLiteral("Preview"), form);
    states.insert(QStringLiteral("TabOrder"), form);
    for (std::size_t i = 0; i < FormatCommandCount(); ++i)
        states.insert(QString::fromLatin1(FormatCommand(i).Key), project && (in.Arrangeable >> i & 1u) != 0);
    for (const Tool &tool : KindTools) {
        const QString key = QString::fromLatin1(tool.Key);
        const bool needsProjectOnly = OneOf(key, {"Form", "Menu", "Toolbar"});
        states.insert(key, needsProjectOnly ? project : form);
    }
    return states;
}

QString WindowTitle(const QString &programTitle, const QString &projectTitle, bool changed)
{
    if (projectTitle.isEmpty())
        return programTitle;
    return programTitle + QStringLiteral(" - [") + projectTitle + QLatin1Char(']')
        + (changed ? QStringLiteral(" *") : QString());
}

QString ProjectTitle(const QString &name, bool readOnly)
{
    return readOnly ? name + QStringLiteral(" (read-only)") : name;
}

} // namespace MainWindowModel
