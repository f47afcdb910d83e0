// Item bytes: UTF-8 and legacy single-byte files read alike, and a write that fails at any point
// leaves the previous file as it was.
#include "FileBytes.h"
#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ErrorOf.h"

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}
} // namespace

TEST(ItemFile, DecodesUtf8AndLegacySingleByteFiles)
{
    const QString text = "1" + VM + "Grüße" + SM + "x\r\n2" + VM + "\U0001F600";
    EXPECT_EQ(ItemFile::Decode(ItemFile::Encode(text)), text);
    EXPECT_EQ(ItemFile::Decode("\xEF\xBB\xBF" "abc"), "abc");

    // Legacy: 0xFE ends a record, 0xFD and 0xFC are marks, the rest is Latin-1.
    const QByteArray legacy("A\xFD" "B\xFC" "C\xFE" "D\xE9");
    EXPECT_EQ(ItemFile::Decode(legacy), "A" + VM + "B" + SM + "C\r\nD" + QChar(0xE9));
    EXPECT_EQ(ItemFile::Decode("plain"), "plain");
}

TEST(ItemFile, WriteReplacesWholeFileAndKeepsItsMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("app.gui");
    ItemFile::Write(path, "first", "'app'");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    ItemFile::Write(path, "second\r\nrecord", "'app'");
    EXPECT_EQ(ItemFile::Read(path, "'app'"), "second\r\nrecord");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(dir.path()), QStringList{"app.gui"}); // no temporary left over

    const GuiError missing = Raised([&] { ItemFile::Read(dir.filePath("missing.gui"), "'missing'"); });
    EXPECT_EQ(missing.Number(), HostErrors::FileNotFound);
    EXPECT_TRUE(missing.Description().contains("'missing'"));
    EXPECT_EQ(ErrorOf([&] { ItemFile::Write(dir.filePath("no/such/folder/x"), "x", "'x'"); }),
              HostErrors::PathNotFound);
}

TEST(ItemFile, FailedWriteLeavesThePreviousFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("app.gui");
    ItemFile::Write(path, "previous", "'app'");

    ItemFile::SetBeforeRenameHook([](const QString &temp, const QString &) {
        EXPECT_EQ(FileBytes(temp), "replacement"); // the new text is complete before the rename
        throw GuiError(HostErrors::AccessError, "simulated failure");
    });
    EXPECT_THROW(ItemFile::Write(path, "replacement", "'app'"), GuiError);
    ItemFile::SetBeforeRenameHook({});
    EXPECT_EQ(FileBytes(path), "previous");
    EXPECT_EQ(Entries(dir.path()), QStringList{"app.gui"});

    if (::geteuid() != 0) { // permissions do not stop root
        ::chmod(QFile::encodeName(dir.path()).constData(), 0500);
        EXPECT_EQ(ErrorOf([&] { ItemFile::Write(path, "replacement", "'app'"); }), HostErrors::AccessError);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        EXPECT_EQ(FileBytes(path), "previous");
    }
}

// A save killed before its rename leaves a temporary file; the next successful save of the
// same document removes it once it is old, and leaves alone what is young, another
// document's, or not of its own naming.
TEST(ItemFile, LaterSaveRemovesStaleTemporaryFilesOfTheSameDocument)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("app.gui");
    const QString stem = ItemFile::TempNameStem("app.gui");
    const QString stale = dir.filePath(stem + "Ab3xYz");
    const QString young = dir.filePath(stem + "Qq1234");
    const QString other = dir.filePath(ItemFile::TempNameStem("other.gui") + "Ab3xYz");
    const QString foreign = dir.filePath(stem + "not-ours");
    for (const QString &file : {stale, young, other, foreign})
        PutFileBytes(file, "half a project");
    const QDateTime old = QDateTime::currentDateTime().addSecs(-2 * ItemFile::StaleTempSeconds);
    for (const QString &file : {stale, other, foreign}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    // A link of the pattern is never followed nor removed.
    const QString link = dir.filePath(stem + "Lnk123");
    ASSERT_EQ(::symlink(QFile::encodeName(stale).constData(), QFile::encodeName(link).constData()), 0);

    ItemFile::Write(path, "saved", "'app'");
    EXPECT_FALSE(QFile::exists(stale));
    for (const QString &file : {young, other, foreign})
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(FileBytes(path), "saved");
}

// Bytes already in their stored form reach the file unchanged, whatever their encoding; the
// text write still stores UTF-8.
TEST(ItemFileBytes, BytesAreWrittenAsGivenAndTextAsUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bas");
    // A Latin-1 program: the bytes are not UTF-8 and must not be "repaired" on the way.
    const QByteArray latin1("PRINT \"caf\xe9\"\r\n", 15);
    ItemFile::WriteBytes(path, latin1, "'out.bas'");
    EXPECT_EQ(FileBytes(path), latin1);

    ItemFile::Write(path, QString::fromUtf8("PRINT \"caf\xc3\xa9\""), "'out.bas'");
    EXPECT_EQ(FileBytes(path), QByteArray("PRINT \"caf\xc3\xa9\""));
}
