#pragma once

#include "app/Arrangement.h"

#include <QHash>
#include <QString>
#include <optional>
#include <span>

// What the main window offers and when: the bands with their tools (captions with "&" for the
// access key, shortcuts, group starts, tool tips), how a command key is dispatched, which
// commands are enabled for a given state of the designer, and the window title. The window
// builds itself from these tables and asks them after every change; nothing here needs a
// display.
namespace MainWindowModel {

// One tool of a band. Texts are the program's own, used as they stand.
struct Tool
{
    const char *Key;
    const char *Caption;  // "&" marks the access key; may be empty for a tool-bar tool
    const char *Shortcut; // Qt's portable text ("Ctrl+N", "Del", "F4"), or empty
    bool Group;           // a separator comes before it
    const char *ToolTip;  // or empty
};

// A top-level menu of the menu bar with its fixed entries. The File menu's recent files and
// the Window menu's list are added while the menu opens.
struct Menu
{
    const char *Key;
    const char *Caption;
    std::span<const Tool> Entries;
};

struct Panel
{
    const char *Key;
    const char *Text;
    const char *ToolTip;
};

// Band keys.
inline constexpr const char *MainMenuBand = "MainMenu";
inline constexpr const char *MainBand = "BandMain";
inline constexpr const char *ControlsBand = "BandControls";
inline constexpr const char *FormatBand = "BandFormat";
// The main menu's Format menu, which holds only the sub-menus of FormatMenus().
inline constexpr const char *FormatMenuKey = "Format";
inline constexpr const char *PopupBand = "Popup";
inline constexpr const char *StatusBand = "StatusBar";
// The context menu's sub-menus.
inline constexpr const char *PopupNewMenu = "New";
inline constexpr const char *PopupCodeMenu = "Code";

std::span<const Menu> MainMenu();
std::span<const Tool> MainBandTools();
// The item kinds in tool-bar order; their captions are the ones the context menu's "New"
// sub-menu shows.
std::span<const Tool> ControlTools();
// The context menu's own entries; "New" and "Code" are its sub-menus.
std::span<const Tool> PopupTools();
std::span<const Panel> StatusPanels();
// The Format menu's sub-menus (Align, Make Same Size, the spacings, Center in Form, Order);
// the context menu and the Format tool bar show the same commands.
std::span<const Menu> FormatMenus();
// The Format command a key stands for.
std::optional<ArrangeCommand> ArrangeCommandOf(const QString &key);

// The caption of a tool of the main menu or the context menu; empty for an unknown key.
QString Caption(const QString &key);
// The shortcut a key has in the main menu; empty when it has none.
QString Shortcut(const QString &key);

// The Edit entries whose shortcuts a label edit in the project tree needs for itself, and the
// shortcuts they get back afterwards, in that order.
struct EditShortcut
{
    const char *Key;
    const char *Shortcut;
};
std::span<const EditShortcut> EditShortcuts();

// ---- Dispatch ---------------------------------------------------------------------------

enum class Kind {
    Exit,
    Document,   // New, Open, Save, SaveAs, Close
    Edit,       // Undo, Redo, Cut, Copy, Paste, Delete
    Properties,
    Code,       // Upd, Quill, Preview
    ViewToggle, // ViewToolbar, StatusBar, ViewGrid
    TabOrder,   // the tab-order mode of the active form
    Format,     // AlignLefts ... SendToBack
    Settings,
    ItemKind,   // Form ... Timer
    Help,       // HelpTopics, HelpAbout
    RecentFile, // "file_" + n
    WindowList, // "wl*" + n
    CodeMenu,   // "cm*" + event name, "cl*" + n
    Unknown,
};

struct Command
{
    Kind What = Kind::Unknown;
    int Index = 0;  // n of "file_" + n, "wl*" + n (from 1), "cl*" + n (from 0)
    QString Name;   // the event of "cm*" + name; the key itself otherwise
};

// What a clicked key stands for. "file_" and "wl*" need a number of 1 or more ("file_0" and
// "wl*x" are unknown), "cl*" one of 0 or more; "cm*" needs an event name.
Command Classify(const QString &key);
// The message for a key no band knows.
QString NotAvailableMessage(const QString &key);

// Dynamic tools.
QString RecentFileKey(int n);
QString WindowListKey(int n);
// "&" + n + " " + text: the access key is the entry's number.
QString NumberedCaption(int n, const QString &text);

// ---- Command states -----------------------------------------------------------------------

struct StateInputs
{
    bool ProjectOpen = false;
    // An item is selected and its sizer is active.
    bool ItemSelected = false;
    int SelectedType = -1;
    // A design form is active (the selection is a form or lies on one).
    bool FormActive = false;
    // The clipboard holds text that may be pasted.
    bool ClipboardHasText = false;
    // The current project has unsaved changes (the title says so).
    bool ProjectChanged = false;
    // The Format commands that can act on the selection: bit n for ArrangeCommand(n).
    quint32 Arrangeable = 0;
};

// The enabled state of every key of the main menu, the main tool bar, the item-kind tool bar
// and the context menu (Undo and Redo follow their records and are not among them).
QHash<QString, bool> EnabledStates(const StateInputs &in);

// The main window's caption: the program title, then " - [" + project title + "]" while a
// project is open (an empty project title counts as none), and " *" while it has unsaved
// changes.
QString WindowTitle(const QString &programTitle, const QString &projectTitle, bool changed = false);
// The project title: the document's display name (the application's ID before the first
// save), marked when the project is open read-only.
QString ProjectTitle(const QString &name, bool readOnly);

} // namespace MainWindowModel
