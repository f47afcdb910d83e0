#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

// The fixed vocabulary shared with the GUI runtime: object type codes, property, method,
// event and data-type codes, enumerations and scale units. The numbers are an external
// contract and are never renumbered. All tables are constexpr; the functions below turn
// entries into QString on demand.
namespace Vocabulary {

// ---- Object types --------------------------------------------------------------------

namespace Type {
inline constexpr int Root = -1;
inline constexpr int AppMdi = 0;
inline constexpr int AppSdi = 1;
inline constexpr int FormSizableChild = 5;
inline constexpr int FormFixedChild = 6;
inline constexpr int FormDialog = 7;
inline constexpr int FormSizable = 8;
inline constexpr int FormFixed = 9;
inline constexpr int Label = 15;
inline constexpr int Text = 16;
inline constexpr int TextMultiLine = 17;
inline constexpr int Command = 18;
inline constexpr int Option = 19;
inline constexpr int Check = 20;
inline constexpr int List = 21;
inline constexpr int ListMulti = 22;
inline constexpr int Combo = 23;
inline constexpr int DropDownList = 24;
inline constexpr int Picture = 25;
inline constexpr int Frame = 26;
inline constexpr int GridProtected = 27;
inline constexpr int GridEditable = 28;
inline constexpr int TextPassword = 29;
inline constexpr int Tabgroup = 30;
inline constexpr int Tab = 31;
inline constexpr int Gauge = 32;
inline constexpr int Tree = 33;
inline constexpr int ListCheck = 34;
inline constexpr int Timer = 35;
inline constexpr int Browser = 36;
inline constexpr int Menu = 75;
inline constexpr int Popup = 76;
inline constexpr int Toolbar = 77;
inline constexpr int Statusbar = 78;
// Design-surface instance kinds that are not object types.
inline constexpr int BorderFrame = 998;
inline constexpr int SelectionSizer = 999;
} // namespace Type

// One wrapper class per row of the type table.
enum class WrapperKind {
    Root, App, Form, Label, Edit, Command, Option, Check, List, Combo, Picture, Frame, Grid,
    Tabgrp, Tabpnl, Gauge, Tree, Timer, Browser, Menu,
};
inline constexpr int WrapperKindCount = int(WrapperKind::Menu) + 1;

enum class ObjectKind { Root, Application, Form, Control, FormBar, Unknown };

bool IsKnownType(int type);
ObjectKind KindOf(int type);
// The instance kind a design form makes for an object type: the set its instances are
// numbered in (one for the three text boxes, one for the lists, ...); 0 for a type without one.
int InstanceSetOf(int type);
inline bool IsApplication(int type) { return type == 0 || type == 1; }
inline bool IsForm(int type) { return type >= 5 && type <= 9; }
inline bool IsControl(int type) { return type >= 15 && type <= 36; }
inline bool IsFormBar(int type) { return type >= 75 && type <= 78; }

// The stem of new IDs (short) or the name shown to the user (long). Error 5 for a code
// outside the type table.
QString TypeKeyword(int type, bool shortForm);
// The wrapper that serves a code; error 5003 for a code outside the type table.
WrapperKind WrapperKindOf(int type);
QString WrapperClassName(WrapperKind kind);
// The type codes one wrapper class serves.
std::vector<int> TypesOf(WrapperKind kind);

// ---- Properties ----------------------------------------------------------------------

namespace Prop {
inline constexpr int ObjectID = -2;
inline constexpr int ObjectType = -1;
inline constexpr int DefVal = 0;
inline constexpr int Value = 1;
inline constexpr int Left = 2;
inline constexpr int Top = 3;
inline constexpr int Width = 4;
inline constexpr int Height = 5;
inline constexpr int Changed = 6;
inline constexpr int Scale = 7;
inline constexpr int Enabled = 8;
inline constexpr int Visible = 9;
inline constexpr int Style = 10;
inline constexpr int Border = 11;
inline constexpr int ReadOnly = 12;
inline constexpr int TabStop = 13;
inline constexpr int BackColor = 14;
inline constexpr int ForeColor = 15;
inline constexpr int FontName = 16;
inline constexpr int FontSize = 17;
inline constexpr int FontBold = 18;
inline constexpr int FontItalic = 19;
inline constexpr int HelpFile = 20;
inline constexpr int HelpID = 21;
inline constexpr int Caption = 22;
inline constexpr int Picture = 23;
inline constexpr int RtnEqTab = 24;
inline constexpr int Align = 25;
inline constexpr int Items = 26;
inline constexpr int Columns = 27;
inline constexpr int Rows = 28;
inline constexpr int DataType = 29;
inline constexpr int Column = 30;
inline constexpr int Row = 31;
inline constexpr int ColHeading = 32;
inline constexpr int GridLines = 33;
inline constexpr int ColFieldType = 34;
inline constexpr int ColDataType = 35;
inline constexpr int ColItems = 36;
inline constexpr int ColWidth = 37;
inline constexpr int ColAlign = 38;
inline constexpr int DataCol = 39;
inline constexpr int Arrange = 40;
inline constexpr int Description = 41;
inline constexpr int Author = 42;
inline constexpr int Copyright = 43;
inline constexpr int Version = 44;
inline constexpr int Logo = 45;
inline constexpr int AutoSelect = 46;
inline constexpr int Status = 47;
inline constexpr int WindowState = 48;
inline constexpr int Hint = 49;
inline constexpr int Extension = 50;
inline constexpr int MaxLen = 51;
inline constexpr int MaxLines = 52;
inline constexpr int MaxDrop = 53;
inline constexpr int Required = 54;
inline constexpr int FixedCols = 55;
inline constexpr int Icon = 56;
inline constexpr int SelStart = 57;
inline constexpr int SelLength = 58;
inline constexpr int HelpType = 59;
inline constexpr int Timeout = 60;
inline constexpr int MsgText = 61;
inline constexpr int State = 62;
inline constexpr int ColSizable = 63;
inline constexpr int ColHint = 64;
inline constexpr int AltColor = 65;
inline constexpr int NoAutoTips = 66;
inline constexpr int Transparent = 67;
inline constexpr int FontUnderline = 68;
inline constexpr int IconAlign = 69;
inline constexpr int IconSize = 70;
inline constexpr int WordWrap = 71;
inline constexpr int Content = 72;
inline constexpr int DragID = 73;
inline constexpr int DropIDs = 74;
inline constexpr int DragMode = 75;
inline constexpr int SelRange = 76;
inline constexpr int ColTabStop = 77;
inline constexpr int FocusStyle = 78;
inline constexpr int PasteMode = 79;
// Grid switches of the designer's own, from the top of the unassigned range: whether an
// editable grid keeps an empty row at its end that grows the grid when typed in, and whether
// the column heading row is shown. Both are on unless stored "0".
inline constexpr int AutoExtend = 97;
inline constexpr int HeadingRow = 98;
inline constexpr int EventMask = 99;
inline constexpr int Custom = 100;
inline constexpr int PrinterName = 201;
inline constexpr int Orientation = 202;
inline constexpr int PaperSource = 203;
inline constexpr int PaperSize = 204;
inline constexpr int PrintQuality = 205;
inline constexpr int PrintCopies = 206;
inline constexpr int PrintDuplexMode = 207;
inline constexpr int PrintColorMode = 208;
} // namespace Prop

// The canonical name ("unknown" for an unassigned code), as load-error reports print it.
QString PropertyName(int code);
// The name as the program's string table lists it (a few spellings differ: 12 "Appearance",
// 24 "RtnEQTab", 46 "AutoSel"); empty for codes outside 1-100.
QString PropertyTableName(int code);
// The whole string-table list: names joined by "*", the position of a name being its code.
QString PropertyTableList();
// The five codes that make up a font.
inline constexpr std::array<int, 5> FontCodes{Prop::FontName, Prop::FontSize, Prop::FontBold,
                                              Prop::FontItalic, Prop::FontUnderline};
bool IsFontCode(int code);
// Codes whose values are Booleans ("1"/"0").
bool IsBooleanCode(int code);

// A set of property codes 0-127 (the codes an object kind supports).
class PropertySet
{
public:
    struct Range { int low; int high; };
    constexpr PropertySet() = default;
    template <std::size_t N>
    constexpr explicit PropertySet(const Range (&ranges)[N])
    {
        for (const Range &r : ranges)
            for (int c = r.low; c <= r.high; ++c)
                m_bits[std::size_t(c) / 64] |= std::uint64_t(1) << (c % 64);
    }
    constexpr bool Has(int code) const
    {
        return code >= 0 && code < 128 && (m_bits[std::size_t(code) / 64] >> (code % 64)) & 1u;
    }
    std::vector<int> Codes() const;

private:
    std::array<std::uint64_t, 2> m_bits{};
};

// The codes a wrapper answers GetProperty for; SetProperty accepts the same less Status.
const PropertySet &SupportedProperties(WrapperKind kind);

// ---- Methods -------------------------------------------------------------------------

namespace Method {
inline constexpr int Reset = 0;
inline constexpr int Clear = 1;
inline constexpr int Show = 2;
inline constexpr int Hide = 3;
inline constexpr int Activate = 4;
inline constexpr int Insert = 5;
inline constexpr int Remove = 6;
inline constexpr int Enable = 7;
inline constexpr int Disable = 8;
inline constexpr int Move = 9;
inline constexpr int Print = 10;
inline constexpr int Help = 11;
inline constexpr int Sort = 12;
} // namespace Method

QString MethodName(int code); // "unknown" for an unassigned code

// ---- Events --------------------------------------------------------------------------

namespace Event {
inline constexpr int Close = 1;
inline constexpr int Activate = 4;
inline constexpr int Deactivate = 5;
inline constexpr int Click = 6;
inline constexpr int DblClick = 7;
inline constexpr int Change = 8;
inline constexpr int Validate = 9;
inline constexpr int LoadList = 10;
inline constexpr int ValidateCell = 11;
inline constexpr int ValidateRow = 12;
inline constexpr int Context = 13;
inline constexpr int BtnClick = 14;
inline constexpr int ActivateCell = 15;
inline constexpr int Resize = 16;
inline constexpr int ColClick = 17;
inline constexpr int DeactivateCell = 18;
inline constexpr int ActivateRow = 19;
inline constexpr int DeactivateRow = 20;
inline constexpr int Help = 21;
inline constexpr int Status = 22;
inline constexpr int Timer = 23;
inline constexpr int DragDrop = 24;
inline constexpr int Quit = 31;
inline constexpr int MaxCode = 31;
} // namespace Event

// Empty for an unassigned code or one outside 1-31.
QString EventName(int code);
QString EventDisplayName(int code);
// Bit (code - 1); 0 outside 1-31.
constexpr std::uint32_t EventMaskBit(int code)
{
    return code >= 1 && code <= 31 ? std::uint32_t(1) << (code - 1) : 0u;
}
// The event codes a mask enables, ascending.
std::vector<int> EventsInMask(std::int32_t mask);
// The two comma-separated lists the process state loads once: field n is the program name
// (EventNameList) or display name (EventCaptionList) of event code n.
QString EventNameList();
QString EventCaptionList();

// ---- Data types ----------------------------------------------------------------------

struct DataTypeEntry { int code; const char *label; };
// In the order the property sheet lists them (not code order).
inline constexpr std::array<DataTypeEntry, 15> DataTypes{{
    {0, "Any"}, {1, "Alpha"}, {2, "Alpha Numeric"}, {8, "Numeric"}, {5, "Currency"},
    {7, "Financial"}, {9, "Percent"}, {3, "Boolean"}, {6, "Date"}, {13, "Time"},
    {10, "Phone"}, {11, "SSN"}, {12, "State"}, {4, "Country"}, {14, "Zip Code"},
}};
bool IsDataType(int code);
QString DataTypeLabel(int code); // empty for an unknown code
// "0-Any,1-Alpha,2-Alpha Numeric,8-Numeric,..." in list order.
QString DataTypeList();

// ---- Enumerations and keyword lists --------------------------------------------------

namespace List {
inline constexpr int Align = 6003;
inline constexpr int DataTypes = 6004;
inline constexpr int GridLines = 6005;
inline constexpr int ColFieldType = 6006;
inline constexpr int HelpType = 6008;
inline constexpr int MenuActions = 6009;
inline constexpr int BarPosition = 6014;
inline constexpr int IconSize = 6015;
inline constexpr int IconAlign = 6016;
inline constexpr int ToolbarStyle = 6017;
inline constexpr int ItemAlign = 6018;
inline constexpr int StatusPanels = 6019;
inline constexpr int PanelWidthMode = 6020;
} // namespace List

// The entries of a numbered enumeration or keyword list (value = zero-based position);
// empty for an unknown list.
QStringList ListEntries(int list);
// The same joined by commas, as the string table holds it.
QString ListText(int list);

// The choices of the Style property of an object kind: value and label.
struct StyleChoice { int value; const char *label; };
std::vector<StyleChoice> StyleChoices(WrapperKind kind);
// Whether a Style value is accepted by an object type (tree styles are sums).
bool IsValidStyle(int type, int style);
// The window kinds offered for forms: code and label (SDI applications offer only 6 and 5,
// labelled "Fixed" and "Sizable").
std::vector<StyleChoice> FormVariants(bool sdiApplication);
// The style variant choices of the text box, list box and grid (Style value or label and
// the type code it selects).
struct VariantChoice { int style; int type; const char *label; };
std::vector<VariantChoice> TypeVariants(WrapperKind kind);

// ---- Scale units ---------------------------------------------------------------------

namespace Scale {
inline constexpr int Default = 0;
inline constexpr int Twips = 1;
inline constexpr int Points = 2;
inline constexpr int Pixels = 3;
inline constexpr int Characters = 4;
inline constexpr int Inches = 5;
inline constexpr int Millimeters = 6;
inline constexpr int Centimeters = 7;
} // namespace Scale

bool IsScaleUnit(int unit);
QString ScaleUnitName(int unit); // empty for an unknown unit
// Twips per unit; unit 0 counts as characters, pixels follow the platform metrics. An unknown
// unit gives 1 (twips).
double TwipsPerUnitX(int unit);
double TwipsPerUnitY(int unit);

// ---- Default texts -------------------------------------------------------------------

inline constexpr const char *BusyMessage = "Processing... please wait";
inline constexpr const char *DefaultFontName = "Arial";
inline constexpr const char *DefaultFontSize = "9";
inline constexpr int CurrentProjectVersion = 14;
inline constexpr float AutoPosition = -100000000.0f;

} // namespace Vocabulary
