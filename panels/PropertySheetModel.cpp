#include "panels/PropertySheetModel.h"
#include "panels/PropertySheetFields.h"

#include "app/EditCommands.h"
#include "app/ProcessState.h"
#include "app/clsDesigner.h"
#include "app/clsDesignerSettings.h"
#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ColourNames.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"

#include <QPoint>
#include <cmath>

using namespace Vocabulary;
using Page = PropertySheetModel::Page;
using Kind = PropertySheetModel::Kind;
using Field = PropertySheetModel::Field;

namespace {

constexpr const char *PageTitles[PropertySheetModel::PageCount] = {
    "General", "Application", "Traits", "List", "Options", "Events", "Colors", "Font",
    "Picture", "Icon", "Tabs", "Tree", "Drag && Drop", "Menu", "Private", "Custom",
};

// The events each kind of object can raise, in code order.
std::vector<int> EventsOf(WrapperKind kind)
{
    using namespace Event;
    switch (kind) {
    case WrapperKind::App: return {Close, Activate, Deactivate, Help, Status, Timer, Quit};
    case WrapperKind::Form:
        return {Close, Activate, Deactivate, Click, DblClick, Context, Resize, Help, DragDrop};
    case WrapperKind::Label:
    case WrapperKind::Picture:
    case WrapperKind::Frame:
    case WrapperKind::Gauge: return {Click, DblClick, Context, DragDrop};
    case WrapperKind::Edit:
        return {Activate, Deactivate, Click, DblClick, Change, Validate, Context, BtnClick, Help,
                DragDrop};
    case WrapperKind::Command: return {Activate, Deactivate, Click, Context, Help, DragDrop};
    case WrapperKind::Option:
    case WrapperKind::Check:
        return {Activate, Deactivate, Click, Change, Validate, Context, Help, DragDrop};
    case WrapperKind::List:
    case WrapperKind::Combo:
        return {Activate, Deactivate, Click, DblClick, Change, Validate, LoadList, Context,
                Help, DragDrop};
    case WrapperKind::Grid:
        return {Activate, Deactivate, Click, DblClick, Change, Validate, LoadList, ValidateCell,
                ValidateRow, Context, BtnClick, ActivateCell, ColClick, DeactivateCell,
                ActivateRow, DeactivateRow, Help, DragDrop};
    case WrapperKind::Tabgrp:
    case WrapperKind::Tabpnl: return {Activate, Deactivate, Click, Context, DragDrop};
    case WrapperKind::Tree:
        return {Activate, Deactivate, Click, DblClick, Change, Validate, LoadList, Context,
                Help, DragDrop};
    case WrapperKind::Timer: return {Timer};
    case WrapperKind::Browser: return {Activate, Deactivate, Context, Status, DragDrop};
    case WrapperKind::Menu: return {Click};
    default: return {};
    }
}

quint32 RequiredEvents(int type)
{
    if (type == Type::AppMdi)
        return EventMaskBit(Event::Close) | EventMaskBit(Event::Quit);
    if (type == Type::AppSdi)
        return EventMaskBit(Event::Quit);
    return 0;
}

QString SheetCaption(int type)
{
    switch (WrapperKindOf(type)) {
    case WrapperKind::App: return QStringLiteral("Application");
    case WrapperKind::Form: return QStringLiteral("Form");
    case WrapperKind::Edit: return QStringLiteral("Text Box");
    case WrapperKind::Label: return QStringLiteral("Label");
    case WrapperKind::List: return QStringLiteral("List Box");
    case WrapperKind::Combo:
        return type == Type::DropDownList ? QStringLiteral("List Box")
                                          : QStringLiteral("Combo Box");
    case WrapperKind::Option: return QStringLiteral("Option Group");
    case WrapperKind::Check: return QStringLiteral("Check Box");
    case WrapperKind::Command: return QStringLiteral("Command Button");
    case WrapperKind::Grid: return QStringLiteral("Grid");
    case WrapperKind::Picture: return QStringLiteral("Picture Box");
    case WrapperKind::Frame: return QStringLiteral("Frame");
    case WrapperKind::Tabgrp: return QStringLiteral("Tab Group");
    case WrapperKind::Tabpnl: return QStringLiteral("Tab");
    case WrapperKind::Tree: return QStringLiteral("Tree");
    case WrapperKind::Gauge: return QStringLiteral("Gauge");
    case WrapperKind::Browser: return QStringLiteral("HTML");
    case WrapperKind::Timer: return QStringLiteral("Timer");
    case WrapperKind::Menu:
        switch (type) {
        case Type::Popup: return QStringLiteral("Popup menu");
        case Type::Toolbar: return QStringLiteral("Tool bar");
        case Type::Statusbar: return QStringLiteral("Status bar");
        default: return QStringLiteral("Menu");
        }
    default: return QString();
    }
}

bool IsPositionCode(int code) { return code >= Prop::Left && code <= Prop::Height; }

bool HoldsRecordMarks(const QString &text)
{
    return text.contains(QChar(Marks::Segment)) || text.contains(QChar(Marks::Attribute));
}

// Numbers are shown and typed with the locale's decimal separator.
// An empty number field, or one holding its word ("auto", "none").
bool IsWord(const PropertySheetModel::Field &field, const QString &text)
{
    return !field.Word.isEmpty()
           && (text.isEmpty() || text.compare(field.Word, Qt::CaseInsensitive) == 0);
}

QString FormatNumber(double value)
{
    QString text = NumberFormat::Format(value, 2);
    const ProcessState &state = Process();
    if (state.DecimalIsNotPoint)
        text.replace(QLatin1Char('.'), state.DecimalSeparator);
    return text;
}

} // namespace

QString PropertySheetModel::PageTitle(Page page)
{
    const int i = int(page);
    return i >= 0 && i < PageCount ? QString::fromLatin1(PageTitles[i]) : QString();
}

PropertySheetModel::PropertySheetModel() = default;
PropertySheetModel::~PropertySheetModel() = default;

