#include "model/BarContent.h"

#include "model/ListContent.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <algorithm>
#include <climits>
#include <cmath>

using ListValue::CheckTwipsPerUnit;
using ListValue::InvalidValue;

namespace {
// Positions of the parts of an entry (0-based).
constexpr int IdPart = 0;
constexpr int LevelPart = 1;
constexpr int CaptionPart = 2;
constexpr int IconPart = 3;
constexpr int EnabledPart = 4;
constexpr int VisiblePart = 5;
constexpr int ShortcutPart = 6;
constexpr int ValidationPart = 7;
constexpr int ToolTipPart = 8;
constexpr int WidthPart = 9;
constexpr int AlignPart = 10;

constexpr double AutoWidthLimit = 0.0001;
constexpr double SpringLimit = -0.99;

constexpr QLatin1String SeparatorId("-");

// The standard actions as they are spelled, and upper-cased.
struct StandardActionName {
    const char16_t *Name;
    const char16_t *Upper;
};
constexpr StandardActionName StandardActions[] = {
    {u"*Exit", u"*EXIT"},           {u"*Cut", u"*CUT"},           {u"*Copy", u"*COPY"},
    {u"*Paste", u"*PASTE"},         {u"*SelectAll", u"*SELECTALL"}, {u"*Print", u"*PRINT"},
    {u"*PrintSetup", u"*PRINTSETUP"}, {u"*Window", u"*WINDOW"},   {u"*TileHoriz", u"*TILEHORIZ"},
    {u"*TileVert", u"*TILEVERT"},   {u"*Cascade", u"*CASCADE"},   {u"*Help", u"*HELP"},
    {u"*About", u"*ABOUT"},
};

struct PanelKeyword {
    const char16_t *Keyword; // upper-cased
    BarDisplayItem::PanelKind Kind;
};
constexpr PanelKeyword PanelKeywords[] = {
    {u"*CAPS", BarDisplayItem::Caps},     {u"*NUM", BarDisplayItem::Num},
    {u"*SCROLL", BarDisplayItem::Scroll}, {u"*DATE", BarDisplayItem::Date},
    {u"*TIME", BarDisplayItem::Time},     {u"*TIMEDATE", BarDisplayItem::TimeDate},
};

bool IsSeparator(const QStringList &parts)
{
    return parts[IdPart] == SeparatorId;
}

bool FlagOrEmpty(const QString &text)
{
    return text.trimmed().isEmpty() || ListValue::ParseFlag(text);
}

bool FlagOr(const QString &text, bool fallback)
{
    bool value = fallback;
    if (!text.trimmed().isEmpty())
        ListValue::ParseFlag(text, &value);
    return value;
}

// A panel width in the scale unit: automatic near 0, a spring below -0.99, otherwise a
// fixed width that must not be negative or beyond what a control can take.
bool ValidWidth(const QString &text, double twipsPerUnit)
{
    if (text.trimmed().isEmpty())
        return true;
    double w = 0.0;
    if (!ListValue::ParseNumber(text, &w))
        return false;
    if (std::fabs(w) < AutoWidthLimit || w < SpringLimit)
        return true;
    const double twips = w * twipsPerUnit;
    return twips >= 0.0 && twips <= double(INT_MAX);
}

bool ValidAlign(const QString &text)
{
    return text.trimmed().isEmpty() || ListValue::ParseInt(text, 0, 2);
}

void CheckEntry(const QStringList &parts, bool statusBar, double twipsPerUnit)
{
    auto part = [&](int i) { return parts.value(i); };
    if (!FlagOrEmpty(part(EnabledPart)) || !FlagOrEmpty(part(VisiblePart))
        || !FlagOrEmpty(part(ValidationPart)))
        InvalidValue();
    if (statusBar && (!ValidWidth(part(WidthPart), twipsPerUnit) || !ValidAlign(part(AlignPart))))
        InvalidValue();
}
} // namespace

BarContent::BarContent(int barType, double twipsPerUnit)
    : m_type(barType), m_twipsPerUnit(twipsPerUnit)
{
    if (barType < Menu || barType > StatusBar)
        throw GuiError(GuiErrors::InvalidArgument);
    CheckTwipsPerUnit(twipsPerUnit);
}

void BarContent::SetTwipsPerUnit(double twipsPerUnit)
{
    CheckTwipsPerUnit(twipsPerUnit);
    m_twipsPerUnit = twipsPerUnit;
}

