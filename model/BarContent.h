#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// How a design control shows one entry of a bar.
struct BarDisplayItem
{
    enum Kind {
        Separator,     // "-": a line in a menu, a group break elsewhere
        Command,       // a plain menu or pop-up menu item
        SubmenuHeader, // a menu item whose successor is deeper
        WindowList,    // "*WINDOW": the menu that lists the open windows
        Button,        // a tool bar button
        TextPanel,     // a status bar panel that shows its caption
        AutoPanel,     // a status bar panel that shows a keyboard state, the date or the time
    };
    enum PanelKind { NoPanel, Caps, Num, Scroll, Date, Time, TimeDate };
    enum WidthMode { FixedWidth, AutoWidth, SpringWidth };

    Kind ItemKind = Command;
    QString Id;
    // The standard action the ID names ("*Cut", "*Exit", ... in their listed spelling);
    // empty for an ordinary item.
    QString Action;
    PanelKind Panel = NoPanel;
    QString Caption;
    QString Icon;
    QString ToolTip;
    QString Shortcut;           // carried, not shown
    bool CausesValidation = false; // carried, not shown
    bool Enabled = true;
    bool Visible = true;
    int Level = 1;              // always 1 on tool bars and status bars
    bool BeginGroup = false;    // a separator stands before this item at its level
    bool ListsWindows = false;  // the ID is "*WINDOW" (also when it heads a submenu)
    WidthMode Width = AutoWidth; // status bar panels
    int WidthTwips = 0;         // for FixedWidth; at least 1
    int Alignment = 0;          // 0 left, 1 right, 2 center
};

// The items of a menu, pop-up menu, tool bar or status bar (Items): one entry per item in
// display order, each with up to eleven parts: ID or keyword, level, caption, icon,
// enabled, visible, shortcut, causes-validation, tooltip, panel width, panel alignment.
//
// Entries are kept as given, so Items round-trips; the rules apply when they are read:
// tool bars and status bars are flat (their levels count as 1), a status bar width w with
// |w| < 0.0001 is automatic, w < -0.99 a spring, anything else w times the horizontal
// twips-per-unit factor. Setting Items checks the levels of a menu or pop-up menu (5014) and
// the flags, widths and alignments (380). Every failing call leaves the content unchanged.
class BarContent
{
public:
    static constexpr int Menu = 75;
    static constexpr int PopupMenu = 76;
    static constexpr int ToolBar = 77;
    static constexpr int StatusBar = 78;

    // barType is one of 75-78 (anything else raises 5003); twipsPerUnit is the
    // application's horizontal twips-per-unit factor.
    explicit BarContent(int barType, double twipsPerUnit = 120.0);

    int BarType() const { return m_type; }
    bool IsMenu() const { return m_type == Menu || m_type == PopupMenu; }
    void SetTwipsPerUnit(double twipsPerUnit);
    double TwipsPerUnit() const { return m_twipsPerUnit; }

    // Items (26): the whole bar, or with index the index-th entry (380 beyond the count).
    void SetItems(const QString &value, int index = 0);
    QString GetItems(int index = 0) const;
    int ItemCount() const { return int(m_entries.size()); }

    // Item-level properties, by item ID (compared without regard to case; separators have
    // no ID). An ID that names no item raises 380.
    QString ItemCaption(const QString &itemId) const;
    void SetItemCaption(const QString &itemId, const QString &caption);
    QString ItemToolTip(const QString &itemId) const;
    void SetItemToolTip(const QString &itemId, const QString &toolTip);
    QString ItemIcon(const QString &itemId) const;
    void SetItemIcon(const QString &itemId, const QString &icon);
    // Alignment code 0 left, 1 right, 2 center; empty reads as "0".
    QString ItemAlign(const QString &itemId) const;
    void SetItemAlign(const QString &itemId, const QString &align);
    // Width in the scale unit, "0" automatic, "-1" spring; empty reads as "0".
    QString ItemWidth(const QString &itemId) const;
    void SetItemWidth(const QString &itemId, const QString &width);
    bool HasItem(const QString &itemId) const { return Find(itemId) >= 0; }
    // The 1-based position of the item with that ID; 0 when there is none.
    int IndexOf(const QString &itemId) const { return Find(itemId) + 1; }

    // Menus, pop-up menus and tool bars raise only Click (mask 0x20); any other mask raises
    // 380. A status bar accepts any mask.
    static void CheckEventMask(int barType, qint32 mask);

    // What the design control shows, one item per entry.
    std::vector<BarDisplayItem> DisplayModel() const;

    // The standard action keyword in its listed spelling, or empty (compared upper-cased).
    static QString StandardAction(const QString &id);

private:
    static std::vector<QStringList> Parse(const QString &value);
    void Validate(const std::vector<QStringList> &entries) const;
    static int LevelOf(const QStringList &parts);
    int Find(const QString &itemId) const;
    int FindOrThrow(const QString &itemId) const;
    QString Part(const QString &itemId, int part) const;
    void SetPart(const QString &itemId, int part, const QString &text);

    int m_type;
    double m_twipsPerUnit;
    std::vector<QStringList> m_entries; // the parts of each entry, as given
};
