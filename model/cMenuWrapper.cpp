#include "model/cMenuWrapper.h"

#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"
#include "model/ListContent.h"
#include "support/GuiError.h"

#include <algorithm>
#include <vector>

using namespace Vocabulary;

namespace {
using DefaultFrom = cWrapperBase::DefaultFrom;
constexpr cWrapperBase::DefaultRule Rules[] = {
    {Prop::Enabled, DefaultFrom::Fixed, "1"},
};

// Room taken at the form's edge, in twips.
constexpr int MenuBarHeight = 300;
constexpr int ToolbarHeight = 420;
constexpr int StatusbarHeight = 330;

// Parts of an entry (1-based) that the bar's own codes reach by item ID.
constexpr int VisiblePart = 6;

[[noreturn]] void OutOfRange()
{
    throw GuiError(GuiErrors::InvalidPropertyValue);
}

DesignBarItem::Kind ShownKind(BarDisplayItem::Kind kind)
{
    switch (kind) {
    case BarDisplayItem::Separator: return DesignBarItem::Separator;
    case BarDisplayItem::Command: return DesignBarItem::Command;
    case BarDisplayItem::SubmenuHeader: return DesignBarItem::SubMenu;
    case BarDisplayItem::WindowList: return DesignBarItem::WindowList;
    case BarDisplayItem::Button: return DesignBarItem::Button;
    case BarDisplayItem::TextPanel: return DesignBarItem::TextPanel;
    case BarDisplayItem::AutoPanel: return DesignBarItem::AutoPanel;
    }
    return DesignBarItem::Command;
}

QString PanelKeyword(BarDisplayItem::PanelKind panel)
{
    switch (panel) {
    case BarDisplayItem::Caps: return QStringLiteral("CAPS");
    case BarDisplayItem::Num: return QStringLiteral("NUM");
    case BarDisplayItem::Scroll: return QStringLiteral("SCROLL");
    case BarDisplayItem::Date: return QStringLiteral("DATE");
    case BarDisplayItem::Time: return QStringLiteral("TIME");
    case BarDisplayItem::TimeDate: return QStringLiteral("TIMEDATE");
    case BarDisplayItem::NoPanel: break;
    }
    return {};
}

// The bar control's width: 0 automatic, -1 spring, otherwise twips. A fixed width so small
// that it rounds to nothing stays fixed: 1 twip, never "automatic".
int ShownWidth(const BarDisplayItem &item)
{
    switch (item.Width) {
    case BarDisplayItem::AutoWidth: return 0;
    case BarDisplayItem::SpringWidth: return -1;
    case BarDisplayItem::FixedWidth: break;
    }
    return qMax(1, item.WidthTwips);
}

DesignBarItem Shown(const BarDisplayItem &item)
{
    DesignBarItem d;
    d.ItemKind = ShownKind(item.ItemKind);
    d.ID = item.Id;
    d.Level = item.Level;
    d.Caption = item.Caption;
    d.Icon = item.Icon;
    d.Enabled = item.Enabled;
    d.Visible = item.Visible;
    d.ToolTip = item.ToolTip;
    d.GroupBreak = item.BeginGroup;
    d.Action = item.Action;
    d.ListsWindows = item.ListsWindows;
    if (item.ItemKind == BarDisplayItem::TextPanel || item.ItemKind == BarDisplayItem::AutoPanel) {
        d.PanelWidth = ShownWidth(item);
        d.PanelAlign = item.Alignment;
        d.PanelKeyword = PanelKeyword(item.Panel);
    }
    return d;
}
} // namespace

cMenuWrapper::cMenuWrapper() : cWrapperBase(WrapperKind::Menu) {}

std::span<const cWrapperBase::DefaultRule> cMenuWrapper::Defaults() const
{
    return Rules;
}

QString cMenuWrapper::GetDefaultProperty(int code) const
{
    switch (code) {
    case Prop::EventMask:
        // Menus, pop-up menus and tool bars report clicks and nothing else.
        return m_type == Type::Statusbar ? QString()
                                         : QString::number(EventMaskBit(Event::Click));
    case Prop::Visible:
        return m_type == Type::Popup ? QStringLiteral("0") : QStringLiteral("1");
    case Prop::Align:
        return m_type == Type::Toolbar     ? QStringLiteral("1")
               : m_type == Type::Statusbar ? QStringLiteral("2")
                                           : QString();
    default:
        return cWrapperBase::GetDefaultProperty(code);
    }
}

void cMenuWrapper::CreateItem(clsControl *owner, int type, const QString &fullId)
{
    cWrapperBase::CreateItem(owner, type, fullId);
    MakeContent();
    UpdateInsets(false);
}

