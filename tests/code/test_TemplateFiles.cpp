// Template files: finding the folder, recognising templates by their Info section, choosing
// one by code style, splitting a template into sections with the cache, the failure texts
// word for word, and files that are damaged or huge.
#include "code/TemplateFiles.h"
#include "support/GuiError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ErrorOf.h"
#include "FileBytes.h"

namespace {
QByteArray Template(const QByteArray &style, const QByteArray &body, const QByteArray &extra = {})
{
    return "[Info]\r\nType=Template\r\nStyle=" + style + "\r\nName=Style " + style + "\r\n" + extra
           + body;
}

struct TemplateFilesTest : ::testing::Test {
    QTemporaryDir dir;
    QString folder;
    QStringList shown;
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + "/";
    }
    TemplateFiles Files()
    {
        TemplateFiles files(folder);
        files.SetMessageSink([this](const QString &text) { shown.append(text); });
        return files;
    }
};
} // namespace

TEST_F(TemplateFilesTest, FolderResolution)
{
    const QString program = dir.path();
    ASSERT_TRUE(QDir(program).mkpath("GuiLib"));
    ASSERT_TRUE(QDir(program).mkpath("Templates/Mine"));
    const QString guiLib = program + "/GuiLib/";
    const QString mine = program + "/Templates/Mine/";

    EXPECT_EQ(TemplateFiles::TemplateFolder("Templates\\Mine", program), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder("Templates/Mine/", program + "/"), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder(mine, "/elsewhere"), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder("file://" + mine, "/elsewhere"), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder("FILE://" + QString(mine).replace('/', '\\'), "/x"), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder("file://Templates\\Mine", program), mine);
    EXPECT_EQ(TemplateFiles::TemplateFolder("GuiLib", program), guiLib);
    // A folder that does not exist falls back to GuiLib beside the program; a drive letter
    // marks a path as absolute, so it is not joined to the program folder.
    EXPECT_EQ(TemplateFiles::TemplateFolder("NoSuchFolder", program), guiLib);
    EXPECT_EQ(TemplateFiles::TemplateFolder("C:\\Templates", program), guiLib);
    // No folder at all.
    EXPECT_EQ(TemplateFiles::TemplateFolder("NoSuchFolder", program + "/Templates"), "");
    // A file is not a folder.
    PutFileBytes(program + "/Templates/afile", "x");
    EXPECT_EQ(TemplateFiles::TemplateFolder("Templates/afile", program), guiLib);
}

TEST_F(TemplateFilesTest, AnInstalledProgramFindsItsSharedGuiLib)
{
    // PREFIX/bin/corvane with PREFIX/share/corvane/GuiLib, a prefix with a blank in it.
    const QString prefix = dir.path() + "/my prefix";
    ASSERT_TRUE(QDir(prefix).mkpath("bin"));
    ASSERT_TRUE(QDir(prefix).mkpath("share/corvane/GuiLib"));
    ASSERT_TRUE(QDir(prefix).mkpath("site"));
    const QString bin = prefix + "/bin/";
    const QString shared = prefix + "/share/corvane/GuiLib/";
    EXPECT_EQ(TemplateFiles::TemplateFolder("GuiLib", bin), shared);
    EXPECT_EQ(TemplateFiles::TemplateFolder("NoSuchFolder", bin), shared);
    // A folder the user chose still wins, relative to the program or absolute.
    EXPECT_EQ(TemplateFiles::TemplateFolder("../site", bin), bin + "../site/");
    EXPECT_EQ(TemplateFiles::TemplateFolder(prefix + "/site", bin), prefix + "/site/");
    // GuiLib beside the program (a build folder) comes before the shared one.
    ASSERT_TRUE(QDir(prefix).mkpath("bin/GuiLib"));
    EXPECT_EQ(TemplateFiles::TemplateFolder("GuiLib", bin), bin + "GuiLib/");
}