void PropertySheetModel::Reset()
{
    m_item = m_app = m_form = m_parent = nullptr;
    m_defaults.reset();
    m_appId.clear();
    m_formId.clear();
    m_id.clear();
    m_originalId.clear();
    m_fields.clear();
    m_pages.clear();
    m_styles.clear();
    m_styleIndex = m_originalStyleIndex = -1;
    m_loaded.clear();
    m_values.clear();
    m_defaultMarks.clear();
    m_useDefault.clear();
    m_loadedUseDefault.clear();
    m_events.clear();
    m_mask = m_loadedMask = 0;
    m_tabEventsOnGroup = false;
    m_captionFollowsId = false;
    m_dragDrop.Reset();
    m_ext.reset();
    m_private.reset();
    m_loadedExtension.clear();
    m_extensionSet = false;
}

void PropertySheetModel::SetExtensionProfile(std::shared_ptr<const ExtensionProfile> profile)
{
    m_profile = std::move(profile);
}

// ---- Set-up ------------------------------------------------------------------------------

void PropertySheetModel::SetupCreate(clsDesigner &designer, int type, clsControl *app,
                                     clsControl *form, clsControl *selected,
                                     const QString &defaultId)
{
    Reset();
    if (!IsKnownType(type) || type == Type::Root)
        throw GuiError(GuiErrors::InvalidArgument);
    m_mode = Mode::Create;
    m_designer = &designer;
    m_type = type;
    m_app = IsApplication(type) ? nullptr : app;
    m_form = IsControl(type) || IsFormBar(type) ? form : nullptr;
    if (!IsApplication(type) && !m_app)
        throw GuiError(GuiErrors::InvalidFormOrParent);
    if (IsControl(type) && !m_form)
        throw GuiError(GuiErrors::InvalidFormOrParent);
    m_parent = m_form ? m_form : m_app;
    if (IsControl(type) && selected && selected->Form() == m_form && selected != m_form) {
        // Pictures hold no controls in the item tree, so they are not offered as parents;
        // a new tab panel goes only into a tab group.
        const int t = selected->ObjType();
        if (type == Type::Tab ? t == Type::Tabgroup
                              : t == Type::Frame || t == Type::Tabgroup || t == Type::Tab)
            m_parent = selected;
    }
    m_appId = m_app ? m_app->ID() : QString();
    m_formId = m_form ? m_form->ID() : QString();
    m_id = defaultId;
    m_originalId = defaultId;
    RememberPaths();

    m_defaults = designer.Items().CreateDefaultItem(type, m_parent);
    BuildStyles();
    BuildFields();
    Load(*m_defaults, true);

    // What a new object starts with: its default size, placed near the parent's corner
    // (forms where the runtime puts them), and the events the designer always enables.
    const auto [w, h] = DefaultSizeTwips(type);
    if (IsApplication(type) && FindField(Prop::Width)) {
        // The application is made without a size; the one shown is set once it exists.
        m_values[Prop::Width] = FormatNumber(w / ScaleX());
        m_values[Prop::Height] = FormatNumber(h / ScaleY());
    } else if (w > 0 && FindField(Prop::Width)) {
        m_loaded[Prop::Width] = m_values[Prop::Width] = FormatNumber(w / ScaleX());
        m_loaded[Prop::Height] = m_values[Prop::Height] = FormatNumber(h / ScaleY());
        const bool autoPlace = IsForm(type);
        // A control goes to the first free grid place from the container's top left, so
        // new controls do not pile up on one another.
        const QPoint place = IsControl(type) && type != Type::Tab && m_parent
            ? FreePlace(*m_parent, w, h) : QPoint(120, 120);
        m_loaded[Prop::Left] = m_values[Prop::Left] =
            autoPlace ? QStringLiteral("auto") : FormatNumber(place.x() / ScaleX());
        m_loaded[Prop::Top] = m_values[Prop::Top] =
            autoPlace ? QStringLiteral("auto") : FormatNumber(place.y() / ScaleY());
    }
    m_mask = m_loadedMask = clsDesigner::InitialEventMask(type);
    // The design form shows a control without a caption by its ID; the sheet offers that ID
    // as the caption, so the preview and the generated program show the same text.
    if (type == Type::Command || type == Type::Label || type == Type::Check
        || type == Type::Frame) {
        if (FindField(Prop::Caption)) {
            m_values[Prop::Caption] = m_id.trimmed();
            m_defaultMarks.remove(Prop::Caption);
            m_captionFollowsId = true;
        }
    }
    if (IsApplication(type) && m_newAppDefaults)
        PresetFromPreferences(*m_newAppDefaults);
}

QPoint PropertySheetModel::FreePlace(const clsControl &container, int width, int height) const
{
    QList<Arrangement::Box> others;
    for (const auto &entry : container.Children())
        if (EditCommands::CanLayOut(*entry.Value))
            others.append(EditCommands::BoxOf(*entry.Value));
    const QPoint grid = Arrangement::GridOf(container);
    return Arrangement::FirstFreePlace(others, width, height, EditCommands::ClientAreaOf(container),
                                       120, 120, grid.x(), grid.y());
}

void PropertySheetModel::SetCreatePosition(int leftTwips, int topTwips)
{
    if (m_mode != Mode::Create || !FindField(Prop::Left) || !FindField(Prop::Top)
        || IsApplication(m_type))
        return;
    m_loaded[Prop::Left] = m_values[Prop::Left] = FormatNumber(leftTwips / ScaleX());
    m_loaded[Prop::Top] = m_values[Prop::Top] = FormatNumber(topTwips / ScaleY());
}

void PropertySheetModel::PresetFromPreferences(const clsDesignerSettings &settings)
{
    // Shown as the user's own entries, so Apply writes what differs from the defaults.
    const auto preset = [this](int code, const QString &value) {
        if (!FindField(code) || value.isEmpty() || value == m_values.value(code))
            return;
        m_values[code] = value;
        m_defaultMarks.remove(code);
    };
    preset(Prop::Author, settings.Author.trimmed());
    preset(Prop::Copyright, settings.Copyright.trimmed());
    preset(Prop::Logo, settings.Logo.trimmed());
    if (settings.EnterKey >= 0 && settings.EnterKey <= 2)
        preset(Prop::RtnEqTab, QString::number(settings.EnterKey));
    preset(Prop::AutoSelect, settings.AutoSelect ? QStringLiteral("1") : QStringLiteral("0"));
    preset(Prop::NoAutoTips, settings.NoAutoTips ? QStringLiteral("1") : QStringLiteral("0"));
}

