// Local-file documents: names, item checks, read and write, the read-only flag and the lock
// file that outlives the rename of every write.
#include "host/FileDocument.h"
#include "host/HostErrors.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "FileBytes.h"

TEST(FileDocument, ReadsWritesAndNamesLocalFiles)
{
    QTemporaryDir dir;
    mvConnection connection;
    const QString path = dir.filePath("my app.gui");
    auto document = connection.Open(path);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Name(), path);
    EXPECT_EQ(document->DisplayName(), path);
    EXPECT_EQ(document->FileName(), path);
    EXPECT_TRUE(document->NamesItem());
    EXPECT_FALSE(document->Exists());
    EXPECT_FALSE(document->ReadOnly());
    EXPECT_EQ(ErrorOf([&] { document->Read(); }), HostErrors::FileNotFound);

    const QString text = "r1" + Marks::ValueMark() + "v2\r\nr2 äöü";
    document->Write(text);
    EXPECT_TRUE(document->Finish());
    EXPECT_TRUE(document->Exists());
    EXPECT_EQ(connection.Open(path)->Read(), text);

    // A folder is not an item, whether it exists or only ends in "/".
    EXPECT_FALSE(connection.Open(dir.path())->NamesItem());
    EXPECT_FALSE(connection.Open(dir.filePath("sub/"))->NamesItem());
    EXPECT_EQ(ErrorOf([&] { connection.Open(dir.path())->Write("x"); }), HostErrors::BadFileName);

    // File name and item ID together name a file in a folder.
    auto inFolder = connection.Open(DocumentName::Build("file", "", "", dir.path(), "my app.gui"));
    ASSERT_NE(inFolder, nullptr);
    EXPECT_EQ(inFolder->Read(), text);
}

TEST(FileDocument, AFolderThatIsMissingOrAPlainFileGivesTheSameErrorNumbers)
{
    QTemporaryDir dir;
    PutFileBytes(dir.filePath("plain.txt"), {});
    mvConnection connection;
    for (const QString &folder : {QString("none"), QString("plain.txt")}) {
        auto document = connection.Open(dir.filePath(folder + "/x.gui"));
        EXPECT_EQ(ErrorOf([&] { document->Read(); }), HostErrors::FileNotFound) << qPrintable(folder);
        EXPECT_EQ(ErrorOf([&] { document->Write("x"); }), HostErrors::PathNotFound) << qPrintable(folder);
        EXPECT_EQ(ErrorOf([&] { document->Lock(); }), HostErrors::PathNotFound) << qPrintable(folder);
    }
}

TEST(FileDocument, RelativeNamesBecomeAbsolute)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto document = mvConnection().Open("sub/../app.gui");
    QDir::setCurrent(previous);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Name(), QDir(dir.path()).canonicalPath() + "/app.gui");
}

TEST(FileDocument, LockSurvivesWritesAndReadOnlyRefusesThem)
{
    QTemporaryDir dir;
    mvConnection connection;
    const QString path = dir.filePath("app.gui");
    auto holder = connection.Open(path);
    holder->Write("one");
    holder->Lock();
    holder->Write("two"); // replaces the file; the lock must still hold afterwards

    auto other = connection.Open(path);
    EXPECT_EQ(ErrorOf([&] { other->Lock(); }), HostErrors::ItemLocked);
    EXPECT_EQ(ErrorOf([&] { other->Write("clobber"); }), HostErrors::ItemLocked);
    other->SetReadOnly(true);
    EXPECT_EQ(other->Read(), "two");

    holder.reset(); // destroying the holder releases the lock
    EXPECT_EQ(ErrorOf([&] { other->Write("three"); }), HostErrors::AccessError);
    other->SetReadOnly(false);
    other->Lock();
    other->Write("three");
    other->Unlock();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"app.gui"});
}
