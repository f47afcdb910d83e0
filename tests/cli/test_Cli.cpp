// The corvane tool as a user runs it: subcommands, the reports on stderr, exit statuses,
// the stored form of export (a golden round trip of the sample) and generating code.
#include "app/DocumentStorage.h"
#include "host/DocumentName.h"
#include "host/ItemFile.h"
#include "host/MvdbStore.h"
#include "support/Marks.h"
#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cli_test;

TEST(Cli, HelpAndUsageErrors)
{
    const Outcome help = Corvane({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char *command : {"check", "tree", "export", "generate"})
        EXPECT_TRUE(help.Out.contains(QByteArray("  ") + command + " PROJECT")) << command;
    EXPECT_TRUE(help.Out.contains("--version"));
    EXPECT_EQ(Corvane({"-h"}).Out, help.Out);
    const Outcome version = Corvane({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "corvane " CORVANE_VERSION "\n");
    EXPECT_EQ(version.Err, "");
    const Outcome option = Corvane({"--frobnicate"});
    EXPECT_EQ(option.Status, 2);
    EXPECT_TRUE(option.Err.contains("unknown option '--frobnicate'\nusage: corvane")) << qPrintable(option.Err);
    EXPECT_EQ(Corvane({}).Status, 2);
    EXPECT_EQ(Corvane({"frobnicate"}).Status, 2);
    EXPECT_EQ(Corvane({"check"}).Status, 2);
    EXPECT_EQ(Corvane({"check", Sample, "--duplicates=maybe"}).Status, 2);
    EXPECT_EQ(Corvane({"check", Sample, "--bogus"}).Status, 2);
    EXPECT_EQ(Corvane({"generate", Sample, "--casing", "x"}).Status, 2);
}

TEST(Cli, CheckTheSampleAndUnreadableFiles)
{
    const Outcome ok = Corvane({"check", Sample});
    EXPECT_EQ(ok.Status, 0);
    EXPECT_EQ(ok.Err, "");

    QTemporaryDir dir;
    const Outcome missing = Corvane({"check", dir.filePath("none.gui")});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(Corvane({"check", dir.path()}).Status, 2);
    EXPECT_EQ(Corvane({"check", ""}).Status, 2);

    // A program instead of a project: the report as the message box shows it.
    const Outcome program = Corvane({"check", WriteFile(dir, "prog.b", "PROGRAM X\r\nCRT 1\r\nEND")});
    EXPECT_EQ(program.Status, 1);
    EXPECT_EQ(program.Err, "Project or macro specifies an invalid version or is corrupt or invalid\n"
                           "Make sure you are opening a GUI project, not a program.\n\n"
                           "Source = <clsDesigner SetTemplate>\n\n");

    // A notice (older version) keeps the status at 0; an unknown function makes it 1.
    const Outcome older = Corvane({"check", WriteFile(dir, "old.gui", Project({}, "1.3"))});
    EXPECT_EQ(older.Status, 0);
    EXPECT_TRUE(older.Err.startsWith("Version of project is older than current GUI designer version."));
    EXPECT_TRUE(older.Err.endsWith("\n\nSource = <clsDesigner SetTemplate>\n\n"));
    const Outcome bad = Corvane({"check", WriteFile(dir, "bad.gui", Project({Rec({"7"})}))});
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Err, "Invalid function in project or macro\n\nApp=APP\n\n");
}

TEST(Cli, TreeListsWhatWasLoaded)
{
    const Outcome tree = Corvane({"tree", Sample});
    EXPECT_EQ(tree.Status, 0);
    const QList<QByteArray> lines = tree.Out.split('\n');
    EXPECT_EQ(lines.value(0), "ORDERS 0");
    EXPECT_EQ(lines.value(1), "  ORDERS**MAINMENU 75");
    EXPECT_TRUE(tree.Out.contains("\n      ORDERS*ORDER*OPTPOST 19\n"));
    EXPECT_TRUE(tree.Out.contains("\n        ORDERS*CUSTOMERS*LSTCUST 21\n"));

    QTemporaryDir dir;
    const QString dup = WriteFile(dir, "dup.gui", Project({Rec({"2", "APP*F", "", "8", "1", "1", "9", "9", "1"}),
                                                          Rec({"2", "APP*F*A", "", "15", "1", "1", "9", "1", "0"}),
                                                          Rec({"2", "APP*F*A", "", "15", "1", "1", "9", "1", "0"}),
                                                          Rec({"2", "APP*F*B", "", "15", "1", "1", "9", "1", "0"})}));
    // Cancel (the default) stops at the duplicate; what came before is listed.
    EXPECT_EQ(Corvane({"tree", dup}).Out, "APP 1\n  APP*F 8\n    APP*F*A 15\n");
    EXPECT_EQ(Corvane({"tree", dup, "--duplicates=skip"}).Out, "APP 1\n  APP*F 8\n    APP*F*A 15\n    APP*F*B 15\n");
}

TEST(Cli, ExportWritesTheStoredFormAsSaved)
{
    // The sample was written with this time of writing: exporting it gives it back byte for byte.
    const Outcome same = Corvane({"export", Sample});
    EXPECT_EQ(same.Status, 0);
    EXPECT_EQ(same.Out, FileBytes(Sample));
    EXPECT_FALSE(same.Out.endsWith("\r\n"));

    QTemporaryDir dir;
    const QString old = WriteFile(dir, "old.gui", Project({}, "1.2"));
    const Outcome kept = Corvane({"export", old, "--output", dir.filePath("kept.gui")});
    EXPECT_EQ(kept.Status, 0);
    EXPECT_TRUE(FileBytes(dir.filePath("kept.gui")).contains(("\r\n" + Rec({"0", "1.2", "0"}) + "\r\n").toUtf8()));
    const Outcome updated = Corvane({"export", old, "--update-version", "--output=" + dir.filePath("new.gui")});
    EXPECT_EQ(updated.Status, 0);
    const QByteArray text = FileBytes(dir.filePath("new.gui"));
    EXPECT_TRUE(text.contains(("\r\n" + Rec({"0", "1.4", "0"}) + "\r\n").toUtf8()));
    // Record 1 carries the program location in field 4.
    EXPECT_TRUE(text.startsWith((Rec({"TEMPLATE", "45244.92593", "h", ""}) + QString(3, QChar(Marks::SubValue)) + "\r\n").toUtf8()));

    // A stopped load writes nothing.
    const QString bad = WriteFile(dir, "bad.gui", Project({Rec({"7"})}));
    const Outcome stopped = Corvane({"export", bad, "--output", dir.filePath("out.gui")});
    EXPECT_EQ(stopped.Status, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("out.gui")));
}