void PropertySheetModel::SetupModify(clsDesigner &designer, clsControl &item)
{
    Reset();
    const int type = item.ObjType();
    if (type == Type::Root || !IsKnownType(type))
        throw GuiError(GuiErrors::InvalidArgument);
    m_mode = Mode::Modify;
    m_designer = &designer;
    m_item = &item;
    m_type = type;
    m_app = item.App();
    m_form = item.Form();
    m_parent = item.Parent();
    if (IsApplication(type)) {
        m_appId = QString();
        m_id = item.ID();
    } else {
        m_appId = m_app ? m_app->ID() : QString();
        m_formId = m_form && !IsForm(type) ? m_form->ID() : QString();
        m_id = item.ID();
    }
    m_originalId = m_id;
    RememberPaths();
    BuildStyles();
    BuildFields();
    Load(item, false);
    m_mask = m_loadedMask = item.EventMask();
    if (type == Type::Tabgroup) {
        // Events sit on the group when it has any, otherwise on its tabs.
        qint32 panels = 0;
        for (const auto &entry : item.Children()) {
            clsControl *child = entry.Value;
            if (child->ObjType() == Type::Tab)
                panels |= child->EventMask();
        }
        m_tabEventsOnGroup = m_mask != 0 || panels == 0;
        if (!m_tabEventsOnGroup)
            m_mask = m_loadedMask = panels;
    }
}

void PropertySheetModel::RememberPaths()
{
    m_itemFullId = m_item ? m_item->FullID() : QString();
    m_parentFullId = m_parent ? m_parent->FullID() : QString();
    m_appFullId = m_app ? m_app->FullID() : QString();
    m_formFullId = m_form ? m_form->FullID() : QString();
}

std::pair<int, int> PropertySheetModel::DefaultSizeTwips(int type)
{
    switch (type) {
    case Type::AppMdi:
    case Type::AppSdi: return {9600, 7200};
    case Type::Label: return {1200, 300};
    case Type::Text:
    case Type::TextPassword:
    case Type::Combo:
    case Type::DropDownList:
    case Type::Check:
    case Type::Gauge: return {1800, 300};
    case Type::TextMultiLine: return {2400, 900};
    case Type::Command: return {1200, 375};
    case Type::Option:
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck:
    case Type::Picture: return {1800, 1200};
    case Type::Frame: return {2400, 1800};
    case Type::GridProtected:
    case Type::GridEditable: return {3600, 1800};
    case Type::Tabgroup:
    case Type::Tree:
    case Type::Browser: return {3600, 2400};
    default:
        if (IsForm(type))
            return {7200, 5400};
        return {0, 0};
    }
}

void PropertySheetModel::BuildStyles()
{
    m_styles.clear();
    const WrapperKind kind = WrapperKindOf(m_type);
    switch (kind) {
    case WrapperKind::App:
        m_styles = {{"Single Document Interface", Type::AppSdi, -1},
                    {"Multiple Document Interface", Type::AppMdi, -1}};
        break;
    case WrapperKind::Form:
        if (m_app && m_app->ObjType() == Type::AppSdi)
            m_styles = {{"Fixed", Type::FormFixedChild, -1},
                        {"Sizable", Type::FormSizableChild, -1}};
        else
            m_styles = {{"Fixed Child", Type::FormFixedChild, -1},
                        {"Sizable Child", Type::FormSizableChild, -1},
                        {"Fixed", Type::FormFixed, -1},
                        {"Sizable", Type::FormSizable, -1},
                        {"Dialog", Type::FormDialog, -1}};
        break;
    case WrapperKind::Edit:
        m_styles = {{"Single line", Type::Text, 0},
                    {"Multi line", Type::TextMultiLine, 1},
                    {"Single up/down", Type::Text, 4},
                    {"Password", Type::TextPassword, 2}};
        break;
    case WrapperKind::List:
        m_styles = {{"Single selection", Type::List, -1},
                    {"Multi selection", Type::ListMulti, -1},
                    {"Check boxes", Type::ListCheck, -1},
                    {"Drop-down list", Type::DropDownList, -1}};
        break;
    case WrapperKind::Combo:
        if (m_type == Type::DropDownList)
            m_styles = {{"Single selection", Type::List, -1},
                        {"Multi selection", Type::ListMulti, -1},
                        {"Check boxes", Type::ListCheck, -1},
                        {"Drop-down list", Type::DropDownList, -1}};
        break;
    case WrapperKind::Grid:
        m_styles = {{"Protected", Type::GridProtected, -1},
                    {"Editable", Type::GridEditable, -1}};
        break;
    case WrapperKind::Tree:
        m_styles = {{"Single select", Type::Tree, 0},
                    {"Multi select", Type::Tree, 8},
                    {"Hierarchical", Type::Tree, 16}};
        break;
    default:
        for (const StyleChoice &c : StyleChoices(kind))
            m_styles.push_back({QString::fromUtf8(c.label), m_type, c.value});
        break;
    }
}

void PropertySheetModel::AddField(Field field)
{
    if (field.Code >= 0 && !SupportedProperties(WrapperKindOf(m_type)).Has(field.Code))
        return;
    m_pages.insert(field.OnPage);
    m_fields.push_back(std::move(field));
}

