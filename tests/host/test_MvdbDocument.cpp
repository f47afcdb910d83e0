// Store documents: items in host files, the explicit creation of files, names that try to
// leave the store, the "*" host of display names, the host service, and items made
// read-only after they were opened.
#include "host/HostErrors.h"
#include "host/MvdbDocument.h"
#include "host/iHostService.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "FileBytes.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {
struct Store
{
    QTemporaryDir outer;
    QString root = outer.filePath("store");
    mvConnection connection;
    Store() { connection.Store().SetRoot(root); }
    std::unique_ptr<mvDocument> Open(const QString &host, const QString &account,
                                     const QString &file, const QString &item)
    {
        return connection.Open(DocumentName::Build("mvdb", host, account, file, item));
    }
};
} // namespace

TEST(MvdbDocument, ItemsLiveInExplicitlyCreatedFiles)
{
    Store store;
    auto document = store.Open("prod", "SALES", "BP", "ORDERS");
    ASSERT_NE(document, nullptr);
    EXPECT_TRUE(document->NamesItem());
    EXPECT_FALSE(document->Exists()); // what each call then says is the failing-path table's

    store.connection.Store().CreateFile("prod", "SALES", "BP");
    const QString text = "1" + Marks::ValueMark() + "2\r\nnext";
    document->Write(text);
    EXPECT_TRUE(document->Exists());
    EXPECT_EQ(store.Open("prod", "SALES", "BP", "ORDERS")->Read(), text);
    EXPECT_EQ(store.Open("prod", "sales", "BP", "ORDERS")->Exists(), false); // case is kept

    // A file name or an item ID alone does not name an item.
    EXPECT_FALSE(store.Open("prod", "SALES", "BP", "")->NamesItem());
    EXPECT_FALSE(store.Open("prod", "SALES", "", "ORDERS")->NamesItem());
    EXPECT_EQ(ErrorOf([&] { store.Open("prod", "SALES", "BP", "")->Write("x"); }),
              HostErrors::BadFileName);

    const MvdbStore &mv = store.connection.Store();
    EXPECT_EQ(mv.HostNames(), QStringList{"prod"});
    EXPECT_EQ(mv.FileNames("prod", "SALES"), QStringList{"BP"});
    document->Lock(); // the lock folder is no item
    EXPECT_EQ(mv.ItemIDs("prod", "SALES", "BP"), QStringList{"ORDERS"});
}

TEST(MvdbDocument, EachFailingComponentOfTheItemsPathGivesItsErrorNumber)
{
    // Host, account or file in turn missing, a plain file or a link where its folder should
    // be; the components before it are folders.
    enum Shape { Missing, PlainFile, Link };
    const struct { int Component; Shape What; int Open; int Write; int Lock; } rows[] = {
        {0, Missing, HostErrors::PathNotFound, HostErrors::PathNotFound, HostErrors::PathNotFound},
        {1, PlainFile, HostErrors::PathNotFound, HostErrors::PathNotFound, HostErrors::PathNotFound},
        {2, Missing, HostErrors::PathNotFound, HostErrors::PathNotFound, HostErrors::PathNotFound},
        {2, PlainFile, HostErrors::PathNotFound, HostErrors::PathNotFound, HostErrors::PathNotFound},
        {1, Link, HostErrors::AccessError, HostErrors::AccessError, HostErrors::AccessError},
    };
    const QStringList names{"prod", "SALES", "BP"};
    for (const auto &r : rows) {
        Store store;
        const QString before = QStringList(names.mid(0, r.Component)).join(u'/');
        ASSERT_TRUE(QDir().mkpath(store.root + u'/' + before));
        const QString at = store.root + u'/' + (before.isEmpty() ? "" : before + u'/') + names[r.Component];
        if (r.What == PlainFile) {
            PutFileBytes(at, {});
        } else if (r.What == Link) {
            ASSERT_TRUE(QDir().mkpath(store.outer.filePath("elsewhere/BP")));
            ASSERT_TRUE(QFile::link(store.outer.filePath("elsewhere"), at));
        }
        const std::string row = std::to_string(r.Component) + "/" + std::to_string(r.What);
        EXPECT_EQ(ErrorOf([&] { store.connection.Store().OpenFolder(names, "the file"); }), r.Open) << row;
        auto document = store.Open("prod", "SALES", "BP", "ORDERS");
        EXPECT_EQ(ErrorOf([&] { document->Read(); }), HostErrors::FileNotFound) << row;
        EXPECT_EQ(ErrorOf([&] { document->Write("x"); }), r.Write) << row;
        EXPECT_EQ(ErrorOf([&] { document->Lock(); }), r.Lock) << row;
    }
    Store store;
    ASSERT_TRUE(QDir().mkpath(store.root + "/prod"));
    EXPECT_EQ(ErrorOf([&] { store.connection.Store().OpenFolder({"prod", "a" + Marks::ValueMark()}, "x"); }),
              HostErrors::BadFileName);
    EXPECT_EQ(ErrorOf([&] { store.connection.Store().CreateFile("prod", "a" + Marks::ValueMark(), "BP"); }),
              HostErrors::BadFileName);
}

