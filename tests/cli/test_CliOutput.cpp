// What the tool writes and reads by names it is given: standard output errors end in a
// message and exit 1; --output follows the one output rule (files replaced whole, devices and
// FIFOs written through, folders and sockets refused); a translation table that is a FIFO or
// leads to /dev/zero neither hangs nor fills memory; running out of memory is a message.
#include "CliTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace cli_test;

namespace {
const QString Templates = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");

mode_t Mode(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}
} // namespace

TEST(CliOutput, StandardOutputErrorsFailTheCommand)
{
    for (const QStringList &command :
         {QStringList{"export", Sample}, QStringList{"tree", Sample},
          QStringList{"generate", Sample, "--templates", Templates}, QStringList{"--help"}}) {
        const Outcome run = Corvane(command, {.StdoutFile = "/dev/full"});
        EXPECT_EQ(run.Status, 1) << qPrintable(command.join(' '));
        EXPECT_TRUE(run.Err.contains("cannot write standard output")) << qPrintable(run.Err);
        // Also through --output naming a device.
    }
    const Outcome full = Corvane({"export", Sample, "--output", "/dev/full"});
    EXPECT_EQ(full.Status, 1);
    EXPECT_TRUE(full.Err.contains("/dev/full")) << qPrintable(full.Err);
}

// A reader that stops early closes the pipe: the tool ends with its message and exit 1, not
// by the signal.
TEST(CliOutput, ClosedPipeEndsWithTheMessage)
{
    QTemporaryDir dir;
    QStringList body{Rec({"2", "APP*F1", "", "6", "0", "0", "40", "20", "1"})};
    for (int i = 0; i < 6000; ++i)
        body << Rec({"2", QString("APP*F1*BUTTON%1").arg(i), "", "18", "1", "1", "10", "2", "0"});
    const QString project = WriteFile(dir, "big.gui", Project(body));
    QProcess tool, head;
    tool.setStandardOutputProcess(&head);
    head.start("head", {"-c", "1"});
    tool.start(QStringLiteral(CORVANE_EXE), {"tree", project});
    ASSERT_TRUE(tool.waitForFinished(60000));
    head.waitForFinished(10000);
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << "not killed by SIGPIPE";
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(tool.readAllStandardError()).contains("cannot write standard output"));
}

TEST(CliOutput, OutputTargetsFollowTheOneRule)
{
    QTemporaryDir dir;
    const Outcome plain = Corvane({"export", Sample});
    ASSERT_EQ(plain.Status, 0);

    // Devices, also behind a link to the tool's own standard output: written through, never
    // replaced.
    const Outcome stdoutRun = Corvane({"export", Sample, "--output", "/dev/stdout"});
    EXPECT_EQ(stdoutRun.Status, 0) << qPrintable(stdoutRun.Err);
    EXPECT_EQ(stdoutRun.Out, plain.Out);
    const QString fdLink = dir.filePath("fd1");
    ASSERT_EQ(::symlink("/proc/self/fd/1", QFile::encodeName(fdLink).constData()), 0);
    const Outcome viaLink = Corvane({"export", Sample, "--output", fdLink});
    EXPECT_EQ(viaLink.Status, 0) << qPrintable(viaLink.Err);
    EXPECT_EQ(viaLink.Out, plain.Out);
    EXPECT_TRUE(S_ISLNK(Mode(fdLink)));

    // A folder is refused with a message. (Links, sockets and the rest of the rule are the
    // host layer's tests.)
    const Outcome folder = Corvane({"export", Sample, "--output", dir.path()});
    EXPECT_EQ(folder.Status, 1);
    EXPECT_TRUE(folder.Err.contains("folder")) << qPrintable(folder.Err);
}

TEST(CliOutput, TranslationTableThatIsNoFileIsPassedBy)
{
    QTemporaryDir dir;
    for (const QString &name : QDir(Templates).entryList(QDir::Files))
        if (name != "translate.txt")
            QFile::copy(Templates + "/" + name, dir.filePath(name));
    const QString table = dir.filePath("translate.txt");
    const Outcome reference = Corvane({"generate", Sample, "--templates", dir.path(), "--casing", "2"});
    ASSERT_EQ(reference.Status, 0) << qPrintable(reference.Err);

    ASSERT_EQ(::mkfifo(QFile::encodeName(table).constData(), 0600), 0);
    Outcome run = Corvane({"generate", Sample, "--templates", dir.path(), "--casing", "2"}, {.TimeoutMs = 20000});
    EXPECT_EQ(run.Status, 0) << qPrintable(run.Err);
    EXPECT_EQ(run.Out, reference.Out);
    EXPECT_TRUE(run.Err.contains("translate.txt")) << qPrintable(run.Err);

    QFile::remove(table);
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(table).constData()), 0);
    const QString program = WriteFile(dir, "prog.b", "* nothing yet\r\n");
    run = Corvane({"analyze", Sample, program, "--templates", dir.path(), "--casing", "2"}, {.TimeoutMs = 20000});
    EXPECT_NE(run.Status, -3);
    EXPECT_TRUE(run.Err.contains("translate.txt")) << qPrintable(run.Err);
}

TEST(CliOutput, OutOfMemoryIsAMessageNotAnAbort)
{
    // A program far too large for the address space the tool is given.
    QTemporaryDir dir;
    const QString program = dir.filePath("huge.b");
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray line = "GUI.VALUE = 'A LINE OF A HUGE PROGRAM' : GUI.VALUE\r\n";
        const QByteArray block = line.repeated(1 << 14);
        for (int i = 0; i < 72; ++i) // 61 MB: inside the program limit
            file.write(block);
    }
    for (const char *command : {"analyze", "update"}) {
        const Outcome run = Corvane({command, Sample, program, "--templates", Templates},
                                    {.StdoutFile = "/dev/null", .AddressSpace = rlim_t(256) << 20});
        EXPECT_EQ(run.Status, 1) << command << ": " << qPrintable(run.Err);
        EXPECT_TRUE(run.Err.contains("memory")) << command << ": " << qPrintable(run.Err);
    }

    // Past the program limit the program is refused as it is read.
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(8 << 20, ' '));
    }
    const Outcome large = Corvane({"analyze", Sample, program, "--templates", Templates},
                                  {.StdoutFile = "/dev/null", .AddressSpace = rlim_t(512) << 20});
    EXPECT_EQ(large.Status, 2) << qPrintable(large.Err);
    EXPECT_TRUE(large.Err.contains("larger than 64 MB")) << qPrintable(large.Err);
}