TEST(Cli, HostDocumentNames)
{
    QTemporaryDir dir;
    MvdbStore store;
    store.SetRoot(dir.path());
    store.CreateFile("prod", "SALES", "BP");
    DocumentName name{"mvdb", "prod", "SALES", "BP", "ORDERS GUI"};
    ItemFile::Write(store.ItemPath(name), QString::fromUtf8(FileBytes(Sample)), "item");
    QProcessEnvironment env;
    env.insert(MvdbStore::RootVariable, dir.path());
    const Outcome run = Corvane({"tree", name.Build()}, {.Env = env});
    EXPECT_EQ(run.Status, 0) << qPrintable(run.Err);
    EXPECT_TRUE(run.Out.startsWith("ORDERS 0\n"));
    EXPECT_EQ(Corvane({"check", "mvdb://prod/SALES/BP/NONE"}, {.Env = env}).Status, 2);

    // --output naming a store item writes the item, never a local path spelt like it; a name
    // the store cannot hold is refused.
    QTemporaryDir work;
    const QString templates = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
    const auto generateTo = [&](const QString &output) {
        return Corvane({"generate", Sample, "--templates", templates, "--output", output},
                       {.Env = env, .WorkingDir = work.path()});
    };
    const DocumentName program{"mvdb", "prod", "SALES", "BP", "ORDERS.PROG"};
    const Outcome toItem = generateTo(program.Build());
    EXPECT_EQ(toItem.Status, 0);
    EXPECT_TRUE(toItem.Out.isEmpty());
    const Outcome printed = generateTo("-");
    EXPECT_EQ(printed.Status, 0);
    EXPECT_EQ(FileBytes(store.ItemPath(program)), printed.Out);
    EXPECT_EQ(generateTo("mvdb://prod/SALES/NOFILE/X").Status, 1);
    EXPECT_EQ(generateTo("ftp://prod/SALES/BP/X").Status, 1);
    EXPECT_EQ(generateTo("mvdb://prod/SALES/BP").Status, 1);
    EXPECT_TRUE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << "nothing written to the working folder";
}

// Generating itself (line ends, output file, a complete program, a casing option) is tried
// with analyze and update and with the translation table; here the failures of a template
// folder or style that cannot serve.
TEST(Cli, GenerateRefusesTemplatesItCannotUse)
{
    const QString templates = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
    QTemporaryDir dir;
    const Outcome missing = Corvane({"generate", Sample, "--templates", dir.path()});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_TRUE(missing.Out.isEmpty());
    EXPECT_FALSE(missing.Err.isEmpty());
    const Outcome style = Corvane({"generate", Sample, "--templates", templates, "--style", "no-such-style"});
    EXPECT_EQ(style.Status, 1);
    EXPECT_TRUE(style.Out.isEmpty());
}
