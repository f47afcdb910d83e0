#include "model/cMenuWrapper.h"

#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "model/iFormFuncs.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <algorithm>
#include <cmath>
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

constexpr const char *PanelKeywords[] = {"*CAPS", "*NUM", "*SCROLL", "*DATE", "*TIME",
                                         "*TIMEDATE"};

QStringList Entries(const QString &value)
{
    return value.isEmpty() ? QStringList() : value.split(QChar(Marks::Value));
}

[[noreturn]] void BadIndex()
{
    throw GuiError(GuiErrors::InvalidPropertyValue);
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
    UpdateInsets();
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

int cMenuWrapper::FindEntry(const QStringList &entries, const QString &itemId) const
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].section(QChar(Marks::SubValue), 0, 0).compare(itemId, Qt::CaseInsensitive)
            == 0)
            return i;
    return -1;
}

QString cMenuWrapper::ItemPart(const QString &itemId, int part) const
{
    const QStringList entries = Entries(Stored(Prop::Items));
    const int i = FindEntry(entries, itemId);
    if (i < 0)
        BadIndex();
    return entries[i].split(QChar(Marks::SubValue)).value(part - 1);
}

void cMenuWrapper::SetItemPart(const QString &itemId, int part, const QString &value)
{
    QStringList entries = Entries(Stored(Prop::Items));
    const int i = FindEntry(entries, itemId);
    if (i < 0)
        BadIndex();
    QStringList parts = entries[i].split(QChar(Marks::SubValue));
    while (parts.size() < part)
        parts << QString();
    parts[part - 1] = value;
    entries[i] = parts.join(QChar(Marks::SubValue));
    SetItems(entries.join(QChar(Marks::Value)));
}

QString cMenuWrapper::GetListEntry(int code, int index1, int index2, const QString &itemId) const
{
    if (itemId.isEmpty())
        return cWrapperBase::GetListEntry(code, index1, index2, itemId);
    // By item ID: the whole entry, or its part index1.
    const QStringList entries = Entries(Stored(Prop::Items));
    const int i = FindEntry(entries, itemId);
    if (i < 0)
        BadIndex();
    return index1 > 0 ? entries[i].split(QChar(Marks::SubValue)).value(index1 - 1) : entries[i];
}

QString cMenuWrapper::SetListEntry(int code, int index1, int index2, const QString &value,
                                   const QString &itemId)
{
    QString whole;
    if (itemId.isEmpty()) {
        whole = cWrapperBase::SetListEntry(code, index1, index2, value, itemId);
    } else {
        QStringList entries = Entries(Stored(Prop::Items));
        const int i = FindEntry(entries, itemId);
        if (i < 0)
            BadIndex();
        if (index1 > 0) {
            QStringList parts = entries[i].split(QChar(Marks::SubValue));
            while (parts.size() < index1)
                parts << QString();
            parts[index1 - 1] = value;
            entries[i] = parts.join(QChar(Marks::SubValue));
        } else {
            entries[i] = value;
        }
        whole = entries.join(QChar(Marks::Value));
    }
    CheckLevels(whole);
    return whole;
}

void cMenuWrapper::CheckLevels(const QString &items) const
{
    // Tool bars and status bars are flat: their levels are not checked.
    if (m_type != Type::Menu && m_type != Type::Popup)
        return;
    int previous = 1;
    for (const QString &entry : Entries(items)) {
        const QString levelText = entry.section(QChar(Marks::SubValue), 1, 1).trimmed();
        const int level = levelText.isEmpty() ? 1 : levelText.toInt();
        if (level > previous + 1)
            throw GuiError(GuiErrors::MenuLevelNotSequential);
        previous = qMax(1, level);
    }
}

void cMenuWrapper::Validate(int code, QString &value) const
{
    if (code == Prop::Align && !value.isEmpty()) {
        value = QString::number(ParseInt(value, 0, 4));
        return;
    }
    cWrapperBase::Validate(code, value);
    if (code == Prop::Items)
        CheckLevels(value);
    // Menus, pop-up menus and tool bars report clicks only; a status bar anything.
    if (code == Prop::EventMask && !value.isEmpty() && m_type != Type::Statusbar
        && value.toInt() != qint32(EventMaskBit(Event::Click)))
        throw GuiError(GuiErrors::InvalidPropertyValue);
}