void PropertySheetModel::BuildFields()
{
    m_fields.clear();
    m_pages.clear();
    const WrapperKind kind = WrapperKindOf(m_type);
    for (Field &field : PropertySheetFields::For(kind))
        AddField(std::move(field));

    // Pages whose content the item-list editors fill.
    switch (kind) {
    case WrapperKind::List:
    case WrapperKind::Combo:
    case WrapperKind::Grid: m_pages.insert(Page::List); break;
    case WrapperKind::Option: m_pages.insert(Page::Options); break;
    case WrapperKind::Tabgrp: m_pages.insert(Page::Tabs); break;
    case WrapperKind::Tree: m_pages.insert(Page::Tree); break;
    case WrapperKind::Menu: m_pages.insert(Page::Menu); break;
    default: break;
    }
    m_events = EventsOf(kind);
    if (!m_events.empty())
        m_pages.insert(Page::Events);
    const PropertySet &supported = SupportedProperties(kind);
    if (supported.Has(Prop::DragID) || supported.Has(Prop::DropIDs))
        m_pages.insert(Page::DragDrop);

    if (m_profile) {
        auto ext = std::make_unique<ExtPropsPage>();
        if (ext->Init(*m_profile) && ext->IsDefined(m_type)) {
            ext->SetCtlType(m_type);
            m_ext = std::move(ext);
            m_pages.insert(Page::Private);
            m_pages.insert(Page::Custom);
        }
    }
}

void PropertySheetModel::Load(clsControl &source, bool allDefault)
{
    auto value = [&](int code) -> QString {
        try {
            return source.GetProperty(code);
        } catch (const GuiError &) {
        }
        try {
            return source.GetDefaultProperty(code);
        } catch (const GuiError &) {
            return QString();
        }
    };
    for (const Field &f : m_fields) {
        if (f.Code == CacheIdCode)
            continue;
        if (f.Code == NodeStyleCode) {
            const int style = value(Prop::Style).toInt();
            m_loaded[f.Code] = QString::number(style & 7);
            continue;
        }
        if (f.Code == SelCellStyleCode) {
            const bool selected = value(Prop::FocusStyle).trimmed() == QLatin1String("0");
            m_loaded[f.Code] = selected ? QStringLiteral("1") : QStringLiteral("0");
            if (selected) // the rectangle list then shows the type's usual rectangle
                m_loaded[Prop::FocusStyle] = QStringLiteral("3");
            if (allDefault || !source.IsNonDefault(Prop::FocusStyle))
                m_defaultMarks.insert(f.Code);
            continue;
        }
        QString v;
        if (IsPositionCode(f.Code)) {
            const double n = f.Code == Prop::Left ? source.Left()
                             : f.Code == Prop::Top ? source.Top()
                             : f.Code == Prop::Width ? source.Width() : source.Height();
            v = n == double(AutoPosition) ? QStringLiteral("auto") : FormatNumber(n);
        } else {
            v = value(f.Code);
            if (f.Type == Kind::Number && !f.Word.isEmpty() && (v.isEmpty() || v == "0"))
                v = f.Word;
            else if (f.Type == Kind::Check)
                v = v == "1" || v == "-1" ? QStringLiteral("1") : QStringLiteral("0");
        }
        m_loaded[f.Code] = v;
        // Positions and sizes are the object's own, never defaults.
        const bool isDefault =
            allDefault || (!IsPositionCode(f.Code) && !source.IsNonDefault(f.Code));
        if (isDefault)
            m_defaultMarks.insert(f.Code);
        if ((f.Type == Kind::Colour || f.Type == Kind::Font || f.Type == Kind::Icon) && isDefault)
            m_useDefault.insert(f.Code);
        if (f.Type == Kind::Font) {
            for (int code : FontCodes)
                if (code != Prop::FontName)
                    m_loaded[code] = value(code);
        }
    }
    m_loadedUseDefault = m_useDefault;
    m_values = m_loaded;

    // The style option the type and Style select.
    int style = -1;
    if (SupportedProperties(WrapperKindOf(m_type)).Has(Prop::Style))
        style = value(Prop::Style).toInt();
    m_styleIndex = -1;
    for (int i = 0; i < int(m_styles.size()); ++i) {
        const StyleOption &o = m_styles[size_t(i)];
        const bool styleMatches = o.Style < 0
                                  || (WrapperKindOf(m_type) == WrapperKind::Tree
                                          ? (style & ~7) == o.Style
                                          : style == o.Style);
        if (o.Type == m_type && styleMatches) {
            m_styleIndex = i;
            break;
        }
    }
    if (m_styleIndex < 0)
        for (int i = 0; i < int(m_styles.size()); ++i)
            if (m_styles[size_t(i)].Type == m_type) {
                m_styleIndex = i;
                break;
            }
    m_originalStyleIndex = m_styleIndex;

    const PropertySet &supported = SupportedProperties(WrapperKindOf(m_type));
    m_dragDrop.Load(supported.Has(Prop::DragID) ? value(Prop::DragID) : QString(),
                    supported.Has(Prop::DropIDs) ? value(Prop::DropIDs) : QString());

    m_loadedExtension = source.Extension();
    if (m_ext) {
        m_ext->SetExtProp(m_loadedExtension);
        m_ext->Activate();
    }
    LoadPrivate(m_loadedExtension);
}

void PropertySheetModel::LoadPrivate(const QString &value)
{
    m_private.reset();
    if (!m_ext || !m_profile)
        return;
    // The page is served by a profile made up on the spot: one field per position that holds
    // a value and that no field of the type claims.
    QSet<int> declared;
    for (const QString &name : m_profile->FieldNames(m_type))
        declared.insert(m_profile->FieldPos(name));
    const DynamicArray held(value, DynamicArray::RecordDelimiters());
    const int last = qMin(held.Count(), ExtensionProfile::LastFieldPos);
    QStringList names;
    QString sections;
    for (int pos = ExtensionProfile::FirstFieldPos; pos <= last; ++pos) {
        if (declared.contains(pos) || held.Extract({pos}).isEmpty())
            continue;
        const QString name = QStringLiteral("Field") + QString::number(pos);
        names << name;
        sections += QStringLiteral("[%1]\nCaption=Field %2\nPos=%2\n").arg(name).arg(pos);
    }
    auto page = std::make_unique<ExtPropsPage>();
    page->Init(ExtensionProfile::FromText(
        QStringLiteral("[Extension]\nName=") + m_profile->Name()
        + QStringLiteral("\nCaption=Private\n[gxAny]\nFields=") + names.join(QLatin1Char(','))
        + QStringLiteral("\n") + sections));
    page->SetCtlType(m_type);
    page->SetExtProp(value);
    page->Activate();
    m_private = std::move(page);
}

