// The vocabulary tables: codes and names are a contract with the runtime, so the tests pin
// the entries that are easy to get wrong.
#include "model/Vocabulary.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

using namespace Vocabulary;

TEST(Vocabulary, TypeKeywordsAndWrappers)
{
    const struct { int type; bool shortForm; const char *keyword; } keywords[] = {
        {24, true, "List"}, {23, true, "Combo"},     {23, false, "Combobox"}, {0, true, "App"},
        {1, false, "App"},  {29, false, "Textbox"},  {30, false, "Tabgrp"},   {76, false, "Popupmenu"},
    };
    for (const auto &k : keywords)
        EXPECT_EQ(TypeKeyword(k.type, k.shortForm), k.keyword) << k.type;
    for (int t = 5; t <= 9; ++t)
        EXPECT_EQ(TypeKeyword(t, true), "Form");
    EXPECT_EQ(WrapperClassName(WrapperKindOf(24)), "cComboWrapper");
    EXPECT_EQ(WrapperClassName(WrapperKindOf(78)), "cMenuWrapper");
    EXPECT_EQ(WrapperClassName(WrapperKindOf(-1)), "cRootObject");

    for (int bad : {2, 4, 10, 14, 37, 74, 79, 1000, -2}) {
        EXPECT_EQ(ErrorOf([&] { TypeKeyword(bad, true); }), GuiErrors::InvalidCall) << bad;
        EXPECT_EQ(ErrorOf([&] { WrapperKindOf(bad); }), GuiErrors::InvalidArgument) << bad;
    }
    EXPECT_EQ(KindOf(36), ObjectKind::Control);
    EXPECT_EQ(KindOf(75), ObjectKind::FormBar);
    EXPECT_EQ(KindOf(37), ObjectKind::Unknown);
}

TEST(Vocabulary, PropertyMethodAndEventNames)
{
    const std::pair<int, const char *> properties[] = {
        {66, "NoAutoTips"}, {80, "unknown"},   {96, "unknown"},  {97, "AutoExtend"},     {98, "HeadingRow"},
        {99, "EventMask"},  {100, "Custom"},   {-2, "ObjectID"}, {208, "PrintColorMode"}, {209, "unknown"},
    };
    for (const auto &[code, name] : properties)
        EXPECT_EQ(PropertyName(code), name) << code;
    EXPECT_EQ(PropertyTableName(12), "Appearance");
    EXPECT_EQ(PropertyTableList().split('*').size(), 100);
    EXPECT_EQ(PropertyTableList().split('*').at(23), "RtnEQTab");

    EXPECT_EQ(MethodName(0), "Reset");
    EXPECT_EQ(MethodName(12), "Sort");
    EXPECT_EQ(MethodName(13), "unknown");

    EXPECT_EQ(EventName(7), "DblClick");
    EXPECT_EQ(EventDisplayName(7), "Double Click");
    EXPECT_EQ(EventName(2), "");
    const QStringList names = EventNameList().split(',');
    ASSERT_EQ(names.size(), 31);
    EXPECT_EQ(names.at(30), "Quit");
    EXPECT_EQ(EventCaptionList().split(',').at(13), "Button Click");
    EXPECT_EQ(EventsInMask(0x40000001), (std::vector<int>{1, 31}));
    EXPECT_EQ(EventMaskBit(6), 0x20u);
}

TEST(Vocabulary, DataTypesListsAndScales)
{
    EXPECT_EQ(DataTypes[3].code, 8);
    EXPECT_EQ(DataTypeList().split(',').at(3), "8-Numeric");
    EXPECT_EQ(DataTypeLabel(14), "Zip Code");
    EXPECT_FALSE(IsDataType(15));

    EXPECT_EQ(ListEntries(List::ColFieldType).size(), 8);
    EXPECT_EQ(ListEntries(List::StatusPanels).at(5), "*Timedate");
    EXPECT_EQ(ListText(List::Align), "Left,Right,Center");
    EXPECT_TRUE(ListEntries(1234).isEmpty());

    EXPECT_DOUBLE_EQ(TwipsPerUnitX(0), 120);
    EXPECT_DOUBLE_EQ(TwipsPerUnitY(0), 240);
    EXPECT_DOUBLE_EQ(TwipsPerUnitX(3), 15);
    EXPECT_NEAR(TwipsPerUnitY(6), 56.6929, 1e-3);
    EXPECT_EQ(ScaleUnitName(7), "centimeters");
}

TEST(Vocabulary, StylesAndSupportedProperties)
{
    EXPECT_TRUE(IsValidStyle(16, 4));
    EXPECT_FALSE(IsValidStyle(16, 3));
    EXPECT_TRUE(IsValidStyle(33, 16 + 5));
    EXPECT_FALSE(IsValidStyle(33, 6));
    EXPECT_FALSE(IsValidStyle(33, 24));
    EXPECT_FALSE(IsValidStyle(32, 3));
    EXPECT_EQ(FormVariants(true).size(), 2u);
    EXPECT_STREQ(FormVariants(true)[0].label, "Fixed");

    const PropertySet &timer = SupportedProperties(WrapperKind::Timer);
    EXPECT_EQ(timer.Codes(), (std::vector<int>{8, 10, 50, 60, 99}));
    const PropertySet &grid = SupportedProperties(WrapperKind::Grid);
    for (int code : {27, 39, 55, 73, 79, 99})
        EXPECT_TRUE(grid.Has(code)) << code;
    EXPECT_FALSE(grid.Has(26));
    // The grid's own switches belong to the grid alone.
    for (int code : {97, 98}) {
        EXPECT_TRUE(grid.Has(code)) << code;
        EXPECT_TRUE(IsBooleanCode(code)) << code;
        EXPECT_FALSE(SupportedProperties(WrapperKind::List).Has(code)) << code;
    }
    EXPECT_FALSE(grid.Has(96));
    EXPECT_FALSE(SupportedProperties(WrapperKind::Picture).Has(0));
    EXPECT_TRUE(SupportedProperties(WrapperKind::Combo).Has(39));
    EXPECT_FALSE(SupportedProperties(WrapperKind::List).Has(39));
    EXPECT_FALSE(SupportedProperties(WrapperKind::Root).Has(1));
}