void cMenuWrapper::ApplyList(int, const QString &value)
{
    if (!m_control)
        return;
    const double scaleX = m_owner ? m_owner->ScaleX() : 1;
    QList<DesignBarItem> items;
    const QStringList entries = Entries(value);
    bool groupBreak = false;
    for (int i = 0; i < entries.size(); ++i) {
        const QStringList parts = entries[i].split(QChar(Marks::SubValue));
        DesignBarItem item;
        item.ID = parts.value(0);
        const bool flat = m_type == Type::Toolbar || m_type == Type::Statusbar;
        item.Level = flat ? 1 : qMax(1, parts.value(1).toInt());
        item.Caption = parts.value(2);
        item.Icon = parts.value(3);
        item.Enabled = parts.value(4) != QLatin1String("0");
        item.Visible = parts.value(5) != QLatin1String("0");
        item.ToolTip = parts.value(8);
        if (item.ID == QLatin1String("-")) {
            item.ItemKind = DesignBarItem::Separator;
            groupBreak = true;
            items << item;
            continue;
        }
        item.GroupBreak = groupBreak;
        groupBreak = false;
        const QString upper = item.ID.toUpper();
        switch (m_type) {
        case Type::Statusbar: {
            item.ItemKind = DesignBarItem::TextPanel;
            for (const char *keyword : PanelKeywords)
                if (upper == QLatin1String(keyword)) {
                    item.ItemKind = DesignBarItem::AutoPanel;
                    item.PanelKeyword = upper.mid(1);
                }
            const double width = parts.value(9).toDouble();
            item.PanelWidth = std::abs(width) < 0.0001 ? 0
                              : width < -0.99       ? -1
                                                    : int(std::lround(width * scaleX));
            item.PanelAlign = parts.value(10).toInt();
            break;
        }
        case Type::Toolbar:
            item.ItemKind = DesignBarItem::Button;
            break;
        default: {
            const int nextLevel =
                i + 1 < entries.size()
                    ? entries[i + 1].section(QChar(Marks::SubValue), 1, 1).toInt()
                    : 0;
            item.ItemKind = upper == QLatin1String("*WINDOW") ? DesignBarItem::WindowList
                            : nextLevel > item.Level          ? DesignBarItem::SubMenu
                                                              : DesignBarItem::Command;
            break;
        }
        }
        items << item;
    }
    m_control->SetBarItems(items);
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

void cMenuWrapper::UpdateInsets()
{
    if (!m_formFuncs || !m_owner || !m_owner->Parent())
        return;
    int left = 0, top = 0, right = 0, bottom = 0;
    clsControl *holder = m_owner->Parent();
    std::vector<const cMenuWrapper *> bars;
    for (const auto &entry : holder->Children())
        if (IsFormBar(entry.Value->ObjType()))
            if (auto *bar = dynamic_cast<cMenuWrapper *>(entry.Value->Wrapper()))
                bars.push_back(bar);
    // A bar being created is not among the children yet.
    if (std::find(bars.begin(), bars.end(), this) == bars.end())
        bars.push_back(this);
    for (const cMenuWrapper *bar : bars) {
        if (!bar->m_control)
            continue;
        const int align = bar->Position();
        if (bar->m_type == Type::Menu)
            top += bar->Height();
        else if (bar->m_type == Type::Statusbar)
            bottom += bar->Height();
        else if (bar->m_type == Type::Toolbar)
            (align == 2 ? bottom : align == 3 ? left : align == 4 ? right : top) +=
                qMax(bar->Width(), bar->Height());
    }
    const int dx = left - m_formFuncs->InsetLeft();
    const int dy = top - m_formFuncs->InsetTop();
    m_formFuncs->SetInsets(left, top, right, bottom);
    // Controls placed on the form keep their place relative to the client origin.
    if (dx != 0 || dy != 0)
        for (const auto &entry : holder->Children())
            if (IsControl(entry.Value->ObjType()))
                entry.Value->Shift(dx, dy);
    m_formFuncs->RefreshBackground();
}