QString PropertySheetModel::ExtensionToWrite() const
{
    if (!m_ext)
        return m_loadedExtension;
    // The Custom page collects only its own fields; the private values go back where they were.
    DynamicArray out(m_ext->GetExtProp(), DynamicArray::RecordDelimiters());
    if (m_private)
        for (const ExtPropsPage::Row &row : m_private->Rows())
            if (ExtensionProfile::IsValidPos(row.Pos)
                && (!row.Value.isEmpty() || row.Pos <= out.Count()))
                out.Replace({row.Pos}, row.Value);
    return out.Text();
}

// ---- What the sheet shows ----------------------------------------------------------------

int PropertySheetModel::ObjType() const
{
    if (m_styleIndex >= 0 && m_styleIndex < int(m_styles.size()))
        return m_styles[size_t(m_styleIndex)].Type;
    return m_type;
}

QString PropertySheetModel::Caption() const { return SheetCaption(m_type); }

QString PropertySheetModel::StyleLabel() const
{
    return WrapperKindOf(m_type) == WrapperKind::Tree ? QStringLiteral("Tree style:")
                                                      : QStringLiteral("Style:");
}

QString PropertySheetModel::PageHeading() const
{
    switch (m_type) {
    case Type::Menu:
    case Type::Popup: return QStringLiteral("Menu properties");
    case Type::Toolbar: return QStringLiteral("Tool bar properties");
    case Type::Statusbar: return QStringLiteral("Status bar properties");
    default: return QString();
    }
}

QList<Page> PropertySheetModel::Pages() const
{
    QList<Page> pages;
    for (int i = 0; i < PageCount; ++i)
        if (m_pages.contains(Page(i)))
            pages.append(Page(i));
    return pages;
}

const Field *PropertySheetModel::FindField(int code) const
{
    for (const Field &f : m_fields)
        if (f.Code == code)
            return &f;
    return nullptr;
}

std::vector<const Field *> PropertySheetModel::FieldsOn(Page page) const
{
    std::vector<const Field *> out;
    for (const Field &f : m_fields)
        if (f.OnPage == page)
            out.push_back(&f);
    return out;
}

QString PropertySheetModel::IdLabel() const
{
    if (IsApplication(m_type))
        return QStringLiteral("App Name");
    return EditsFormId() ? QStringLiteral("Form ID") : QStringLiteral("Control ID");
}

bool PropertySheetModel::EditsFormId() const { return IsApplication(m_type) || IsForm(m_type); }

QString PropertySheetModel::FullId() const
{
    const QString id = m_id.trimmed();
    if (IsApplication(m_type))
        return id;
    if (IsForm(m_type))
        return m_appId + QLatin1Char('*') + id;
    if (IsFormBar(m_type) && m_formId.isEmpty())
        return m_appId + QStringLiteral("**") + id;
    return m_appId + QLatin1Char('*') + m_formId + QLatin1Char('*') + id;
}

bool PropertySheetModel::IdTakenOnForm(const QString &id) const
{
    const QString trimmed = id.trimmed();
    if (trimmed.compare(m_id.trimmed(), Qt::CaseInsensitive) == 0)
        return true;
    return m_designer && m_form
           && m_designer->Items().Contains(m_form->FullID() + QLatin1Char('*') + trimmed);
}

QString PropertySheetModel::ParentId() const
{
    // The add-item operation names a container by its own ID; forms and applications
    // follow from the full ID.
    return m_parent && IsControl(m_parent->ObjType()) ? m_parent->ID() : QString();
}

void PropertySheetModel::SetStyleIndex(int index)
{
    if (index >= 0 && index < int(m_styles.size()))
        m_styleIndex = index;
}

// ---- Values ------------------------------------------------------------------------------

QString PropertySheetModel::Text(int code) const
{
    if (code == Prop::EventMask)
        return QString::number(m_mask);
    return m_values.value(code);
}

bool PropertySheetModel::IsDefault(int code) const
{
    return m_defaultMarks.contains(code) && m_values.value(code) == m_loaded.value(code)
           && m_useDefault.contains(code) == m_loadedUseDefault.contains(code);
}

void PropertySheetModel::SetIdText(const QString &id)
{
    if (m_captionFollowsId && m_values.value(Prop::Caption) == m_id.trimmed())
        m_values[Prop::Caption] = id.trimmed();
    m_id = id;
}

void PropertySheetModel::SetText(int code, const QString &text)
{
    if (code == Prop::Caption)
        m_captionFollowsId = false;
    m_values[code] = text;
    const Field *f = FindField(code);
    if (f && (f->Type == Kind::Colour || f->Type == Kind::Icon) && !text.isEmpty())
        m_useDefault.remove(code);
}

bool PropertySheetModel::UsesDefault(int code) const { return m_useDefault.contains(code); }

void PropertySheetModel::SetUseDefault(int code, bool useDefault)
{
    if (useDefault)
        m_useDefault.insert(code);
    else
        m_useDefault.remove(code);
}

void PropertySheetModel::SetFont(const QString &name, double size, bool bold, bool italic,
                                 bool underline)
{
    m_values[Prop::FontName] = name;
    m_values[Prop::FontSize] = NumberFormat::Format(size, 2);
    m_values[Prop::FontBold] = bold ? QStringLiteral("1") : QStringLiteral("0");
    m_values[Prop::FontItalic] = italic ? QStringLiteral("1") : QStringLiteral("0");
    m_values[Prop::FontUnderline] = underline ? QStringLiteral("1") : QStringLiteral("0");
    m_useDefault.remove(Prop::FontName);
}

// ---- Events ------------------------------------------------------------------------------

std::vector<int> PropertySheetModel::Events() const { return m_events; }

bool PropertySheetModel::EventOn(int code) const
{
    return (quint32(m_mask) & EventMaskBit(code)) != 0;
}

bool PropertySheetModel::EventLocked(int code) const
{
    return (RequiredEvents(ObjType()) & EventMaskBit(code)) != 0;
}

void PropertySheetModel::SetEvent(int code, bool on)
{
    if (EventLocked(code))
        on = true;
    quint32 mask = quint32(m_mask);
    mask = on ? mask | EventMaskBit(code) : mask & ~EventMaskBit(code);
    m_mask = qint32(mask);
}