std::vector<QStringList> BarContent::Parse(const QString &value)
{
    ListValue::RejectRecordMarks(value);
    const QStringList entries = ListValue::SplitEntries(value);
    std::vector<QStringList> parsed;
    parsed.reserve(size_t(entries.size()));
    for (const QString &entry : entries)
        parsed.push_back(ListValue::SplitParts(entry));
    return parsed;
}

// The level of a menu entry; an empty level is a top-level item. Callers have validated it.
int BarContent::LevelOf(const QStringList &parts)
{
    int level = 1;
    const QString text = parts.value(LevelPart);
    if (!text.trimmed().isEmpty())
        ListValue::ParseInt(text, 1, INT_MAX, &level);
    return level;
}

void BarContent::Validate(const std::vector<QStringList> &entries) const
{
    int previous = 1; // before the first entry
    for (const QStringList &parts : entries) {
        if (IsMenu()) {
            const QString text = parts.value(LevelPart);
            int level = 1;
            if (!text.trimmed().isEmpty()) {
                if (!ListValue::ParseInt(text, INT_MIN, INT_MAX, &level))
                    InvalidValue();
                // A level below 1 can no more be reached than one that skips a level.
                if (level < 1 || level > previous + 1)
                    throw GuiError(GuiErrors::MenuLevelNotSequential);
            }
            previous = level;
        }
        CheckEntry(parts, m_type == StatusBar, m_twipsPerUnit);
    }
}

void BarContent::SetItems(const QString &value, int index)
{
    if (index < 0)
        InvalidValue();
    if (index == 0) {
        std::vector<QStringList> entries = Parse(value);
        Validate(entries);
        m_entries = std::move(entries);
        return;
    }
    ListValue::CheckIndex(index, ItemCount());
    ListValue::RejectRecordMarks(value);
    if (ListValue::HasEntryMarks(value, false))
        InvalidValue();
    std::vector<QStringList> entries = m_entries;
    entries[size_t(index - 1)] = ListValue::SplitParts(value);
    Validate(entries);
    m_entries = std::move(entries);
}

QString BarContent::GetItems(int index) const
{
    if (index < 0)
        InvalidValue();
    if (index > 0) {
        ListValue::CheckIndex(index, ItemCount());
        return ListValue::JoinParts(m_entries[size_t(index - 1)]);
    }
    QString text;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (i > 0)
            text += QChar(Marks::Value);
        text += ListValue::JoinParts(m_entries[i]);
    }
    return text;
}