TEST_F(TemplateFilesTest, EnumerationReadsTheInfoSectionOfEveryFile)
{
    PutFileBytes(folder + "a.tpl", Template("0", "<<1>>\r\nX\r\n", "Desc=Standard\r\nMode=DIALOG\r\n"));
    PutFileBytes(folder + "b.anything", "[Info]\nTYPE=template\nStyle=ALT\n<<1>>\nY\n");
    PutFileBytes(folder + "c.txt", "[Info]\nType=Other\nStyle=1\n");
    PutFileBytes(folder + "d.tpl", "[Info]\nStyle=2\n<<1>>\nType=Template\n");   // a code line, not Info
    PutFileBytes(folder + "e.tpl", "[Info]\nType=Template\n");                    // all defaults
    PutFileBytes(folder + "f.bin", QByteArray("\x00\xff\xfe[Info]\x00Type=Template", 22));
    PutFileBytes(folder + "translate.txt", "Vars=0\n[Xlat]\n");
    ASSERT_TRUE(QDir(folder).mkdir("sub.tpl"));
    // A named pipe would block the reader forever; it is not examined.
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "pipe.tpl").constData(), 0600), 0);

    TemplateFiles files = Files();
    ASSERT_TRUE(files.EnumerateTemplates());
    const std::vector<TemplateInfo> &t = files.Templates();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].Style, "0");
    EXPECT_EQ(t[0].Name, "Style 0");
    EXPECT_EQ(t[0].Desc, "Standard");
    EXPECT_EQ(t[0].Mode, "dialog");
    EXPECT_EQ(t[0].File, folder + "a.tpl");
    EXPECT_EQ(t[1].Style, "alt");
    EXPECT_EQ(t[1].File, folder + "b.anything");
    EXPECT_EQ(t[2].Style, "unknown");
    EXPECT_EQ(t[2].Name, "unknown");
    EXPECT_EQ(t[2].Desc, "");
    EXPECT_EQ(t[2].Mode, "");

    EXPECT_EQ(files.FindTemplate(""), 0);
    EXPECT_EQ(files.FindTemplate("Alt"), 1);
    EXPECT_EQ(files.FindTemplate("9"), -1);

    // The table is kept: a template added later is not seen by the same object.
    PutFileBytes(folder + "g.tpl", Template("9", "<<1>>\r\nZ\r\n"));
    EXPECT_EQ(files.FindTemplate("9"), -1);
    EXPECT_EQ(Files().FindTemplate("9"), 3);
}

TEST_F(TemplateFilesTest, FailureMessages)
{
    TemplateFiles empty = Files();
    EXPECT_FALSE(empty.EnumerateTemplates());
    GuiError e = Raised([&] { empty.GetCodeSection(1, "0", 1); });
    const QString none = "No code template files found in folder '" + folder + "'";
    EXPECT_EQ(e.Number(), GuiErrors::TemplateError);
    EXPECT_EQ(e.Description(), none);
    EXPECT_EQ(shown, QStringList{none});

    TemplateFiles nowhere(QString{});
    e = Raised([&] { nowhere.FindTemplate("0"); });
    EXPECT_EQ(e.Description(), "No code template files found in folder ''");

    PutFileBytes(folder + "t.tpl", Template("0", "<<1>>\r\nONE\r\n<<3>>\r\n\r\n"));
    shown.clear();
    TemplateFiles files = Files();
    e = Raised([&] { files.GetCodeSection(1, "Fancy", 1); });
    const QString locate = "Unable to locate code template for style fancy in " + folder + ".";
    EXPECT_EQ(e.Number(), GuiErrors::TemplateError);
    EXPECT_EQ(e.Description(), locate);

    for (int n : {2, 3}) {
        e = Raised([&] { files.GetCodeSection(n, "0", 1); });
        EXPECT_EQ(e.Number(), GuiErrors::TemplateError);
        EXPECT_EQ(e.Description(), "Required code section missing from template file.");
    }
    EXPECT_EQ(shown, (QStringList{locate, "Required code section 2 missing from template file.",
                                  "Required code section 3 missing from template file."}));
    EXPECT_EQ(files.GetCodeSection(1, "0", 1), "ONE");
    EXPECT_EQ(files.GetCodeSection(0, "0", 1), "");
    EXPECT_EQ(files.GetCodeSection(13, "0", 1), "");

    // The file vanished after the folder was read: the open error comes with its number.
    shown.clear();
    TemplateFiles gone = Files();
    ASSERT_TRUE(gone.EnumerateTemplates());
    ASSERT_TRUE(QFile::remove(folder + "t.tpl"));
    e = Raised([&] { gone.GetCodeSection(1, "0", 1); });
    const QString open = "Unable to open code template file '" + folder + "t.tpl'.";
    EXPECT_EQ(e.Number(), GuiErrors::FileNotFound);
    EXPECT_EQ(e.Description(), open);
    EXPECT_EQ(shown, QStringList{open});

    // Without a sink nothing is shown, the error is raised all the same.
    TemplateFiles silent(folder);
    EXPECT_THROW(silent.GetCodeSection(1, "0", 1), GuiError);
}

