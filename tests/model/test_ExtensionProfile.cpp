// Extension profiles: type keywords, the per-type field lists with their fallback, and
// profiles that are missing or not profiles at all.
#include "model/ExtensionProfile.h"

#include "FileBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ExtensionProfile, TypeKeywordsNameTheSections)
{
    const struct {
        int type;
        const char *keyword;
    } table[] = {
        {0, "App"},      {1, "App"},       {5, "Form"},      {9, "Form"},     {15, "Label"},
        {16, "Edit"},    {17, "Edit"},     {29, "Edit"},     {18, "Command"}, {21, "List"},
        {22, "List"},    {24, "List"},     {34, "List"},     {23, "Combo"},   {27, "Grid"},
        {28, "Grid"},    {30, "Tabgrp"},   {31, "Tab"},      {36, "Browser"}, {75, "Menu"},
        {78, "Statusbar"}, {-1, ""},       {2, ""},          {4, ""},         {10, ""},
        {14, ""},        {37, ""},         {74, ""},         {79, ""},
    };
    for (const auto &row : table)
        EXPECT_EQ(ExtensionProfile::TypeKeyword(row.type), QString::fromLatin1(row.keyword))
            << "type " << row.type;
}

TEST(ExtensionProfile, TypeFieldsFallBackToAny)
{
    const ExtensionProfile withEdit = ExtensionProfile::FromText(
        "[Extension]\nName=Site\nCaption=Site data\n"
        "[EDITGX]\nfields= Alpha , ,Beta,\n"
        "[gxAny]\nFields=Common\n"
        "[gx]\nFields=Wrong\n");
    EXPECT_EQ(withEdit.FieldNames(16), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(withEdit.FieldNames(29), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(withEdit.FieldNames(15), QStringList({"Common"}));
    // A type without a keyword never reads a section named plain "gx".
    EXPECT_EQ(withEdit.FieldNames(2), QStringList({"Common"}));

    // A "Textgx" section is not the text box's section.
    const ExtensionProfile withoutEdit = ExtensionProfile::FromText(
        "[Extension]\nName=Site\nCaption=Site data\n"
        "[Textgx]\nFields=Alpha\n[Editgx]\nFields=\n[gxAny]\nFields=Common\n");
    EXPECT_EQ(withoutEdit.FieldNames(16), QStringList({"Common"}));
}

TEST(ExtensionProfile, FieldCaptionAndPosition)
{
    const ExtensionProfile profile = ExtensionProfile::FromText(
        "[Alpha]\nCaption=First\nPos=2\n[Beta]\nPos=abc\n[Gamma]\nPos= 999 \n");
    EXPECT_EQ(profile.FieldCaption("ALPHA"), "First");
    EXPECT_EQ(profile.FieldPos("alpha"), 2);
    EXPECT_EQ(profile.FieldCaption("Beta"), "");
    EXPECT_EQ(profile.FieldPos("Beta"), 0);
    EXPECT_EQ(profile.FieldPos("Gamma"), 999);
    EXPECT_EQ(profile.FieldPos("Missing"), 0);
    EXPECT_FALSE(ExtensionProfile::IsValidPos(1));
    EXPECT_TRUE(ExtensionProfile::IsValidPos(2));
    EXPECT_TRUE(ExtensionProfile::IsValidPos(999));
    EXPECT_FALSE(ExtensionProfile::IsValidPos(1000));
}

TEST(ExtensionProfile, OfferedOnlyWithNameAndCaption)
{
    EXPECT_TRUE(ExtensionProfile::FromText("[extension]\nNAME=A\ncaption=Custom\n").IsOffered());
    EXPECT_FALSE(ExtensionProfile::FromText("[Extension]\nName=A\n").IsOffered());
    EXPECT_FALSE(ExtensionProfile::FromText("[Extension]\nCaption=Custom\n").IsOffered());
}

TEST(ExtensionProfile, MissingOrCorruptFileIsEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ExtensionProfile missing = ExtensionProfile::Load(dir.filePath("none.ini"));
    EXPECT_FALSE(missing.IsOffered());
    EXPECT_TRUE(missing.FieldNames(16).isEmpty());

    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(char((i * 37 + 11) % 256));
    PutFileBytes(dir.filePath("garbage.ini"), bytes);
    const ExtensionProfile corrupt = ExtensionProfile::Load(dir.filePath("garbage.ini"));
    EXPECT_FALSE(corrupt.IsOffered());
    EXPECT_TRUE(corrupt.FieldNames(0).isEmpty());
}
