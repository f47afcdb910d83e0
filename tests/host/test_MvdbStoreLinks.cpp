// A store shared by several users: symbolic links planted at every level of the store (host,
// account, file folder, item, lock folder, lock file) make reads, writes, locks and file
// creation fail with a message, and nothing outside the store root is read, made or changed.
#include "FileBytes.h"
#include "../ErrorOf.h"
#include "host/HostErrors.h"
#include "host/MvdbDocument.h"
#include "host/SafeFileName.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {
struct LinkedStore
{
    QTemporaryDir outer;
    QString root = outer.filePath("store");
    QString outside = outer.filePath("outside"); // where planted links lead
    mvConnection connection;

    LinkedStore()
    {
        connection.Store().SetRoot(root);
        connection.Store().CreateFile("H", "A", "BP");
        QDir().mkpath(outside + "/A/BP/.locks");
        PutFileBytes(outside + "/A/BP/ITEM", "secret");
        PutFileBytes(outside + "/secret", "secret");
    }
    void Link(const QString &target, const QString &at)
    {
        QDir().mkpath(QFileInfo(at).absolutePath());
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()), 0);
    }
    std::unique_ptr<mvDocument> Open(const QString &host, const QString &account, const QString &item = "ITEM")
    {
        return connection.Open(DocumentName::Build("mvdb", host, account, "BP", item));
    }
    // Every file below `outside` with its bytes: planted links must leave it as it was.
    QStringList Outside() const
    {
        QStringList entries;
        QDirIterator it(outside, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            entries << path + "=" + QString(FileBytes(path));
        }
        entries.sort();
        return entries;
    }
};

} // namespace

TEST(MvdbStoreLinks, LinkedFoldersLeadNowhere)
{
    // Host, account and file folder each replaced by a link to a copy outside the root.
    struct Case
    {
        const char *Level;
        QString Host, Account;
        QString LinkAt, Target;
    };
    LinkedStore s;
    const QString hostDir = s.root + "/H";
    const std::vector<Case> cases = {
        {"host", "LH", "A", s.root + "/LH", s.outside},
        {"account", "H", "LA", hostDir + "/LA", s.outside + "/A"},
        {"file", "H", "LF", hostDir + "/LF/BP", s.outside + "/A/BP"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Level);
        s.Link(c.Target, c.LinkAt);
        const QStringList before = s.Outside();
        auto doc = s.Open(c.Host, c.Account);
        ASSERT_TRUE(doc);
        EXPECT_EQ(ErrorOf([&] { doc->Read(); }), HostErrors::AccessError);
        EXPECT_TRUE(Raised([&] { doc->Read(); }).Description().contains("symbolic link"));
        EXPECT_NE(ErrorOf([&] { doc->Write("planted"); }), 0);
        EXPECT_NE(ErrorOf([&] { doc->Lock(); }), 0);
        auto fresh = s.Open(c.Host, c.Account, "NEW");
        EXPECT_NE(ErrorOf([&] { fresh->Write("planted"); }), 0);
        EXPECT_NE(ErrorOf([&] { s.connection.Store().CreateFile(c.Host, c.Account, "BP"); }), 0);
        if (c.Account != "LF") // a new file beside a linked one is fine
            EXPECT_NE(ErrorOf([&] { s.connection.Store().CreateFile(c.Host, c.Account, "NEWFILE"); }), 0);
        // Listing shows nothing behind a link.
        EXPECT_TRUE(s.connection.Store().ItemIDs(c.Host, c.Account, "BP").isEmpty());
        EXPECT_EQ(s.Outside(), before);
    }
    // The links themselves are not listed as hosts or accounts.
    EXPECT_EQ(s.connection.Store().HostNames(), QStringList{"H"});
    EXPECT_EQ(s.connection.Store().AccountNames("H"), (QStringList{"A", "LF"}));
    EXPECT_TRUE(s.connection.Store().FileNames("H", "LF").isEmpty()); // BP there is a link
}

TEST(MvdbStoreLinks, LinkedItemsAndLocksAreRefused)
{
    LinkedStore s;
    const QString file = s.root + "/H/A/BP";
    s.Link(s.outside + "/secret", file + "/ITEM");
    s.Link(s.outside + "/created", file + "/DANGLING");
    const QStringList before = s.Outside();

    auto item = s.Open("H", "A");
    EXPECT_TRUE(item->Exists()); // so that opening it reports the link, not "create new"
    EXPECT_EQ(ErrorOf([&] { item->Read(); }), HostErrors::AccessError);
    EXPECT_EQ(ErrorOf([&] { item->Write("planted"); }), HostErrors::AccessError);
    auto dangling = s.Open("H", "A", "DANGLING");
    EXPECT_EQ(ErrorOf([&] { dangling->Write("planted"); }), HostErrors::AccessError);
    EXPECT_TRUE(QFileInfo(file + "/ITEM").isSymLink()); // left as it was
    EXPECT_TRUE(s.connection.Store().ItemIDs("H", "A", "BP").isEmpty());

    // A lock file planted as a link, then the lock folder itself.
    auto plain = s.Open("H", "A", "PLAIN");
    plain->Write("text");
    s.Link(s.outside + "/made-by-lock", file + "/.locks/PLAIN");
    EXPECT_EQ(ErrorOf([&] { plain->Lock(); }), HostErrors::AccessError);
    EXPECT_FALSE(QFileInfo::exists(s.outside + "/made-by-lock"));
    QFile::remove(file + "/.locks/PLAIN");
    QDir(file + "/.locks").removeRecursively();
    s.Link(s.outside + "/A/BP/.locks", file + "/.locks");
    EXPECT_EQ(ErrorOf([&] { plain->Lock(); }), HostErrors::AccessError);
    EXPECT_EQ(s.Outside(), before);

    // Without links the same store works as ever.
    QFile::remove(file + "/.locks");
    EXPECT_EQ(ErrorOf([&] { plain->Lock(); }), 0);
    EXPECT_EQ(plain->Read(), "text");
    EXPECT_EQ(ErrorOf([&] { plain->Write("more"); }), 0);
    EXPECT_EQ(s.connection.Store().ItemIDs("H", "A", "BP"), QStringList{"PLAIN"});
}