TEST(TemplateSections, MarkersBlankLinesAndRepeats)
{
    const QString text = QStringLiteral(
        "[Info]\r\nType=Template\r\n"
        "ignored before any marker\r\n"
        "<<1>>\r\n"
        "  LINE A\r\n"
        "\r\n"
        "   \t\r\n"
        "LINE B\r\n"
        "<<0>>\r\nzero is ignored\r\n"
        "<<13>>\r\nthirteen is ignored\r\n"
        "<<x>>\r\nnot a number\r\n"
        "<<2>>  \r\nfirst two\r\n"
        "<< 12 >>\r\ntwelve\r\n"
        "<<2>>\r\nsecond two\r\n"
        "<<3>>\r\nthree\r\n"
        "<<3>>\r\n\r\n"
        "<<4>\r\n"
        "<<>>\r\nempty marker\r\n"
        "<<5>>\n"
        "<<6>>\nunix\nlines");
    const TemplateFiles::Sections s = TemplateFiles::ParseSections(text);
    EXPECT_EQ(s[0], "  LINE A\r\nLINE B");
    EXPECT_EQ(s[1], "second two");     // the later text wins
    EXPECT_EQ(s[2], "<<4>");           // an empty repeat does not erase; "<<4>" is text
    EXPECT_EQ(s[3], "");
    EXPECT_EQ(s[4], "");
    EXPECT_EQ(s[5], "unix\r\nlines");
    EXPECT_EQ(s[11], "twelve");
    for (int i : {6, 7, 8, 9, 10})
        EXPECT_EQ(s[size_t(i)], "") << i + 1;
}

TEST_F(TemplateFilesTest, CacheFollowsFileAndCasing)
{
    PutFileBytes(folder + "translate.txt", "Vars=1\n[Xlat]\nGUI.EVENT|gui.event|Gui.Event\nIF|if|If\n");
    PutFileBytes(folder + "a.tpl", Template("0", "<<1>>\r\nIF GUI.EVENT\r\n* IF GUI.EVENT\r\n"));
    PutFileBytes(folder + "b.tpl", Template("1", "<<1>>\r\nOTHER\r\n"));
    TemplateFiles files = Files();
    EXPECT_EQ(files.GetCodeSection(1, "0", 0), "IF GUI.EVENT\r\n* IF GUI.EVENT");
    EXPECT_EQ(files.GetCodeSection(1, "0", 2), "if gui.event\r\n* IF gui.event");

    // Same file and casing: the cached text, even when the file changed on disk.
    PutFileBytes(folder + "a.tpl", Template("0", "<<1>>\r\nCHANGED\r\n"));
    EXPECT_EQ(files.GetCodeSection(1, "0", 2), "if gui.event\r\n* IF gui.event");
    // Another casing or another style reloads.
    EXPECT_EQ(files.GetCodeSection(1, "0", 3), "CHANGED");
    EXPECT_EQ(files.GetCodeSection(1, "1", 3), "OTHER");
    EXPECT_EQ(files.GetCodeSection(1, "", 3), "CHANGED");

    // A broken translate.txt leaves the text untranslated.
    PutFileBytes(folder + "translate.txt", QByteArray("\x00\x01\xff garbage", 12));
    EXPECT_EQ(files.GetCodeSection(1, "0", 2), "CHANGED");
    EXPECT_EQ(files.TranslateKeywords("IF", 2), "IF");
}

TEST_F(TemplateFilesTest, DamagedAndHugeTemplates)
{
    // A ten-megabyte line, binary bytes, Latin-1 text and a byte-order mark.
    QByteArray huge(10'000'000, 'A');
    PutFileBytes(folder + "huge.tpl", Template("huge", "<<1>>\r\n" + huge + "\r\n<<2>>\r\nend\r\n"));
    PutFileBytes(folder + "bin.tpl", Template("bin", QByteArray("<<1>>\r\n\x00\x01\xfe\xff\r\n<<2", 16)));
    PutFileBytes(folder + "latin.tpl", Template("latin", "<<1>>\r\n* caf\xe9\r\n"));
    PutFileBytes(folder + "bom.tpl", "\xEF\xBB\xBF" + Template("bom", "<<1>>\r\n* caf\xc3\xa9\r\n"));
    PutFileBytes(folder + "unterminated.tpl", Template("open", "<<1>>\r\nCASE '%%APP\r\n<<2"));

    TemplateFiles files = Files();
    EXPECT_EQ(files.GetCodeSection(1, "huge", 1).size(), huge.size());
    EXPECT_EQ(files.GetCodeSection(2, "huge", 1), "end");
    EXPECT_EQ(files.GetCodeSection(1, "bin", 1), QString::fromLatin1("\x00\x01\xfe\xff\r\n<<2", 9));
    EXPECT_THROW(files.GetCodeSection(2, "bin", 1), GuiError);
    EXPECT_EQ(files.GetCodeSection(1, "latin", 1), QString::fromUtf8("* caf\xc3\xa9"));
    EXPECT_EQ(files.GetCodeSection(1, "bom", 1), QString::fromUtf8("* caf\xc3\xa9"));
    EXPECT_EQ(files.GetCodeSection(1, "open", 1), "CASE '%%APP\r\n<<2");
}
