// Item bytes: UTF-8 and legacy single-byte files read alike, and a write that fails at any point
// leaves the previous file as it was.
#include "host/HostErrors.h"
#include "host/ItemFile.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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

    try {
        ItemFile::Read(dir.filePath("missing.gui"), "'missing'");
        ADD_FAILURE() << "read of a missing file succeeded";
    } catch (const GuiError &error) {
        EXPECT_EQ(error.Number(), HostErrors::FileNotFound);
        EXPECT_TRUE(error.Description().contains("'missing'"));
    }
    try {
        ItemFile::Write(dir.filePath("no/such/folder/x"), "x", "'x'");
        ADD_FAILURE() << "write into a missing folder succeeded";
    } catch (const GuiError &error) {
        EXPECT_EQ(error.Number(), HostErrors::PathNotFound);
    }
}

TEST(ItemFile, FailedWriteLeavesThePreviousFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("app.gui");
    ItemFile::Write(path, "previous", "'app'");

    ItemFile::SetBeforeRenameHook([](const QString &temp, const QString &) {
        EXPECT_EQ(Bytes(temp), "replacement"); // the new text is complete before the rename
        throw GuiError(HostErrors::AccessError, "simulated failure");
    });
    EXPECT_THROW(ItemFile::Write(path, "replacement", "'app'"), GuiError);
    ItemFile::SetBeforeRenameHook({});
    EXPECT_EQ(Bytes(path), "previous");
    EXPECT_EQ(Entries(dir.path()), QStringList{"app.gui"});

    if (::geteuid() != 0) { // permissions do not stop root
        ::chmod(QFile::encodeName(dir.path()).constData(), 0500);
        try {
            ItemFile::Write(path, "replacement", "'app'");
            ADD_FAILURE() << "write into a read-only folder succeeded";
        } catch (const GuiError &error) {
            EXPECT_EQ(error.Number(), HostErrors::AccessError);
        }
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        EXPECT_EQ(Bytes(path), "previous");
    }
}
