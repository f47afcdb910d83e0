#include "model/Vocabulary.h"

#include "support/GuiError.h"
#include "support/PlatformMetrics.h"

namespace Vocabulary {

namespace {

struct TypeEntry
{
    int code;
    const char *shortKw;
    const char *longKw;
    WrapperKind wrapper;
};

constexpr TypeEntry TypeTable[] = {
    {-1, "", "", WrapperKind::Root},
    {0, "App", "App", WrapperKind::App},
    {1, "App", "App", WrapperKind::App},
    {5, "Form", "Form", WrapperKind::Form},
    {6, "Form", "Form", WrapperKind::Form},
    {7, "Form", "Form", WrapperKind::Form},
    {8, "Form", "Form", WrapperKind::Form},
    {9, "Form", "Form", WrapperKind::Form},
    {15, "Label", "Label", WrapperKind::Label},
    {16, "Text", "Textbox", WrapperKind::Edit},
    {17, "Text", "Textbox", WrapperKind::Edit},
    {18, "Command", "Command", WrapperKind::Command},
    {19, "Option", "Option", WrapperKind::Option},
    {20, "Check", "Checkbox", WrapperKind::Check},
    {21, "List", "Listbox", WrapperKind::List},
    {22, "List", "Listbox", WrapperKind::List},
    {23, "Combo", "Combobox", WrapperKind::Combo},
    {24, "List", "Listbox", WrapperKind::Combo},
    {25, "Picture", "Picture", WrapperKind::Picture},
    {26, "Frame", "Frame", WrapperKind::Frame},
    {27, "Grid", "Grid", WrapperKind::Grid},
    {28, "Grid", "Grid", WrapperKind::Grid},
    {29, "Text", "Textbox", WrapperKind::Edit},
    {30, "Tabgroup", "Tabgrp", WrapperKind::Tabgrp},
    {31, "Tab", "Tab", WrapperKind::Tabpnl},
    {32, "Gauge", "Gauge", WrapperKind::Gauge},
    {33, "Tree", "Tree", WrapperKind::Tree},
    {34, "List", "Listbox", WrapperKind::List},
    {35, "Timer", "Timer", WrapperKind::Timer},
    {36, "Browser", "Browser", WrapperKind::Browser},
    {75, "Menu", "Menu", WrapperKind::Menu},
    {76, "Popup", "Popupmenu", WrapperKind::Menu},
    {77, "Toolbar", "Toolbar", WrapperKind::Menu},
    {78, "Statusbar", "Statusbar", WrapperKind::Menu},
};

const TypeEntry *FindType(int code)
{
    for (const TypeEntry &e : TypeTable)
        if (e.code == code)
            return &e;
    return nullptr;
}

constexpr const char *WrapperClassNames[WrapperKindCount] = {
    "cRootObject", "cAppWrapper", "cFormWrapper", "cLabelWrapper", "cEditWrapper",
    "cCommandWrapper", "cOptionWrapper", "cCheckWrapper", "cListWrapper", "cComboWrapper",
    "cPictureWrapper", "cFrameWrapper", "cGridWrapper", "cTabgrpWrapper", "cTabpnlWrapper",
    "cGaugeWrapper", "cTreeWrapper", "cTimerWrapper", "cBrowserWrapper", "cMenuWrapper",
};

// Property names by code, 0-100.
constexpr const char *PropertyNames[101] = {
    "DefVal", "Value", "Left", "Top", "Width", "Height", "Changed", "Scale", "Enabled",
    "Visible", "Style", "Border", "ReadOnly", "TabStop", "BackColor", "ForeColor", "FontName",
    "FontSize", "FontBold", "FontItalic", "HelpFile", "HelpID", "Caption", "Picture",
    "RtnEqTab", "Align", "Items", "Columns", "Rows", "DataType", "Column", "Row",
    "ColHeading", "GridLines", "ColFieldType", "ColDataType", "ColItems", "ColWidth",
    "ColAlign", "DataCol", "Arrange", "Description", "Author", "Copyright", "Version", "Logo",
    "AutoSelect", "Status", "WindowState", "Hint", "Extension", "MaxLen", "MaxLines",
    "MaxDrop", "Required", "FixedCols", "Icon", "SelStart", "SelLength", "HelpType",
    "Timeout", "MsgText", "State", "ColSizable", "ColHint", "AltColor", "NoAutoTips",
    "Transparent", "FontUnderline", "IconAlign", "IconSize", "WordWrap", "Content", "DragID",
    "DropIDs", "DragMode", "SelRange", "ColTabStop", "FocusStyle", "PasteMode",
    // 80-96 unassigned
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "AutoExtend", "HeadingRow",
    "EventMask", "Custom",
};

constexpr const char *PrinterPropertyNames[8] = {
    "PrinterName", "Orientation", "PaperSource", "PaperSize",
    "PrintQuality", "PrintCopies", "PrintDuplexMode", "PrintColorMode",
};

constexpr int BooleanCodes[] = {
    Prop::Changed, Prop::Enabled, Prop::Visible, Prop::ReadOnly, Prop::TabStop,
    Prop::FontBold, Prop::FontItalic, Prop::RtnEqTab, Prop::AutoSelect, Prop::Required,
    Prop::NoAutoTips, Prop::Transparent, Prop::FontUnderline, Prop::WordWrap,
    Prop::AutoExtend, Prop::HeadingRow,
};

constexpr const char *MethodNames[] = {
    "Reset", "Clear", "Show", "Hide", "Activate", "Insert", "Remove",
    "Enable", "Disable", "Move", "Print", "Help", "Sort",
};

struct EventEntry
{
    int code;
    const char *name;
    const char *display;
};

constexpr EventEntry EventTable[] = {
    {1, "Close", "Close"},
    {4, "Activate", "Activate"},
    {5, "Deactivate", "Deactivate"},
    {6, "Click", "Click"},
    {7, "DblClick", "Double Click"},
    {8, "Change", "Change"},
    {9, "Validate", "Validate"},
    {10, "LoadList", "Load List"},
    {11, "ValidateCell", "Validate Cell"},
    {12, "ValidateRow", "Validate Row"},
    {13, "Context", "Context"},
    {14, "BtnClick", "Button Click"},
    {15, "ActivateCell", "Activate Cell"},
    {16, "Resize", "Resize"},
    {17, "ColClick", "Column Click"},
    {18, "DeactivateCell", "Deactivate Cell"},
    {19, "ActivateRow", "Activate Row"},
    {20, "DeactivateRow", "Deactivate Row"},
    {21, "Help", "Help"},
    {22, "Status", "Status"},
    {23, "Timer", "Timer"},
    {24, "DragDrop", "Drag Drop"},
    {31, "Quit", "Quit"},
};

const EventEntry *FindEvent(int code)
{
    for (const EventEntry &e : EventTable)
        if (e.code == code)
            return &e;
    return nullptr;
}

QString JoinEventFields(bool display)
{
    QStringList fields;
    for (int code = 1; code <= Event::MaxCode; ++code) {
        const EventEntry *e = FindEvent(code);
        fields << (e ? QString::fromLatin1(display ? e->display : e->name) : QString());
    }
    return fields.join(QLatin1Char(','));
}

struct ListEntry
{
    int id;
    const char *text; // comma-separated
};

constexpr ListEntry Lists[] = {
    {List::Align, "Left,Right,Center"},
    {List::GridLines, "None,Horizontal,Vertical,Both"},
    {List::ColFieldType, "Label,Text box,Check box,Dropdown list,Dropdown combo,"
                         "Label+ellipsis,Label+icon,Label+button"},
    {List::HelpType, "WinHelp (.hlp or .chm),HTML Help Event,HTML Help URL"},
    {List::MenuActions, "*Exit,*Cut,*Copy,*Paste,*SelectAll,*Print,*PrintSetup,*Window,"
                        "*TileHoriz,*TileVert,*Cascade,*Help,*About"},
    {List::BarPosition, "Floating,Top,Bottom,Left,Right"},
    {List::IconSize, "Small,Large"},
    {List::IconAlign, "Left,Right,Center,Top,Bottom"},
    {List::ToolbarStyle, "None,Caption,Caption + Icon"},
    {List::ItemAlign, "Left,Right,Center"},
    {List::StatusPanels, "*Caps,*Num,*Scroll,*Date,*Time,*Timedate"},
    {List::PanelWidthMode, "Auto,Spring"},
};

constexpr StyleChoice LabelStyles[] = {
    {0, "Single line"}, {1, "Multi line"}, {2, "Data field"}, {3, "Multiline data field"}};
constexpr StyleChoice EditStyles[] = {
    {0, "Single line"}, {1, "Multi line"}, {2, "Password"}, {4, "Single up/down"}};
constexpr StyleChoice CommandStyles[] = {
    {0, "Normal button"}, {1, "OK button"}, {2, "Cancel button"}, {3, "Toolbar button"}};
constexpr StyleChoice PictureStyles[] = {
    {0, "No scaling"}, {1, "Preserve aspect"}, {2, "Scale to fit"}, {3, "Auto resize"}};
constexpr StyleChoice FrameStyles[] = {{0, "Normal"}, {1, "Caption-less"}};
constexpr StyleChoice TreeStyles[] = {{0, "Single select"}, {8, "Multi select"},
                                      {16, "Hierarchical"}};
constexpr StyleChoice TreeNodeStyles[] = {
    {0, "Text only"}, {1, "Text & sign"}, {2, "Text & small icon"},
    {3, "Text, small icon & sign"}, {4, "Text & large icon"}, {5, "Text, large icon & sign"}};
constexpr StyleChoice GaugeStyles[] = {{0, "Segmented bar"}, {1, "Smooth bar"}, {2, "Marquee"}};
constexpr StyleChoice TimerStyles[] = {{0, "One-shot"}, {1, "Continuous"}};

template <std::size_t N>
std::vector<StyleChoice> ToVector(const StyleChoice (&a)[N])
{
    return std::vector<StyleChoice>(a, a + N);
}

struct ScaleEntry
{
    int unit;
    const char *name;
    double twipsX; // 0: the screen's twips per pixel
    double twipsY;
};

constexpr ScaleEntry ScaleUnits[] = {
    {0, "default (characters)", 120, 240},
    {1, "twips", 1, 1},
    {2, "points", 20, 20},
    {3, "pixels", 0, 0},
    {4, "characters", 120, 240},
    {5, "inches", 1440, 1440},
    {6, "millimeters", 1440 / 25.4, 1440 / 25.4},
    {7, "centimeters", 1440 / 2.54, 1440 / 2.54},
};

using R = PropertySet::Range;
constexpr R AppRanges[] = {{2, 5}, {7, 11}, {14, 14}, {20, 24}, {41, 48}, {50, 50}, {56, 56},
                           {59, 61}, {66, 66}, {99, 99}};
constexpr R FormRanges[] = {{2, 6}, {8, 9}, {11, 11}, {14, 19}, {21, 23}, {47, 48}, {50, 50},
                            {56, 56}, {68, 68}, {74, 74}, {99, 99}};
constexpr R LabelRanges[] = {{0, 6}, {8, 11}, {14, 19}, {21, 22}, {25, 25}, {29, 29},
                             {47, 47}, {49, 50}, {67, 68}, {73, 74}, {99, 99}};
constexpr R EditRanges[] = {{0, 6}, {8, 19}, {21, 21}, {25, 25}, {29, 29}, {47, 47},
                            {49, 52}, {54, 54}, {57, 58}, {68, 68}, {73, 74}, {76, 76},
                            {99, 99}};
constexpr R CommandRanges[] = {{0, 0}, {2, 6}, {8, 11}, {13, 19}, {21, 23}, {29, 29},
                               {47, 47}, {49, 50}, {56, 56}, {68, 70}, {73, 74}, {99, 99}};
constexpr R OptionRanges[] = {{0, 6}, {8, 9}, {11, 19}, {21, 22}, {26, 29}, {40, 40},
                              {47, 47}, {49, 50}, {54, 54}, {67, 68}, {73, 74}, {99, 99}};
constexpr R CheckRanges[] = {{0, 6}, {8, 9}, {11, 19}, {21, 22}, {25, 25}, {29, 29},
                             {47, 47}, {49, 50}, {54, 54}, {67, 68}, {73, 74}, {99, 99}};
constexpr R ListRanges[] = {{0, 6}, {8, 19}, {21, 21}, {26, 29}, {32, 33}, {35, 35},
                            {37, 38}, {47, 47}, {49, 50}, {54, 54}, {56, 56}, {68, 68},
                            {70, 70}, {73, 74}, {99, 99}};
constexpr R ComboRanges[] = {{0, 6}, {8, 9}, {11, 19}, {21, 21}, {26, 29}, {31, 33},
                             {35, 35}, {37, 39}, {47, 47}, {49, 51}, {53, 54}, {56, 58},
                             {68, 68}, {70, 70}, {73, 74}, {76, 76}, {99, 99}};
constexpr R PictureRanges[] = {{1, 6}, {8, 11}, {21, 21}, {23, 23}, {29, 29}, {47, 47},
                               {49, 50}, {73, 74}, {99, 99}};
constexpr R FrameRanges[] = {{0, 6}, {8, 11}, {14, 19}, {21, 22}, {29, 29}, {47, 47},
                             {49, 50}, {67, 68}, {73, 74}, {99, 99}};
constexpr R GridRanges[] = {{0, 6}, {8, 19}, {21, 21}, {27, 39}, {47, 47}, {49, 51},
                            {54, 58}, {63, 65}, {68, 68}, {70, 71}, {73, 79}, {97, 99}};
constexpr R TabgrpRanges[] = {{0, 6}, {8, 11}, {13, 19}, {21, 21}, {29, 29}, {47, 47},
                              {49, 50}, {68, 68}, {73, 74}, {99, 99}};
constexpr R TabpnlRanges[] = {{0, 0}, {2, 6}, {8, 9}, {11, 11}, {14, 19}, {21, 22}, {29, 29},
                              {47, 47}, {49, 50}, {56, 56}, {68, 68}, {74, 74}, {99, 99}};
constexpr R TreeRanges[] = {{0, 6}, {8, 11}, {13, 19}, {21, 21}, {26, 26}, {29, 29},
                            {47, 47}, {49, 50}, {68, 68}, {73, 74}, {99, 99}};
constexpr R GaugeRanges[] = {{0, 6}, {8, 11}, {14, 19}, {21, 21}, {29, 29}, {47, 47},
                             {49, 50}, {68, 68}, {73, 74}, {99, 99}};
constexpr R BrowserRanges[] = {{0, 6}, {8, 9}, {11, 11}, {13, 13}, {21, 21}, {47, 47},
                               {49, 50}, {72, 72}, {74, 74}, {99, 99}};
constexpr R TimerRanges[] = {{8, 8}, {10, 10}, {50, 50}, {60, 60}, {99, 99}};
constexpr R MenuRanges[] = {{9, 10}, {25, 26}, {50, 50}, {99, 99}};

constexpr PropertySet SupportedSets[WrapperKindCount] = {
    PropertySet(),              // root: nothing
    PropertySet(AppRanges),     PropertySet(FormRanges),    PropertySet(LabelRanges),
    PropertySet(EditRanges),    PropertySet(CommandRanges), PropertySet(OptionRanges),
    PropertySet(CheckRanges),   PropertySet(ListRanges),    PropertySet(ComboRanges),
    PropertySet(PictureRanges), PropertySet(FrameRanges),   PropertySet(GridRanges),
    PropertySet(TabgrpRanges),  PropertySet(TabpnlRanges),  PropertySet(GaugeRanges),
    PropertySet(TreeRanges),    PropertySet(TimerRanges),   PropertySet(BrowserRanges),
    PropertySet(MenuRanges),
};

static_assert(SupportedSets[int(WrapperKind::Menu)].Has(26));
static_assert(!SupportedSets[int(WrapperKind::Timer)].Has(9));

} // namespace

bool IsKnownType(int type) { return FindType(type) != nullptr; }

ObjectKind KindOf(int type)
{
    if (type == Type::Root)
        return ObjectKind::Root;
    if (!IsKnownType(type))
        return ObjectKind::Unknown;
    if (IsApplication(type))
        return ObjectKind::Application;
    if (IsForm(type))
        return ObjectKind::Form;
    if (IsControl(type))
        return ObjectKind::Control;
    return ObjectKind::FormBar;
}

QString TypeKeyword(int type, bool shortForm)
{
    const TypeEntry *e = FindType(type);
    if (!e || type == Type::Root)
        throw GuiError(GuiErrors::InvalidCall);
    return QString::fromLatin1(shortForm ? e->shortKw : e->longKw);
}

WrapperKind WrapperKindOf(int type)
{
    const TypeEntry *e = FindType(type);
    if (!e)
        throw GuiError(GuiErrors::InvalidArgument);
    return e->wrapper;
}

QString WrapperClassName(WrapperKind kind)
{
    return QString::fromLatin1(WrapperClassNames[int(kind)]);
}

std::vector<int> TypesOf(WrapperKind kind)
{
    std::vector<int> types;
    for (const TypeEntry &e : TypeTable)
        if (e.wrapper == kind)
            types.push_back(e.code);
    return types;
}

QString PropertyName(int code)
{
    if (code == Prop::ObjectID)
        return QStringLiteral("ObjectID");
    if (code == Prop::ObjectType)
        return QStringLiteral("ObjectType");
    if (code >= 0 && code <= 100 && PropertyNames[code])
        return QString::fromLatin1(PropertyNames[code]);
    if (code >= Prop::PrinterName && code <= Prop::PrintColorMode)
        return QString::fromLatin1(PrinterPropertyNames[code - Prop::PrinterName]);
    return QStringLiteral("unknown");
}

QString PropertyTableName(int code)
{
    if (code < 1 || code > 100 || !PropertyNames[code])
        return {};
    switch (code) {
    case Prop::ReadOnly: return QStringLiteral("Appearance");
    case Prop::RtnEqTab: return QStringLiteral("RtnEQTab");
    case Prop::AutoSelect: return QStringLiteral("AutoSel");
    default: return QString::fromLatin1(PropertyNames[code]);
    }
}

QString PropertyTableList()
{
    QStringList names;
    for (int code = 1; code <= 100; ++code)
        names << PropertyTableName(code);
    return names.join(QLatin1Char('*'));
}

bool IsFontCode(int code)
{
    for (int c : FontCodes)
        if (c == code)
            return true;
    return false;
}

bool IsBooleanCode(int code)
{
    for (int c : BooleanCodes)
        if (c == code)
            return true;
    return false;
}

std::vector<int> PropertySet::Codes() const
{
    std::vector<int> codes;
    for (int c = 0; c < 128; ++c)
        if (Has(c))
            codes.push_back(c);
    return codes;
}

const PropertySet &SupportedProperties(WrapperKind kind)
{
    return SupportedSets[int(kind)];
}

QString MethodName(int code)
{
    if (code >= 0 && code < int(std::size(MethodNames)))
        return QString::fromLatin1(MethodNames[code]);
    return QStringLiteral("unknown");
}

QString EventName(int code)
{
    const EventEntry *e = FindEvent(code);
    return e ? QString::fromLatin1(e->name) : QString();
}

QString EventDisplayName(int code)
{
    const EventEntry *e = FindEvent(code);
    return e ? QString::fromLatin1(e->display) : QString();
}

std::vector<int> EventsInMask(std::int32_t mask)
{
    std::vector<int> codes;
    const auto bits = std::uint32_t(mask);
    for (int code = 1; code <= Event::MaxCode; ++code)
        if (bits & EventMaskBit(code))
            codes.push_back(code);
    return codes;
}

QString EventNameList() { return JoinEventFields(false); }
QString EventCaptionList() { return JoinEventFields(true); }

bool IsDataType(int code)
{
    for (const DataTypeEntry &e : DataTypes)
        if (e.code == code)
            return true;
    return false;
}

QString DataTypeLabel(int code)
{
    for (const DataTypeEntry &e : DataTypes)
        if (e.code == code)
            return QString::fromLatin1(e.label);
    return {};
}

QString DataTypeList()
{
    QStringList entries;
    for (const DataTypeEntry &e : DataTypes)
        entries << QStringLiteral("%1-%2").arg(e.code).arg(QLatin1String(e.label));
    return entries.join(QLatin1Char(','));
}

QStringList ListEntries(int list)
{
    if (list == List::DataTypes)
        return DataTypeList().split(QLatin1Char(','));
    for (const ListEntry &e : Lists)
        if (e.id == list)
            return QString::fromLatin1(e.text).split(QLatin1Char(','));
    return {};
}

QString ListText(int list) { return ListEntries(list).join(QLatin1Char(',')); }

std::vector<StyleChoice> StyleChoices(WrapperKind kind)
{
    switch (kind) {
    case WrapperKind::Label: return ToVector(LabelStyles);
    case WrapperKind::Edit: return ToVector(EditStyles);
    case WrapperKind::Command: return ToVector(CommandStyles);
    case WrapperKind::Picture: return ToVector(PictureStyles);
    case WrapperKind::Frame: return ToVector(FrameStyles);
    case WrapperKind::Gauge: return ToVector(GaugeStyles);
    case WrapperKind::Timer: return ToVector(TimerStyles);
    case WrapperKind::Tree: {
        std::vector<StyleChoice> v = ToVector(TreeStyles);
        for (const StyleChoice &c : TreeNodeStyles)
            v.push_back(c);
        return v;
    }
    default: return {};
    }
}

bool IsValidStyle(int type, int style)
{
    if (!IsKnownType(type))
        return false;
    const WrapperKind kind = WrapperKindOf(type);
    switch (kind) {
    case WrapperKind::Tree: {
        const int treeStyle = style & ~7;
        const int nodeStyle = style & 7;
        return style >= 0 && (treeStyle == 0 || treeStyle == 8 || treeStyle == 16)
               && nodeStyle <= 5;
    }
    case WrapperKind::Menu:
        // The tool bar's caption/icon styles (list 6017); other bars keep the same range.
        return style >= 0 && style <= 2;
    case WrapperKind::Tabgrp:
        // 1: tabs that do not fit across take several rows.
        return style == 0 || style == 1;
    case WrapperKind::List:
    case WrapperKind::Combo:
    case WrapperKind::Grid:
        for (const VariantChoice &v : TypeVariants(kind))
            if (v.style == style)
                return true;
        return false;
    default: {
        for (const StyleChoice &c : StyleChoices(kind))
            if (c.value == style)
                return true;
        return false;
    }
    }
}

std::vector<StyleChoice> FormVariants(bool sdiApplication)
{
    if (sdiApplication)
        return {{6, "Fixed"}, {5, "Sizable"}};
    return {{5, "Sizable Child"}, {6, "Fixed Child"}, {7, "Dialog"}, {8, "Sizable"},
            {9, "Fixed"}};
}

std::vector<VariantChoice> TypeVariants(WrapperKind kind)
{
    switch (kind) {
    case WrapperKind::Edit:
        return {{0, 16, "Single line"}, {1, 17, "Multi line"}, {2, 29, "Password"},
                {4, 16, "Single up/down"}};
    case WrapperKind::List:
    case WrapperKind::Combo:
        return {{0, 21, "Single selection"}, {1, 22, "Multi selection"},
                {2, 34, "Check boxes"}, {3, 24, "Drop-down list"}};
    case WrapperKind::Grid:
        return {{0, 27, "Protected"}, {1, 28, "Editable"}};
    default: return {};
    }
}

bool IsScaleUnit(int unit) { return unit >= 0 && unit <= 7; }

QString ScaleUnitName(int unit)
{
    return IsScaleUnit(unit) ? QString::fromLatin1(ScaleUnits[unit].name) : QString();
}

double TwipsPerUnitX(int unit)
{
    if (!IsScaleUnit(unit))
        return 1;
    if (unit == Scale::Pixels)
        return PlatformMetrics::Current().TwipsPerPixelX;
    return ScaleUnits[unit].twipsX;
}

double TwipsPerUnitY(int unit)
{
    if (!IsScaleUnit(unit))
        return 1;
    if (unit == Scale::Pixels)
        return PlatformMetrics::Current().TwipsPerPixelY;
    return ScaleUnits[unit].twipsY;
}

int InstanceSetOf(int type)
{
    switch (type) {
    case Type::Text:
    case Type::TextMultiLine:
    case Type::TextPassword: return Type::Text;
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck: return Type::List;
    case Type::Combo:
    case Type::DropDownList: return Type::Combo;
    case Type::GridProtected:
    case Type::GridEditable: return Type::GridProtected;
    case Type::Label:
    case Type::Command:
    case Type::Option:
    case Type::Check:
    case Type::Picture:
    case Type::Frame:
    case Type::Tabgroup:
    case Type::Tab:
    case Type::Gauge:
    case Type::Tree:
    case Type::Browser:
    case Type::Menu:
    case Type::Popup:
    case Type::Toolbar:
    case Type::Statusbar:
    case Type::BorderFrame:
    case Type::SelectionSizer: return type;
    default: return 0;
    }
}

} // namespace Vocabulary