TEST(MvdbDocument, NoNameReachesOutsideTheStore)
{
    Store store;
    const QStringList hostile = {"..", "../..", "/", "/tmp", "/etc/passwd", ".", "a/../../b",
                                 "..\\..", "", ".locks", "*"};
    for (const QString &bad : hostile) {
        const QString parts[4][4] = {{bad, "A", "F", "I"}, {"H", bad, "F", "I"},
                                     {"H", "A", bad, "I"}, {"H", "A", "F", bad}};
        for (const auto &p : parts) {
            store.connection.Store().CreateFile(p[0], p[1], p[2]);
            auto document = store.Open(p[0], p[1], p[2], p[3]);
            ASSERT_NE(document, nullptr);
            if (!document->NamesItem())
                continue; // empty file or item
            document->Lock();
            document->Write("payload " + bad);
            EXPECT_EQ(store.Open(p[0], p[1], p[2], p[3])->Read(), "payload " + bad);
        }
    }
    // Everything written stayed below the root, and the store lists the names back.
    QStringList outside = QDir(store.outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(outside, QStringList{"store"});
    for (const QString &bad : hostile)
        if (!bad.isEmpty())
            EXPECT_TRUE(store.connection.Store().ItemIDs("H", "A", "F").contains(bad)) << qPrintable(bad);
    QDirIterator it(store.root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        EXPECT_TRUE(it.next().startsWith(store.root + "/"));
}

TEST(MvdbDocument, DisplayNameOpensTheItemOnTheCurrentHost)
{
    Store store;
    store.connection.Store().CreateFile("prod", "SALES", "BP");
    store.Open("prod", "SALES", "BP", "ORDER ENTRY")->Write("text");

    const QString display = store.Open("prod", "SALES", "BP", "ORDER ENTRY")->DisplayName();
    EXPECT_EQ(display, "mvdb://*/*/BP/ORDER ENTRY");
    store.connection.SetCurrentHost("prod", "SALES");
    auto reopened = store.connection.Open(display);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->HostName(), "prod");
    EXPECT_EQ(reopened->Name(), "mvdb://prod/SALES/BP/ORDER ENTRY");
    EXPECT_EQ(reopened->Read(), "text");
}

TEST(MvdbDocument, HostDocumentOffersTheHostService)
{
    Store store;
    store.connection.Store().CreateFile("prod", "SALES", "BP");
    store.connection.Store().CreateFile("prod", "HR", "BP");
    std::shared_ptr<iHostService> service;
    {
        auto host = store.connection.Open(store.connection.BuildName("mvdb", "prod", "", "", ""));
        ASSERT_NE(host, nullptr);
        EXPECT_FALSE(host->NamesItem());
        EXPECT_TRUE(host->Supports(HostFeatures::HostService));
        EXPECT_FALSE(host->Supports(14));
        EXPECT_EQ(host->Service(14), nullptr);
        service = host->Service(HostFeatures::HostService);
    }
    ASSERT_NE(service, nullptr); // outlives its document
    EXPECT_EQ(service->HostType(), "mvdb");
    EXPECT_EQ(service->HostName(), "prod");
    EXPECT_EQ(service->AccountNames(), (QStringList{"HR", "SALES"}));
    EXPECT_EQ(service->FileNames("SALES"), QStringList{"BP"});

    QTemporaryDir dir;
    EXPECT_FALSE(store.connection.Open(dir.filePath("x.gui"))->Supports(HostFeatures::HostService));
}

TEST(MvdbDocument, RootComesFromTheCallThenTheEnvironmentThenTheSetting)
{
    const QByteArray saved = qgetenv(MvdbStore::RootVariable);
    MvdbStore store;
    store.SetConfiguredRoot("/from/setting");
    qunsetenv(MvdbStore::RootVariable);
    EXPECT_EQ(store.Root(), "/from/setting");
    qputenv(MvdbStore::RootVariable, "/from/env");
    EXPECT_EQ(store.Root(), "/from/env");
    store.SetRoot("/from/call");
    EXPECT_EQ(store.Root(), "/from/call");
    if (saved.isNull())
        qunsetenv(MvdbStore::RootVariable);
    else
        qputenv(MvdbStore::RootVariable, saved);
    EXPECT_TRUE(MvdbStore().DefaultRoot().endsWith("/corvane/hosts"));
}

namespace {
// Runs work as an ordinary user: permissions do not stop root, so as root it runs in a child
// process that gives up root first (the files it needs must belong to that user). Gives
// what work returns, or -1 when the child could not run it.
int AsOrdinaryUser(const std::function<int()> &work, const QString &tree)
{
    if (::geteuid() != 0)
        return work();
    constexpr uid_t Nobody = 65534;
    for (QDirIterator it(tree, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        ::lchown(QFile::encodeName(it.next()).constData(), Nobody, Nobody);
    ::lchown(QFile::encodeName(tree).constData(), Nobody, Nobody);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(255);
        ::_exit(work() & 0xFF);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)
        || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}
} // namespace

// An item made read-only after it was opened is refused at save time with error 75 and keeps
// its text, in the store as in a local file.
TEST(MvdbDocument, ItemMadeReadOnlySinceOpeningIsNotReplaced)
{
    Store store;
    store.connection.Store().CreateFile("prod", "SALES", "BP");
    QDir().mkpath(store.outer.filePath("local"));
    const QString local = store.outer.filePath("local/app.gui");
    for (const QString &name : {DocumentName::Build("mvdb", "prod", "SALES", "BP", "APP"),
                                DocumentName::Build("file", "", "", local, "")}) {
        SCOPED_TRACE(name.toStdString());
        store.connection.Open(name)->Write("old");
        const int error = AsOrdinaryUser([&] {
            const std::unique_ptr<mvDocument> document = store.connection.Open(name);
            if (!document || document->ReadOnly())
                return 1;
            DocumentName parts;
            DocumentName::Split(name, parts);
            const QString path = name.startsWith("mvdb") ? store.connection.Store().ItemPath(parts) : local;
            if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther))
                return 2;
            return ErrorOf([&] { document->Write("new"); });
        }, store.outer.path());
        EXPECT_EQ(error, HostErrors::AccessError);
        EXPECT_EQ(store.connection.Open(name)->Read(), "old");
    }
}