void cMenuWrapper::CreateDefaultItem(clsControl *owner, int type)
{
    cWrapperBase::CreateDefaultItem(owner, type);
    MakeContent();
}

void cMenuWrapper::MakeContent()
{
    m_bar = std::make_unique<BarContent>(m_type, ScaleFactorX());
}

// The factor follows the application, whose unit may change at any time.
BarContent &cMenuWrapper::Synced() const
{
    if (!m_bar)
        throw GuiError(GuiErrors::ObjectNotSet);
    m_bar->SetTwipsPerUnit(ScaleFactorX());
    return *m_bar;
}

const BarContent &cMenuWrapper::Content() const
{
    return Synced();
}

void cMenuWrapper::SetEnabled(bool enabled)
{
    Store(Prop::Enabled, enabled ? QStringLiteral("1") : QStringLiteral("0"));
}

void cMenuWrapper::DeleteItem()
{
    // The control goes first, so the remaining bars alone decide the insets.
    ReleaseControl();
    m_control = nullptr;
    UpdateInsets();
    cWrapperBase::DeleteItem();
}

void cMenuWrapper::SetItems(const QString &items)
{
    if (m_owner)
        m_owner->SetProperty(Prop::Items, items);
}

void cMenuWrapper::SetStyle(int style)
{
    if (m_owner)
        m_owner->SetProperty(Prop::Style, QString::number(style));
}

void cMenuWrapper::SetPosition(int position)
{
    if (m_owner)
        m_owner->SetProperty(Prop::Align, QString::number(position));
}

