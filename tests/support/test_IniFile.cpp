// IniFile: forgiving reads like the platform's profile calls, and writes that leave the rest
// of the file as it was and never leave a half-written file behind.
#include "FileBytes.h"
#include "support/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(IniFile, FindsSectionsAndKeysWithoutRegardToCaseAndTrimsValues)
{
    const IniFile ini = IniFile::FromText(QStringLiteral(
        "[Isolation]\n  PersistSettings = 2  \nAppDataDirectory=\"C:\\Data Dir\"\n"
        "[ behavior ]\nDisableThemes=TRUE\n"));
    EXPECT_EQ(ini.ReadInt("ISOLATION", "persistsettings", 1), 2);
    EXPECT_EQ(ini.ReadString("isolation", "AppDataDirectory"), "C:\\Data Dir");
    EXPECT_TRUE(ini.ReadBool("Behavior", "disablethemes", false));
    EXPECT_EQ(ini.Sections(), QStringList({"Isolation", "behavior"}));
    EXPECT_EQ(ini.Keys("isolation"), QStringList({"PersistSettings", "AppDataDirectory"}));
}

TEST(IniFile, MissingOrUnusableValuesGiveTheDefault)
{
    const IniFile ini = IniFile::FromText(QStringLiteral(
        "[S]\nnum=42abc\nneg= -7\nword=abc\nempty=\nflag=yes\nbig=99999999999\n"));
    EXPECT_EQ(ini.ReadString("S", "nokey", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("NoSection", "num", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("S", "empty", "dflt"), ""); // present but empty is not missing
    EXPECT_EQ(ini.ReadInt("S", "num", 1), 42);
    EXPECT_EQ(ini.ReadInt("S", "neg", 1), -7);
    EXPECT_EQ(ini.ReadInt("S", "word", 5), 5);
    EXPECT_EQ(ini.ReadInt("S", "empty", 5), 5);
    EXPECT_EQ(ini.ReadInt("S", "big", 5), 2147483647);
    EXPECT_TRUE(ini.ReadBool("S", "flag", true));
    EXPECT_FALSE(ini.ReadBool("S", "flag", false));
    EXPECT_TRUE(ini.ReadBool("S", "num", true)); // "42abc" is not a boolean

    const IniFile missing = IniFile::Load(QStringLiteral("/nonexistent/dir/x.ini"));
    EXPECT_TRUE(missing.Sections().isEmpty());
    EXPECT_EQ(missing.ReadInt("Isolation", "PersistSettings", 1), 1);
    EXPECT_EQ(IniFile::GetString("/nonexistent/x.ini", "a", "b", "c"), "c");
}

TEST(IniFile, ToleratesGarbageLinesAndTakesTheFirstOfRepeatedNames)
{
    const IniFile ini = IniFile::FromText(QStringLiteral(
        "orphan=before any section\r\n"
        "; comment=1\r\n# other=2\r\nno equals sign here\r\n=novalue\r\n[broken\r\n\r\n"
        "[A]\r\nkey=first\r\nKEY=second\r\n[a]\r\nkey=third\r\nother=x\r\n"));
    EXPECT_EQ(ini.ReadString("A", "key"), "first");
    EXPECT_EQ(ini.ReadString("A", "other", "none"), "none"); // in the repeated section
    EXPECT_EQ(ini.ReadString("A", "comment", "none"), "none");
    EXPECT_EQ(ini.ReadString("A", "orphan", "none"), "none");
    EXPECT_EQ(ini.Sections(), QStringList({"A"}));
    EXPECT_EQ(ini.Keys("A"), QStringList({"key"}));
}

TEST(IniFile, DecodesBomUtf8AndReadsOtherBytesAsLatin1)
{
    const IniFile bom = IniFile::FromBytes(QByteArray("\xEF\xBB\xBF[S]\nname=K\xC3\xA5re\n"));
    EXPECT_EQ(bom.ReadString("s", "name"), QString::fromUtf8("K\xC3\xA5re"));

    // Invalid UTF-8 (a lone 0xE5) and control bytes must neither crash nor lose the file.
    QByteArray binary("[S]\nname=K\xE5re\nnul=a");
    binary += '\0';
    binary += "b\n\xFE\xFF\x01garbage\n";
    IniFile latin = IniFile::FromBytes(binary);
    EXPECT_EQ(latin.ReadString("S", "name"), QString::fromLatin1("K\xE5re"));
    EXPECT_EQ(latin.ReadString("S", "nul").size(), 3);
    // Unchanged lines keep their original bytes when the file is written again.
    latin.WriteString("S", "added", "1");
    EXPECT_EQ(latin.ToBytes().replace("added=1\n", ""), binary);

    const IniFile utf16 = IniFile::FromBytes(QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0", 16));
    EXPECT_EQ(utf16.ReadString("S", "k"), "v");
}

TEST(IniFile, WritingKeepsCommentsOrderAndLineEnds)
{
    IniFile ini = IniFile::FromText(QStringLiteral(
        "; settings\r\n[One]\r\nA = 1 ; keep\r\nB=2\r\n\r\n[Two]\r\nC=3\r\n"));
    EXPECT_TRUE(ini.WriteString("one", "b", "20"));
    EXPECT_TRUE(ini.WriteString("ONE", "New", "x"));
    EXPECT_TRUE(ini.WriteString("Three", "D", "4"));
    EXPECT_EQ(ini.Text(), QStringLiteral("; settings\r\n[One]\r\nA = 1 ; keep\r\nB=20\r\nNew=x\r\n\r\n"
                                         "[Two]\r\nC=3\r\n[Three]\r\nD=4\r\n"));

    // A value cannot smuggle in lines of its own, and unusable names are refused.
    EXPECT_TRUE(ini.WriteString("Two", "C", "a\r\n[Evil]\nx=1"));
    EXPECT_FALSE(ini.HasSection("Evil"));
    EXPECT_EQ(ini.ReadString("Two", "C"), "a  [Evil] x=1");
    EXPECT_FALSE(ini.WriteString("Two", "k=v", "1"));
    EXPECT_FALSE(ini.WriteString("A]B", "k", "1"));
    EXPECT_FALSE(ini.WriteString("", "k", "1"));

    IniFile noFinalBreak = IniFile::FromText(QStringLiteral("[S]\na=1"));
    noFinalBreak.WriteString("S", "b", "2");
    EXPECT_EQ(noFinalBreak.Text(), QStringLiteral("[S]\na=1\nb=2\n"));
}

TEST(IniFile, SavesAtomicallyAndPutStringCreatesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("state.ini");
    EXPECT_TRUE(IniFile::PutString(path, "GUIDesigner_Settings", "@", "7"));
    EXPECT_TRUE(IniFile::PutString(path, "GUIDesigner_Settings", "MainWidth", "9000"));
    EXPECT_EQ(FileBytes(path), QByteArray("[GUIDesigner_Settings]\n@=7\nMainWidth=9000\n"));
    EXPECT_EQ(IniFile::GetString(path, "guidesigner_settings", "mainwidth"), "9000");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"state.ini"}));

    // A save that cannot complete leaves the old file as it was.
    const QString blocked = dir.filePath("sub/x.ini");
    EXPECT_FALSE(IniFile::PutString(blocked, "S", "k", "v"));
    PutFileBytes(dir.filePath("keep.ini"), "[S]\nk=old\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool saved = IniFile::PutString(dir.filePath("keep.ini"), "S", "k", "new");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!saved) // (root may write anyway)
        EXPECT_EQ(FileBytes(dir.filePath("keep.ini")), QByteArray("[S]\nk=old\n"));
}
