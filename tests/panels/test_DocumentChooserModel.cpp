// The document chooser's rules over a real host store in a temporary folder: the mode a title
// asks for, where a starting name puts the chooser, the lists at each level with the host's
// message when one cannot be read, and which entries give a document name.
#include "panels/DocumentChooserModel.h"
#include "FileBytes.h"
#include "host/DocumentName.h"
#include "host/mvConnection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class DocumentChooserModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        connection.Store().SetRoot(root);
        connection.Store().CreateFile("PROD", "SALES", "GUI");
        connection.Store().CreateFile("PROD", "SALES", "BP");
        connection.Store().CreateFile("TEST", "DEV", "GUI");
        PutFileBytes(connection.Store().ItemPath({"mvdb", "PROD", "SALES", "GUI", "ORDERS"}), "x");
        PutFileBytes(connection.Store().ItemPath({"mvdb", "PROD", "SALES", "GUI", "LOGIN"}), "x");
    }
    DocumentChooserModel Model(DocumentChooserModel::Mode mode, const QString &start = {})
    {
        DocumentChooserModel model(connection, mode);
        model.Start(start);
        return model;
    }

    QTemporaryDir dir;
    QString root = dir.filePath("hosts");
    mvConnection connection;
};

TEST(DocumentChooserModelTitles, ModeAndFilters)
{
    using Mode = DocumentChooserModel::Mode;
    EXPECT_EQ(DocumentChooserModel::ModeForTitle("Open"), Mode::Open);
    EXPECT_EQ(DocumentChooserModel::ModeForTitle("Open Code"), Mode::Open);
    EXPECT_EQ(DocumentChooserModel::ModeForTitle("Save Project"), Mode::Save);
    EXPECT_EQ(DocumentChooserModel::ModeForTitle("Save Code"), Mode::Save);
    EXPECT_TRUE(DocumentChooserModel::LocalFilters("Open").first().contains("*.gui"));
    EXPECT_TRUE(DocumentChooserModel::LocalFilters("Save Code").first().contains("*.bas"));
    EXPECT_EQ(DocumentChooserModel::LocalFilters("Open").last(), "All files (*)");
}

TEST_F(DocumentChooserModelTest, StartNamesAndLists)
{
    connection.SetCurrentHost("PROD", "SALES");
    // A recent entry names "*" for host and account: the current host stands in.
    auto model = Model(DocumentChooserModel::Mode::Open, "mvdb://*/*/GUI/ORDERS");
    EXPECT_FALSE(model.Local);
    EXPECT_EQ(model.Host, "PROD");
    EXPECT_EQ(model.Account, "SALES");
    EXPECT_EQ(model.File, "GUI");
    EXPECT_EQ(model.Item, "ORDERS");
    EXPECT_EQ(model.Hosts().Names, QStringList({"PROD", "TEST"}));
    EXPECT_EQ(model.Accounts().Names, QStringList({"SALES"}));
    EXPECT_EQ(model.Files().Names, QStringList({"BP", "GUI"}));
    EXPECT_EQ(model.Items().Names, QStringList({"LOGIN", "ORDERS"}));
    EXPECT_TRUE(model.Items().Error.isEmpty());

    auto local = Model(DocumentChooserModel::Mode::Open, "/home/ann/app.gui");
    EXPECT_TRUE(local.Local);
    EXPECT_EQ(local.LocalPath, "/home/ann/app.gui");
    auto nothing = Model(DocumentChooserModel::Mode::Open, "");
    EXPECT_FALSE(nothing.Local);
    EXPECT_TRUE(nothing.Host.isEmpty());

    // A store without hosts leaves only the local choice, whatever the start.
    connection.Store().SetRoot(dir.filePath("empty"));
    for (const char *start : {"mvdb://PROD/SALES/GUI/APP", "", "/home/ann/app.gui"})
        EXPECT_TRUE(Model(DocumentChooserModel::Mode::Save, start).Local) << start;
}