qint32 PropertySheetModel::EventMask() const
{
    // Switching between SDI and MDI changes which events the application must report.
    return qint32(quint32(m_mask) | RequiredEvents(ObjType()));
}

QString PropertySheetModel::HelpQuestion(int helpType)
{
    const QString lead =
        QStringLiteral("You do not have the Help event enabled for the application object.");
    const QString ask = QStringLiteral("Would you like to enable this event?");
    if (helpType == 1)
        return lead + QLatin1Char('\n') + ask;
    if (helpType == 2)
        return lead + QLatin1Char('\n')
               + QStringLiteral("If your HTML-based help system includes any \"Topic:\" URL's, "
                                "the Help")
               + QLatin1Char(' ')
               + QStringLiteral("event is necessary so that the host can display the requested "
                                "topic.")
               + QLatin1Char('\n') + ask;
    return QString();
}

void PropertySheetModel::ChooseHelpType(int index, iPrompter &prompter)
{
    m_values[Prop::HelpType] = QString::number(index);
    if (!IsApplication(m_type) || EventOn(Event::Help))
        return;
    const QString question = HelpQuestion(index);
    if (question.isEmpty())
        return;
    if (prompter.Ask(question, iPrompter::Buttons::YesNo, MessageIcon::Question)
        == iPrompter::Answer::Yes)
        SetEvent(Event::Help, true);
}

// ---- Drag and drop ---------------------------------------------------------------------

QStringList PropertySheetModel::ProjectDragIds() const
{
    // The application's own tree, not the whole registry: other projects' IDs do not match.
    return m_app ? PropertySheetDragDrop::ProjectDragIds(*m_app, m_item) : QStringList();
}

// ---- Validation --------------------------------------------------------------------------