int BarContent::Find(const QString &itemId) const
{
    if (itemId.isEmpty() || itemId == SeparatorId)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i][IdPart].compare(itemId, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int BarContent::FindOrThrow(const QString &itemId) const
{
    const int i = Find(itemId);
    if (i < 0)
        InvalidValue();
    return i;
}

QString BarContent::Part(const QString &itemId, int part) const
{
    return m_entries[size_t(FindOrThrow(itemId))].value(part);
}

void BarContent::SetPart(const QString &itemId, int part, const QString &text)
{
    QStringList &parts = m_entries[size_t(FindOrThrow(itemId))];
    if (ListValue::HasEntryMarks(text, true))
        InvalidValue();
    QStringList changed = parts;
    while (changed.size() <= part)
        changed.append(QString());
    changed[part] = text;
    CheckEntry(changed, m_type == StatusBar, m_twipsPerUnit);
    parts = std::move(changed);
}

QString BarContent::ItemCaption(const QString &itemId) const
{
    return Part(itemId, CaptionPart);
}

void BarContent::SetItemCaption(const QString &itemId, const QString &caption)
{
    SetPart(itemId, CaptionPart, caption);
}

QString BarContent::ItemToolTip(const QString &itemId) const
{
    return Part(itemId, ToolTipPart);
}

void BarContent::SetItemToolTip(const QString &itemId, const QString &toolTip)
{
    SetPart(itemId, ToolTipPart, toolTip);
}

QString BarContent::ItemIcon(const QString &itemId) const
{
    return Part(itemId, IconPart);
}

void BarContent::SetItemIcon(const QString &itemId, const QString &icon)
{
    SetPart(itemId, IconPart, icon);
}

QString BarContent::ItemAlign(const QString &itemId) const
{
    const QString align = Part(itemId, AlignPart);
    return align.trimmed().isEmpty() ? QStringLiteral("0") : align;
}

void BarContent::SetItemAlign(const QString &itemId, const QString &align)
{
    FindOrThrow(itemId);
    if (!ValidAlign(align))
        InvalidValue();
    SetPart(itemId, AlignPart, align);
}

QString BarContent::ItemWidth(const QString &itemId) const
{
    const QString width = Part(itemId, WidthPart);
    return width.trimmed().isEmpty() ? QStringLiteral("0") : width;
}

void BarContent::SetItemWidth(const QString &itemId, const QString &width)
{
    FindOrThrow(itemId);
    if (!ValidWidth(width, m_twipsPerUnit))
        InvalidValue();
    SetPart(itemId, WidthPart, width);
}

void BarContent::CheckEventMask(int barType, qint32 mask)
{
    constexpr qint32 ClickMask = 0x20;
    switch (barType) {
    case Menu:
    case PopupMenu:
    case ToolBar:
        if (mask != ClickMask)
            InvalidValue();
        return;
    case StatusBar:
        return;
    default:
        throw GuiError(GuiErrors::InvalidArgument);
    }
}

QString BarContent::StandardAction(const QString &id)
{
    // Every standard action begins with an asterisk, and no other character upper-cases to
    // one: most IDs are told apart without upper-casing them.
    if (!id.startsWith(u'*'))
        return {};
    const QString upper = id.toUpper();
    for (const StandardActionName &action : StandardActions)
        if (upper == QStringView(action.Upper))
            return QString::fromUtf16(action.Name);
    return {};
}

std::vector<BarDisplayItem> BarContent::DisplayModel() const
{
    const size_t n = m_entries.size();
    std::vector<int> levels(n, 1);
    if (IsMenu()) {
        for (size_t i = 0; i < n; ++i)
            levels[i] = LevelOf(m_entries[i]);
    }

    std::vector<BarDisplayItem> items;
    items.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const QStringList &parts = m_entries[i];
        BarDisplayItem item;
        item.Id = parts[IdPart];
        item.Level = levels[i];
        item.Caption = parts.value(CaptionPart);
        item.Icon = parts.value(IconPart);
        item.Enabled = FlagOr(parts.value(EnabledPart), true);
        item.Visible = FlagOr(parts.value(VisiblePart), true);
        item.Shortcut = parts.value(ShortcutPart);
        item.CausesValidation = FlagOr(parts.value(ValidationPart), false);
        item.ToolTip = parts.value(ToolTipPart);

        const QString upper = item.Id.toUpper();
        if (IsSeparator(parts)) {
            item.ItemKind = BarDisplayItem::Separator;
        } else if (m_type == StatusBar) {
            item.ItemKind = BarDisplayItem::TextPanel;
            for (const PanelKeyword &panel : PanelKeywords) {
                if (upper == QStringView(panel.Keyword)) {
                    item.ItemKind = BarDisplayItem::AutoPanel;
                    item.Panel = panel.Kind;
                }
            }
        } else {
            item.Action = StandardAction(item.Id);
            item.ListsWindows = upper == u"*WINDOW";
            if (m_type == ToolBar)
                item.ItemKind = BarDisplayItem::Button;
            else if (i + 1 < n && levels[i + 1] > levels[i])
                item.ItemKind = BarDisplayItem::SubmenuHeader;
            else if (item.ListsWindows)
                item.ItemKind = BarDisplayItem::WindowList;
            else
                item.ItemKind = BarDisplayItem::Command;
        }
        item.BeginGroup = item.ItemKind != BarDisplayItem::Separator && i > 0
                          && IsSeparator(m_entries[i - 1]) && levels[i - 1] == levels[i];

        if (m_type == StatusBar) {
            double w = 0.0;
            ListValue::ParseNumber(parts.value(WidthPart), &w);
            if (std::fabs(w) < AutoWidthLimit) {
                item.Width = BarDisplayItem::AutoWidth;
            } else if (w < SpringLimit) {
                item.Width = BarDisplayItem::SpringWidth;
            } else {
                // The factor may have changed since the width was checked.
                const double twips = std::clamp(w * m_twipsPerUnit, 0.0, double(INT_MAX));
                item.Width = BarDisplayItem::FixedWidth;
                // A fixed width never rounds down to nothing, which would read as automatic.
                item.WidthTwips = std::max(1, int(std::lround(twips)));
            }
            ListValue::ParseInt(parts.value(AlignPart), 0, 2, &item.Alignment);
        }
        items.push_back(item);
    }
    return items;
}