TEST_F(DocumentChooserModelTest, ListsTheHostCannotReadCarryItsMessage)
{
    auto model = Model(DocumentChooserModel::Mode::Open);
    // A host that vanished since the list was shown: the host layer's message, which names it.
    // (What else the host layer refuses, links among them, its own tests try.)
    model.Host = "GONE";
    EXPECT_TRUE(model.Accounts().Names.isEmpty());
    EXPECT_TRUE(model.Accounts().Error.contains("host 'GONE'")) << model.Accounts().Error.toStdString();
    // A store root that is a file, not a folder.
    mvConnection broken;
    broken.Store().SetRoot(dir.filePath("plain"));
    PutFileBytes(dir.filePath("plain"), "x");
    DocumentChooserModel brokenModel(broken, DocumentChooserModel::Mode::Open);
    EXPECT_FALSE(brokenModel.Hosts().Error.isEmpty());
    // A store never made is simply empty.
    broken.Store().SetRoot(dir.filePath("never"));
    EXPECT_TRUE(brokenModel.Hosts().Error.isEmpty());
    EXPECT_TRUE(brokenModel.Hosts().Names.isEmpty());
}

TEST_F(DocumentChooserModelTest, AcceptHostItems)
{
    using Field = DocumentChooserModel::Field;
    using Mode = DocumentChooserModel::Mode;
    struct Case { Mode mode; const char *host, *account, *file, *item; Field refusedAt; };
    const Case cases[] = {
        {Mode::Open, "PROD", "SALES", "GUI", "ORDERS", Field::None},
        {Mode::Open, "PROD", "SALES", "GUI", "NEWONE", Field::Item},  // open wants what exists
        {Mode::Save, "PROD", "SALES", "GUI", "NEWONE", Field::None},  // save takes a new ID
        {Mode::Save, "PROD", "SALES", "GUI", "ORDERS", Field::None},  // the save asks before overwriting
        {Mode::Save, "PROD", "SALES", "GUI", "A\xEF\xA3\xBD" "B", Field::Item}, // a value mark
        {Mode::Save, "PROD", "SALES", "GUI", "  ", Field::Item},
        {Mode::Save, "PROD", "SALES", "NOFILE", "X", Field::File},     // files are not made by saving
        {Mode::Save, "", "SALES", "GUI", "X", Field::Host},
        {Mode::Save, "PROD", "", "GUI", "X", Field::Account},
        {Mode::Open, "PROD", "SALES", "", "X", Field::File},
    };
    for (const Case &c : cases) {
        DocumentChooserModel model(connection, c.mode);
        model.Host = QString::fromUtf8(c.host);
        model.Account = QString::fromUtf8(c.account);
        model.File = QString::fromUtf8(c.file);
        model.Item = QString::fromUtf8(c.item);
        const auto choice = model.Accept();
        EXPECT_EQ(choice.At, c.refusedAt) << c.file << "/" << c.item;
        EXPECT_EQ(choice.Name.isEmpty(), c.refusedAt != Field::None) << c.item;
        EXPECT_EQ(choice.Problem.isEmpty(), c.refusedAt == Field::None) << c.item;
        if (c.refusedAt == Field::None) {
            DocumentName parts;
            ASSERT_TRUE(DocumentName::Split(choice.Name, parts));
            EXPECT_EQ(parts, (DocumentName{"mvdb", model.Host, model.Account, model.File, model.Item}));
        }
    }
}

TEST_F(DocumentChooserModelTest, AcceptLocalFiles)
{
    using Mode = DocumentChooserModel::Mode;
    const QString existing = dir.filePath("app.gui");
    PutFileBytes(existing, "x");
    struct Case { Mode mode; QString path; bool taken; };
    const Case cases[] = {
        {Mode::Open, existing, true},
        {Mode::Open, dir.filePath("missing.gui"), false},
        {Mode::Save, dir.filePath("new.gui"), true},
        {Mode::Save, dir.filePath("nofolder/new.gui"), false},
        {Mode::Save, dir.path(), false}, // a folder
        {Mode::Open, "", false},
    };
    for (const Case &c : cases) {
        DocumentChooserModel model(connection, c.mode);
        model.Local = true;
        model.LocalPath = c.path;
        const auto choice = model.Accept();
        EXPECT_EQ(!choice.Name.isEmpty(), c.taken) << c.path.toStdString();
        if (c.taken) {
            const auto document = connection.Open(choice.Name);
            ASSERT_TRUE(document);
            EXPECT_EQ(document->HostType(), "file");
            EXPECT_EQ(document->DisplayName(), c.path);
        }
    }
}
} // namespace