QString PropertySheetModel::Name(const Field &field) const
{
    QString name = field.Label;
    name.remove(QLatin1Char('&'));
    while (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

std::optional<PropertySheetModel::Problem> PropertySheetModel::CheckId() const
{
    const QString id = m_id.trimmed();
    const bool changed = m_mode == Mode::Create || id != m_originalId;
    if (id.isEmpty())
        return Problem{IdCode, QStringLiteral("Please enter an ID.")};
    if (!changed)
        return std::nullopt;
    for (QChar c : id)
        if (c.isSpace() || c == QLatin1Char('*') || c.unicode() < 32
            || (c.unicode() >= Marks::SubValue && c.unicode() <= Marks::Segment))
            return Problem{IdCode, QStringLiteral("An ID may not contain blanks, \"*\" or "
                                                  "marks.")};
    if (id.size() > MaxIdLength)
        return Problem{IdCode, QStringLiteral("An ID may not be longer than %1 characters.")
                                   .arg(MaxIdLength)};
    const QString full = FullId();
    const bool needsCheck = m_mode == Mode::Create
                            || (m_item && full.toUpper() != m_item->FullID().toUpper());
    if (needsCheck && m_designer && m_designer->Items().Contains(full))
        return Problem{IdCode, QStringLiteral("A ") + Caption()
                                   + QStringLiteral(" with the same ID already exists in this ")
                                   + (IsForm(m_type) ? QStringLiteral("application")
                                                     : QStringLiteral("form"))
                                   + QStringLiteral(".\nPlease enter a unique ID to continue.")};
    return std::nullopt;
}

std::optional<PropertySheetModel::Problem>
PropertySheetModel::CheckField(const Field &field) const
{
    const QString text = m_values.value(field.Code);
    if (field.ReadOnly)
        return std::nullopt;
    if (text.size() > MaxTextLength)
        return Problem{field.Code, Name(field)
                                       + QStringLiteral(" is too long (at most %1 characters).")
                                             .arg(MaxTextLength)};
    if (HoldsRecordMarks(text))
        return Problem{field.Code, Name(field) + QStringLiteral(" may not contain record marks.")};
    switch (field.Type) {
    case Kind::Number: {
        const QString t = text.trimmed();
        if (IsWord(field, t))
            return std::nullopt;
        double factor = 1;
        if (IsPositionCode(field.Code))
            factor = field.Code == Prop::Left || field.Code == Prop::Width ? ScaleX() : ScaleY();
        const double min = field.Min / factor;
        const double max = field.Max / factor;
        bool ok = false;
        const double v = NumberFormat::ParseInvariant(Process().ToPointDecimal(t), &ok);
        const bool whole = !field.Integer || v == std::floor(v);
        if (!ok || !whole || v < min || v > max) {
            QString range = QStringLiteral("a %1 from %2 to %3")
                                .arg(field.Integer ? QStringLiteral("whole number")
                                                   : QStringLiteral("number"),
                                     FormatNumber(min), FormatNumber(max));
            if (!field.Word.isEmpty())
                range = QStringLiteral("\"") + field.Word + QStringLiteral("\" or ") + range;
            return Problem{field.Code, Name(field) + QStringLiteral(" must be ") + range + '.'};
        }
        return std::nullopt;
    }
    case Kind::Colour: {
        if (m_useDefault.contains(field.Code))
            return std::nullopt;
        qint32 colour = 0;
        if (!ParseColourValue(text, colour))
            return Problem{field.Code, Name(field) + QStringLiteral(" is not a valid color.")};
        return std::nullopt;
    }
    case Kind::Font: {
        if (m_useDefault.contains(field.Code))
            return std::nullopt;
        bool ok = false;
        const double size = NumberFormat::ParseInvariant(m_values.value(Prop::FontSize), &ok);
        if (text.trimmed().isEmpty() || !ok || size <= 0 || size > 2048)
            return Problem{field.Code, QStringLiteral("Please choose a font.")};
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

std::optional<PropertySheetModel::Problem> PropertySheetModel::Validate() const
{
    // The checks read the objects; one removed meanwhile is reported by Apply instead.
    if (!ObjectsStillThere())
        return std::nullopt;
    if (auto p = CheckId())
        return p;
    for (const Field &f : m_fields)
        if (auto p = CheckField(f))
            return p;
    if (auto message = m_dragDrop.Problem())
        return Problem{Prop::DragID, *message};
    if ((m_ext && !m_ext->Validate()) || (m_private && !m_private->Validate()))
        return Problem{Prop::Extension, QStringLiteral("The custom properties cannot be "
                                                       "saved.")};
    return std::nullopt;
}

// ---- Apply -------------------------------------------------------------------------------

clsControl *PropertySheetModel::Application() const
{
    return m_item && m_item->App() ? m_item->App() : m_app;
}

double PropertySheetModel::ScaleX() const
{
    const clsControl *basis = m_item ? m_item : m_defaults.get();
    return basis ? basis->ScaleX() : 120.0;
}

double PropertySheetModel::ScaleY() const
{
    const clsControl *basis = m_item ? m_item : m_defaults.get();
    return basis ? basis->ScaleY() : 240.0;
}

QString PropertySheetModel::ValueToWrite(const Field &field) const
{
    const QString t = m_values.value(field.Code).trimmed();
    switch (field.Type) {
    case Kind::Number:
        if (IsWord(field, t))
            return IsPositionCode(field.Code) ? field.Word : QString();
        return NumberFormat::Format(NumberFormat::ParseInvariant(Process().ToPointDecimal(t)), 6);
    case Kind::Colour: {
        qint32 colour = 0;
        ParseColourValue(t, colour);
        return FormatColourValue(colour);
    }
    case Kind::Text:
    case Kind::Picture:
    case Kind::Icon: return m_values.value(field.Code);
    default: return t;
    }
}

void PropertySheetModel::WriteProperties(clsControl &item, EditCommands *edit)
{
    auto changed = [&](int code) {
        return m_values.value(code) != m_loaded.value(code)
               || m_useDefault.contains(code) != m_loadedUseDefault.contains(code);
    };

    // Position and size in one move, so the undo record holds the former rectangle.
    if (m_mode == Mode::Modify && FindField(Prop::Left)) {
        QString move[4];
        bool any = false;
        for (int code = Prop::Left; code <= Prop::Height; ++code)
            if (const Field *f = FindField(code); f && changed(code)) {
                move[code - Prop::Left] = ValueToWrite(*f);
                any = true;
            }
        if (any) {
            if (edit)
                edit->MoveItem(item, move[0], move[1], move[2], move[3]);
            else
                item.Move(move[0], move[1], move[2], move[3]);
        }
    }

    for (const Field &f : m_fields) {
        if (f.Code < 0 || f.ReadOnly || IsPositionCode(f.Code))
            continue;
        if (f.Type == Kind::Font) {
            if (m_useDefault.contains(f.Code)) {
                if (!m_loadedUseDefault.contains(f.Code))
                    for (int code : FontCodes)
                        item.SetProperty(code, QString());
                continue;
            }
            for (int code : FontCodes)
                if (changed(code) || m_loadedUseDefault.contains(f.Code))
                    item.SetProperty(code, m_values.value(code).trimmed());
            continue;
        }
        if (f.Code == Prop::FocusStyle && FindField(SelCellStyleCode))
            continue; // written with the selected-cell tick below
        if (!changed(f.Code))
            continue;
        if ((f.Type == Kind::Colour || f.Type == Kind::Icon) && m_useDefault.contains(f.Code)) {
            item.SetProperty(f.Code, QString());
            continue;
        }
        item.SetProperty(f.Code, ValueToWrite(f));
    }

    if (FindField(SelCellStyleCode) && FindField(Prop::FocusStyle)
        && (changed(SelCellStyleCode) || changed(Prop::FocusStyle))) {
        const QString focus = m_values.value(SelCellStyleCode) == QLatin1String("1")
                                  ? QStringLiteral("0")
                                  : ValueToWrite(*FindField(Prop::FocusStyle));
        if (item.GetProperty(Prop::FocusStyle) != focus)
            item.SetProperty(Prop::FocusStyle, focus);
    }

    if (FindField(NodeStyleCode)) {
        const int tree = m_styleIndex >= 0 ? m_styles[size_t(m_styleIndex)].Style : 0;
        const int style = tree + m_values.value(NodeStyleCode).toInt();
        if (item.GetProperty(Prop::Style).toInt() != style)
            item.SetProperty(Prop::Style, QString::number(style));
    }

    const PropertySet &supported = SupportedProperties(WrapperKindOf(item.ObjType()));
    m_dragDrop.Write(item, supported.Has(Prop::DragID), supported.Has(Prop::DropIDs));

    const qint32 mask = EventMask();
    if (item.ObjType() == Type::Tabgroup) {
        WriteTabEvents(item);
    } else if (item.EventMask() != mask && (mask != m_loadedMask || m_mode == Mode::Create
                                            || ObjType() != m_type)) {
        item.SetProperty(Prop::EventMask, QString::number(mask));
    }

    if (m_ext && (m_ext->IsChanged() || (m_private && m_private->IsChanged()) || m_extensionSet)
        && ExtensionToWrite() != item.Extension())
        item.SetProperty(Prop::Extension, ExtensionToWrite());
}

void PropertySheetModel::WriteTabEvents(clsControl &group) const
{
    const qint32 mask = EventMask();
    const qint32 groupMask = m_tabEventsOnGroup ? mask : 0;
    if (group.EventMask() != groupMask)
        group.SetProperty(Prop::EventMask, QString::number(groupMask));
    for (const auto &entry : group.Children()) {
        clsControl *child = entry.Value;
        if (child->ObjType() != Type::Tab)
            continue;
        const qint32 tabMask = m_tabEventsOnGroup ? 0 : mask;
        if (child->EventMask() != tabMask)
            child->SetProperty(Prop::EventMask, QString::number(tabMask));
    }
}

bool PropertySheetModel::StillThere(const clsControl *item, const QString &fullId) const
{
    return !item || (m_designer && m_designer->Items().Find(fullId) == item);
}

bool PropertySheetModel::ObjectsStillThere() const
{
    return StillThere(m_item, m_itemFullId) && StillThere(m_parent, m_parentFullId)
        && StillThere(m_app, m_appFullId) && StillThere(m_form, m_formFullId);
}

clsControl *PropertySheetModel::Apply(EditCommands *edit)
{
    if (!m_designer)
        throw GuiError(GuiErrors::ObjectNotSet);
    // The object, or the objects a new one goes into, may have been removed while the sheet
    // was open (the code editor can change the project meanwhile).
    if (!ObjectsStillThere())
        throw GuiError(GuiErrors::InvalidObjectId);
    if (m_mode == Mode::Create) {
        QString pos[4];
        if (!IsApplication(m_type) && FindField(Prop::Left))
            for (int code = Prop::Left; code <= Prop::Height; ++code)
                pos[code - Prop::Left] = ValueToWrite(*FindField(code));
        // The temporary item goes before the real one takes the type's place on the form.
        m_defaults.reset();
        clsControl *item = m_designer->AddControl(ObjType(), FullId(), ParentId(), pos[0],
                                                  pos[1], pos[2], pos[3]);
        if (!item)
            return nullptr;
        m_item = item;
        m_itemFullId = item->FullID();
        if (IsApplication(m_type) && FindField(Prop::Left)) {
            // The application's window is placed like any change made later.
            QString move[4];
            bool any = false;
            for (int code = Prop::Left; code <= Prop::Height; ++code)
                if (m_values.value(code) != m_loaded.value(code)) {
                    move[code - Prop::Left] = ValueToWrite(*FindField(code));
                    any = true;
                }
            if (any)
                item->Move(move[0], move[1], move[2], move[3]);
        }
        const int optionStyle = m_styleIndex >= 0 ? m_styles[size_t(m_styleIndex)].Style : -1;
        if (optionStyle >= 0 && WrapperKindOf(ObjType()) != WrapperKind::Tree
            && item->GetProperty(Prop::Style).toInt() != optionStyle)
            item->SetProperty(Prop::Style, QString::number(optionStyle));
        WriteProperties(*item, edit);
        m_designer->MarkChanged(item);
        if (edit && !IsApplication(m_type))
            edit->AddUndoRecord(6, QString(), item->FullID());
        m_originalId = m_id;
        return item;
    }

    clsControl &item = *m_item;
    // 1. The new ID.
    const QString id = m_id.trimmed();
    if (id != item.ID()) {
        const bool renamed = edit ? edit->RenameItem(item, id) : item.RenameItem(id);
        if (!renamed)
            throw GuiError(GuiErrors::DuplicateId);
        if (m_designer->ProjectTree())
            m_designer->ProjectTree()->Refresh();
    }
    // 2. The new type within the family, then the style the option stands for.
    if (ObjType() != item.ObjType())
        item.ChangeType(ObjType());
    const int optionStyle = m_styleIndex >= 0 ? m_styles[size_t(m_styleIndex)].Style : -1;
    if (optionStyle >= 0 && WrapperKindOf(item.ObjType()) != WrapperKind::Tree
        && item.GetProperty(Prop::Style).toInt() != optionStyle)
        item.SetProperty(Prop::Style, QString::number(optionStyle));
    // 3. Every changed value.
    WriteProperties(item, edit);
    // 4. The project.
    m_designer->MarkChanged(&item);
    m_originalId = id;
    m_itemFullId = item.FullID();
    return &item;
}

QString PropertySheetModel::FileFilter(Chooser chooser)
{
    switch (chooser) {
    case Chooser::Icon:
        return QStringLiteral("All Picture Files "
                              "(*.bmp *.dib *.gif *.jpg *.jpeg *.png *.ico *.cur);;"
                              "Bitmaps (*.bmp *.dib);;GIF Images (*.gif);;"
                              "JPEG Images (*.jpg *.jpeg);;PNG Images (*.png);;"
                              "Icons (*.ico *.cur);;All Files (*)");
    case Chooser::Picture:
        return QStringLiteral("All Picture Files (*.bmp *.dib *.gif *.jpg *.jpeg *.png *.ico);;"
                              "Bitmaps (*.bmp *.dib);;GIF Images (*.gif);;"
                              "JPEG Images (*.jpg *.jpeg);;PNG Images (*.png);;"
                              "Icons (*.ico);;All Files (*)");
    case Chooser::Logo:
        return QStringLiteral("All Picture Files (*.bmp *.dib *.gif *.jpg *.jpeg *.png);;"
                              "Bitmaps (*.bmp *.dib);;GIF Images (*.gif);;"
                              "JPEG Images (*.jpg *.jpeg);;PNG Images (*.png);;All Files (*)");
    case Chooser::HelpFile:
        return QStringLiteral("Help Files (*.hlp *.chm);;All Files (*)");
    }
    return QString();
}

// ---- iPropertySource ---------------------------------------------------------------------

QString PropertySheetModel::GetPendingValue(int propertyCode, int column) const
{
    switch (propertyCode) {
    case Prop::ObjectType: return QString::number(ObjType());
    case Prop::ObjectID: return m_id.trimmed();
    case Prop::Extension: return ExtensionToWrite();
    case Prop::EventMask: return QString::number(EventMask());
    case Prop::FocusStyle:
        if (m_values.value(SelCellStyleCode) == QLatin1String("1"))
            return QStringLiteral("0");
        break;
    case Prop::Style:
        if (m_styleIndex >= 0 && m_styles[size_t(m_styleIndex)].Style >= 0)
            return QString::number(m_styles[size_t(m_styleIndex)].Style
                                   + m_values.value(NodeStyleCode).toInt());
        break;
    default: break;
    }
    if (m_values.contains(propertyCode) && column == 0)
        return m_values.value(propertyCode);
    const clsControl *source = m_item ? m_item : m_defaults.get();
    if (!source)
        return QString();
    try {
        return source->GetProperty(propertyCode, column);
    } catch (const GuiError &) {
        return QString();
    }
}

void PropertySheetModel::SetPendingValue(int propertyCode, const QString &value)
{
    if (propertyCode != Prop::Extension)
        throw GuiError(GuiErrors::ReadOnlyProperty);
    if (!m_ext)
        return;
    m_ext->SetExtProp(value);
    m_ext->Activate();
    LoadPrivate(value);
    m_extensionSet = true;
}