void cMenuWrapper::SetBarFlag(int code, bool on)
{
    if (m_owner)
        m_owner->SetProperty(code, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void cMenuWrapper::SetItemCaption(const QString &itemId, const QString &text)
{
    Synced().SetItemCaption(itemId, text);
    ContentChanged(Prop::Items);
}

void cMenuWrapper::SetItemToolTip(const QString &itemId, const QString &text)
{
    Synced().SetItemToolTip(itemId, text);
    ContentChanged(Prop::Items);
}

void cMenuWrapper::SetItemIcon(const QString &itemId, const QString &icon)
{
    Synced().SetItemIcon(itemId, icon);
    ContentChanged(Prop::Items);
}

void cMenuWrapper::SetItemAlign(const QString &itemId, const QString &align)
{
    Synced().SetItemAlign(itemId, align);
    ContentChanged(Prop::Items);
}

void cMenuWrapper::SetItemWidth(const QString &itemId, const QString &width)
{
    Synced().SetItemWidth(itemId, width);
    ContentChanged(Prop::Items);
}

bool cMenuWrapper::AcceptsItemId(int code) const
{
    return code == Prop::Items || code == Prop::Visible || code == Prop::Align;
}

bool cMenuWrapper::IsContentDefault(int) const
{
    return !m_bar || m_bar->ItemCount() == 0;
}

// Without an item ID: index 1 is an entry, index 2 one of its parts. With one: the item's
// entry (index 1: one of its parts), its visible flag or its alignment.
QString cMenuWrapper::GetListEntry(int code, int index1, int index2, const QString &itemId) const
{
    if (!m_bar)
        return {};
    const BarContent &bar = Synced();
    int entry = index1;
    int part = index2;
    if (!itemId.isEmpty()) {
        entry = bar.IndexOf(itemId);
        if (entry == 0)
            OutOfRange();
        part = code == Prop::Visible ? VisiblePart : index1;
        if (code == Prop::Align)
            return bar.ItemAlign(itemId);
    } else if (index1 == 0 && index2 != 0) {
        OutOfRange();
    }
    const QString text = bar.GetItems(entry);
    if (part == 0)
        return text;
    if (part < 0)
        OutOfRange();
    const QString value = ListValue::SplitParts(text).value(part - 1);
    return code == Prop::Visible && value.trimmed().isEmpty() ? QStringLiteral("1") : value;
}

void cMenuWrapper::SetEntryPart(int entry, int part, const QString &text)
{
    BarContent &bar = Synced();
    if (part < 1 || part > 1000 || ListValue::HasEntryMarks(text, true))
        OutOfRange();
    QStringList parts = ListValue::SplitParts(bar.GetItems(entry));
    while (parts.size() < part)
        parts.append(QString());
    parts[part - 1] = text;
    bar.SetItems(ListValue::JoinParts(parts), entry);
}

void cMenuWrapper::SetListEntry(int code, int index1, int index2, const QString &value,
                                const QString &itemId)
{
    BarContent &bar = Synced();
    if (itemId.isEmpty()) {
        if (index1 == 0 && index2 != 0)
            OutOfRange();
        if (index2 != 0)
            SetEntryPart(index1, index2, value);
        else
            bar.SetItems(value, index1);
        return;
    }
    const int entry = bar.IndexOf(itemId);
    if (entry == 0)
        OutOfRange();
    if (code == Prop::Align)
        bar.SetItemAlign(itemId, value);
    else if (code == Prop::Visible)
        SetEntryPart(entry, VisiblePart, value);
    else if (index1 != 0)
        SetEntryPart(entry, index1, value);
    else
        bar.SetItems(value, entry);
    if (code != Prop::Items)
        ContentChanged(Prop::Items);
}

void cMenuWrapper::Validate(int code, QString &value) const
{
    if (code == Prop::Align && !value.isEmpty()) {
        value = QString::number(ParseInt(value, 0, 4));
        return;
    }
    cWrapperBase::Validate(code, value);
    if (code == Prop::EventMask && !value.isEmpty())
        BarContent::CheckEventMask(m_type, value.toInt());
}

void cMenuWrapper::ApplyList(int)
{
    if (!m_control || !m_bar)
        return;
    const std::vector<BarDisplayItem> model = Synced().DisplayModel();
    QList<DesignBarItem> items;
    items.reserve(qsizetype(model.size()));
    for (const BarDisplayItem &item : model)
        items.append(Shown(item));
    m_control->SetBarItems(items);
}

void cMenuWrapper::ScaleChanged()
{
    if (m_type == Type::Statusbar)
        ApplyList(Prop::Items);
}

void cMenuWrapper::Apply(int code, const QString &value)
{
    cWrapperBase::Apply(code, value);
    if (code == Prop::Visible || code == Prop::Align)
        UpdateInsets();
}

quint32 cMenuWrapper::SupportedMethods() const
{
    return (1u << Method::Show) | (1u << Method::Hide) | (1u << Method::Enable)
           | (1u << Method::Disable);
}

int cMenuWrapper::Width() const
{
    if (m_type == Type::Popup || !Visible())
        return 0;
    const int align = Position();
    return m_type == Type::Toolbar && (align == 3 || align == 4) ? ToolbarHeight : 0;
}

int cMenuWrapper::Height() const
{
    if (m_type == Type::Popup || !Visible())
        return 0;
    switch (m_type) {
    case Type::Menu: return MenuBarHeight;
    case Type::Statusbar: return StatusbarHeight;
    default: {
        const int align = Position();
        return align == 1 || align == 2 ? ToolbarHeight : 0;
    }
    }
}

cMenuWrapper::Insets cMenuWrapper::Share() const
{
    Insets share;
    if (!m_control)
        return share;
    const int align = Position();
    if (m_type == Type::Menu)
        share.Top = Height();
    else if (m_type == Type::Statusbar)
        share.Bottom = Height();
    else if (m_type == Type::Toolbar)
        (align == 2 ? share.Bottom : align == 3 ? share.Left : align == 4 ? share.Right : share.Top) =
            qMax(Width(), Height());
    return share;
}

void cMenuWrapper::UpdateInsets(bool listed)
{
    // A share made on a form that is gone (or replaced) no longer counts.
    if (m_insetForm && m_insetForm != m_formFuncs) {
        m_insetForm = nullptr;
        m_share = {};
    }
    if (!m_formFuncs || !m_owner || !m_owner->Parent())
        return;
    iFormFuncs &form = *m_formFuncs;
    const Insets before = m_share;
    // A bar that lost its design control (being deleted) gives its share back.
    const bool counted = m_control != nullptr;
    const Insets now = counted ? Share() : Insets{};
    if (counted && !m_insetForm)
        ++form.BarsWithShare;
    else if (!counted && m_insetForm)
        --form.BarsWithShare;
    m_insetForm = counted ? &form : nullptr;
    m_share = now;

    const int left = form.InsetLeft() - before.Left + now.Left;
    const int top = form.InsetTop() - before.Top + now.Top;
    const int dx = left - form.InsetLeft();
    const int dy = top - form.InsetTop();
    form.SetInsets(left, top, form.InsetRight() - before.Right + now.Right,
                   form.InsetBottom() - before.Bottom + now.Bottom);
    // Controls placed on the form keep their place relative to the client origin. When every
    // child is a bar with a share (a bar being created is not among the children yet) there
    // is nothing to shift.
    clsControl *holder = m_owner->Parent();
    const bool onlyBars = holder->Children().Count() + (listed ? 0 : 1) - (counted ? 0 : 1)
        <= form.BarsWithShare;
    if ((dx != 0 || dy != 0) && !onlyBars)
        for (const auto &entry : holder->Children())
            if (IsControl(entry.Value->ObjType()))
                entry.Value->Shift(dx, dy);
    form.RefreshBackground();
}
