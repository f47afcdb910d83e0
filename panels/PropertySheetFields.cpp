#include "panels/PropertySheetFields.h"

#include <QStringList>
#include <array>

using namespace Vocabulary;
using Page = PropertySheetModel::Page;
using Kind = PropertySheetModel::Kind;
using Field = PropertySheetModel::Field;
using Choice = PropertySheetModel::Choice;

namespace {

// A set of object kinds, one bit per kind.
using Kinds = quint32;
template <typename... K>
constexpr Kinds Of(K... kinds)
{
    return ((Kinds(1) << int(kinds)) | ...);
}
constexpr Kinds Every = (Kinds(1) << WrapperKindCount) - 1;
constexpr Kinds AllBut(Kinds kinds) { return Every & ~kinds; }
static_assert(WrapperKindCount <= 32, "a kind set holds one bit per kind");

using W = WrapperKind;

// Where a choice field's entries come from: labels written in the row ('|' between them,
// valued from First on), a numbered list of the vocabulary, the scale units or the data types.
enum class ChoiceFrom { None, Labels, List, Scales, DataTypes };
struct Choices
{
    ChoiceFrom From = ChoiceFrom::None;
    const char *Labels = "";
    int First = 0;
    int List = 0;
};
constexpr Choices Labels(const char *labels, int first = 0)
{
    return {ChoiceFrom::Labels, labels, first, 0};
}
constexpr Choices FromList(int list) { return {ChoiceFrom::List, "", 0, list}; }

struct Row
{
    int Code;
    Page OnPage;
    Kind Type;
    const char *Label;
    Kinds AppliesTo;
    const char *Group = "";
    double Min = 0;
    double Max = 0;
    bool Integer = false;
    const char *Word = "";
    Choices Entries = {};
    bool ReadOnly = false;
};

constexpr Row Text(int code, Page page, const char *label, Kinds kinds, const char *group = "")
{
    return {code, page, Kind::Text, label, kinds, group};
}
constexpr Row Check(int code, Page page, const char *label, Kinds kinds, const char *group = "")
{
    return {code, page, Kind::Check, label, kinds, group};
}
constexpr Row Number(int code, Page page, const char *label, Kinds kinds, double min, double max,
                     bool integer, const char *word = "", const char *group = "")
{
    return {code, page, Kind::Number, label, kinds, group, min, max, integer, word};
}
constexpr Row Pick(int code, Page page, const char *label, Kinds kinds, Choices entries)
{
    return {code, page, Kind::Choice, label, kinds, "", 0, 0, false, "", entries};
}
constexpr Row Special(int code, Page page, Kind type, const char *label, Kinds kinds)
{
    return {code, page, type, label, kinds};
}
constexpr Row Shown(int code, Page page, const char *label, Kinds kinds)
{
    return {code, page, Kind::Text, label, kinds, "", 0, 0, false, "", {}, true};
}

// Positions and sizes are kept within what a twip count can hold with room to spare.
constexpr double MaxTwips = 100000000.0;
constexpr double MaxLong = 2147483647.0;

constexpr Kinds Positioned = AllBut(Of(W::Tabpnl, W::Timer, W::Menu));
constexpr Kinds Coloured = AllBut(Of(W::Picture, W::Gauge));
constexpr const char *PositionGroup = "Position && size";

// Every field in tab order: first the traits of each kind, then the General page, colours,
// font, picture and icon. A kind's fields keep the order of the rows that apply to it.
constexpr Row Catalogue[] = {
    // The application's own page.
    Text(Prop::Caption, Page::Application, "Application title:", Of(W::App)),
    Text(Prop::Description, Page::Application, "Description:", Of(W::App)),
    Text(Prop::Copyright, Page::Application, "Copyright:", Of(W::App)),
    Text(Prop::Version, Page::Application, "Version:", Of(W::App)),
    Text(Prop::Author, Page::Application, "Author:", Of(W::App)),
    Special(Prop::Logo, Page::Application, Kind::Picture, "Logo file name:", Of(W::App)),
    Pick(Prop::HelpType, Page::Application, "Help type:", Of(W::App), FromList(List::HelpType)),
    Text(Prop::HelpFile, Page::Application, "Help file name:", Of(W::App)),
    Text(Prop::HelpID, Page::Application, "Help index URL:", Of(W::App)),
    Shown(PropertySheetModel::CacheIdCode, Page::Application, "Cache ID:", Of(W::App)),
    Pick(Prop::Scale, Page::Application, "Scale:", Of(W::App), {ChoiceFrom::Scales}),
    Pick(Prop::RtnEqTab, Page::Application, "Behavior of Enter key:", Of(W::App),
         Labels("Normal - activates the default command button|"
                "Same as Tab key - cannot use default command button|"
                "Same as Tab, except for multiline text or command button")),
    Check(Prop::AutoSelect, Page::Application, "Auto select text fields", Of(W::App)),
    Check(Prop::NoAutoTips, Page::Application,
          "Disable automatic tooltips for items with truncated text", Of(W::App)),
    Text(Prop::MsgText, Page::Application, "Host busy message:", Of(W::App)),
    Number(Prop::Timeout, Page::Application, "Busy message time-out (seconds):", Of(W::App), 0,
           3600, true),

    // The traits of the other kinds.
    Text(Prop::Caption, Page::Traits, "Ca&ption:", Of(W::Form)),
    Text(Prop::DefVal, Page::Traits, "Default value:", Of(W::Edit, W::Combo, W::Gauge)),
    Text(Prop::Content, Page::Traits, "Default URL:", Of(W::Browser)),
    Number(Prop::Timeout, Page::Traits, "Timeout (ms):", Of(W::Timer), 0, MaxLong, true),
    Text(Prop::Caption, Page::Traits, "Caption:",
         Of(W::Label, W::Command, W::Frame, W::Tabpnl, W::Check, W::Option)),
    Pick(Prop::DefVal, Page::General, "Default state", Of(W::Check), Labels("Unchecked|Checked")),
    // The layout of the options sits above the option grid, on its page.
    Number(Prop::Columns, Page::Options, "Columns:", Of(W::Option), 0, 999, true, "auto"),
    Number(Prop::Rows, Page::Options, "Rows:", Of(W::Option), 0, 999, true, "auto"),
    Pick(Prop::Arrange, Page::Options, "Button arrangement", Of(W::Option), Labels("Down|Across")),
    Pick(Prop::DragMode, Page::Traits, "Drag mode:", Of(W::Grid),
         Labels("change active cell|initiate drag-and-drop|select cells|ignore drag")),
    Pick(Prop::FocusStyle, Page::Traits, "Focus style:", Of(W::Grid),
         Labels("thin dotted rectangle|thick dotted rectangle|thick solid rectangle", 1)),
    // Focus style 0 draws no rectangle but shows the active cell as selected; the sheet offers
    // it as a tick of its own beside the three rectangles.
    Check(PropertySheetModel::SelCellStyleCode, Page::Traits,
          "Show the active cell in the selected-cell style", Of(W::Grid)),
    Check(Prop::Style, Page::Tabs, "When tabs do not fit across, display multiple tab rows",
          Of(W::Tabgrp)),
    Pick(PropertySheetModel::NodeStyleCode, Page::Traits, "Node style:", Of(W::Tree),
         Labels("Text only|Text & sign|Text & small icon|Text, small icon & sign|"
                "Text & large icon|Text, large icon & sign")),

    // The General page.
    Number(Prop::Left, Page::General, "Left:", Positioned, -MaxTwips, MaxTwips, false, "auto",
           PositionGroup),
    Number(Prop::Top, Page::General, "Top:", Positioned, -MaxTwips, MaxTwips, false, "auto",
           PositionGroup),
    Number(Prop::Width, Page::General, "Width:", Positioned, 0, MaxTwips, false, "", PositionGroup),
    Number(Prop::Height, Page::General, "Height:", Positioned, 0, MaxTwips, false, "",
           PositionGroup),
    Check(Prop::Visible, Page::General, "Visible", AllBut(Of(W::Menu, W::App)), "General"),
    Check(Prop::Enabled, Page::General, "Enabled", AllBut(Of(W::Menu)), "General"),
    Check(Prop::TabStop, Page::General, "Tab stop", AllBut(Of(W::Menu)), "General"),
    Check(Prop::ReadOnly, Page::General, "Read only", AllBut(Of(W::Menu)), "General"),
    Check(Prop::Required, Page::General, "Required", AllBut(Of(W::Menu)), "General"),
    Check(Prop::WordWrap, Page::General, "Word wrap", AllBut(Of(W::Menu)), "General"),
    Check(Prop::PasteMode, Page::General, "Allow multi-cell paste", AllBut(Of(W::Menu)),
          "General"),
    Number(Prop::MaxLen, Page::General, "Length:", Of(W::Edit, W::Combo), 0, MaxLong, true,
           "none", "Maximum"),
    Number(Prop::MaxLines, Page::General, "Lines:", Of(W::Edit), 0, 32767, true, "none",
           "Maximum"),
    Text(Prop::HelpID, Page::General, "Help topic ID:",
         AllBut(Of(W::App, W::Label, W::Picture, W::Frame, W::Tabgrp, W::Tabpnl, W::Gauge,
                   W::Browser))),
    Text(Prop::Hint, Page::General, "Help hint text:", Every),
    Pick(Prop::DataType, Page::General, "Data type:", Of(W::Edit, W::Combo, W::Grid),
         {ChoiceFrom::DataTypes}),
    Pick(Prop::Align, Page::General, "Alignment", Of(W::Edit, W::Label, W::Check),
         Labels("Left|Right|Center")),
    Pick(Prop::Border, Page::General, "Border style",
         AllBut(Of(W::App, W::Form, W::Check, W::Command, W::Tabgrp)), Labels("None|Flat|Normal")),
    Pick(Prop::WindowState, Page::General, "Window State", Of(W::App, W::Form),
         Labels("Normal|Minimized|Maximized")),
    Pick(Prop::Border, Page::General, "MDI tabs:", Of(W::App), Labels("None|Top|Bottom")),

    // Colours, font, pictures and icons.
    Special(Prop::BackColor, Page::Colors, Kind::Colour, "Background color", Coloured),
    Special(Prop::ForeColor, Page::Colors, Kind::Colour, "Foreground color", Coloured),
    Special(Prop::AltColor, Page::Colors, Kind::Colour, "Alternate color",
            Coloured & ~Of(W::Grid)),
    Special(Prop::AltColor, Page::Colors, Kind::Colour, "Alternate row color", Of(W::Grid)),
    Check(Prop::Transparent, Page::Colors, "Background is transparent", Coloured),
    Special(Prop::FontName, Page::Font, Kind::Font, "Name:",
            AllBut(Of(W::App, W::Picture, W::Gauge, W::Tabpnl))),
    Special(Prop::Picture, Page::Picture, Kind::Picture, "Picture file:", Every),
    Special(Prop::Icon, Page::Icon, Kind::Icon, "Application icon (default form icon)",
            Of(W::App)),
    Special(Prop::Icon, Page::Icon, Kind::Icon, "Form icon", Of(W::Form)),
    Special(Prop::Icon, Page::Icon, Kind::Icon, "Button icon", Of(W::Command)),
    Special(Prop::Icon, Page::Icon, Kind::Icon, "Tab icon", Of(W::Tabpnl)),
    Pick(Prop::IconSize, Page::Icon, "Icon size:", Of(W::Command), FromList(List::IconSize)),
    Pick(Prop::IconAlign, Page::Icon, "Icon alignment:", Of(W::Command),
         FromList(List::IconAlign)),
};

std::vector<Choice> EntriesOf(const Choices &entries)
{
    std::vector<Choice> out;
    switch (entries.From) {
    case ChoiceFrom::None: break;
    case ChoiceFrom::Labels: {
        int value = entries.First;
        for (const QString &label : QString::fromUtf8(entries.Labels).split(QLatin1Char('|')))
            out.push_back({label, QString::number(value++)});
        break;
    }
    case ChoiceFrom::List: {
        const QStringList labels = ListEntries(entries.List);
        for (int i = 0; i < labels.size(); ++i)
            out.push_back({labels[i], QString::number(i)});
        break;
    }
    case ChoiceFrom::Scales:
        for (int u = 0; u <= 7; ++u)
            out.push_back({u == 0 ? QStringLiteral("default (characters)") : ScaleUnitName(u),
                           QString::number(u)});
        break;
    case ChoiceFrom::DataTypes:
        for (const DataTypeEntry &e : DataTypes)
            out.push_back({QString::fromLatin1(e.label), QString::number(e.code)});
        break;
    }
    return out;
}

} // namespace

std::vector<Field> PropertySheetFields::For(WrapperKind kind)
{
    std::vector<Field> fields;
    const Kinds bit = Of(kind);
    for (const Row &row : Catalogue) {
        if (!(row.AppliesTo & bit))
            continue;
        Field f;
        f.Code = row.Code;
        f.OnPage = row.OnPage;
        f.Type = row.Type;
        f.Label = QString::fromUtf8(row.Label);
        f.Group = QString::fromUtf8(row.Group);
        f.Choices = EntriesOf(row.Entries);
        f.Word = QString::fromUtf8(row.Word);
        f.Min = row.Min;
        f.Max = row.Max;
        f.Integer = row.Integer;
        f.ReadOnly = row.ReadOnly;
        fields.push_back(std::move(f));
    }
    return fields;
}
