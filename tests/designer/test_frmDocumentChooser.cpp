// The document chooser as the file commands use it, over a host store in a temporary folder
// named by CORVANE_MVDB_ROOT: choosing an existing item to open, typing a new item ID to save,
// a refused ID keeping the dialog open, Cancel giving nothing, a local file passing through,
// and a store the host cannot read showing its message while the dialog stays usable.
#include "FileBytes.h"
#include "ModalDriver.h"

#include "designer/QtDocumentChooser.h"
#include "designer/frmDocumentChooser.h"
#include "host/DocumentName.h"
#include "host/mvConnection.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
class DocumentChooserDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        m_previousRoot = qgetenv("CORVANE_MVDB_ROOT");
        qputenv("CORVANE_MVDB_ROOT", QFile::encodeName(dir.filePath("hosts")));
        connection.Store().CreateFile("PROD", "SALES", "BP");
        connection.Store().CreateFile("PROD", "SALES", "GUI");
        connection.Store().CreateFile("PROD", "TEST", "GUI");
        for (const char *item : {"CUSTOMERS", "LOGIN", "ORDERS"})
            PutFileBytes(connection.Store().ItemPath({"mvdb", "PROD", "SALES", "GUI", item}), "x");
        connection.SetChooser(&chooser);
    }
    void TearDown() override { qputenv("CORVANE_MVDB_ROOT", m_previousRoot); }
    static QString Name(const char *file, const char *item)
    {
        return DocumentName::Build("mvdb", "PROD", "SALES", file, item);
    }

    QTemporaryDir dir;
    mvConnection connection;
    QtDocumentChooser chooser{connection};
    QByteArray m_previousRoot;
};

TEST_F(DocumentChooserDialog, OpenAnExistingItemFromTheListRefuseAMissingOneAndCancel)
{
    QString title, okText, refused;
    QStringList hosts, items;
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        Grab(*d, "chooser-open");
        title = d->windowTitle();
        okText = d->OkButton()->text();
        for (int i = 0; i < d->HostList()->count(); ++i)
            hosts << d->HostList()->itemText(i);
        // The chooser starts at the file of the starting name.
        EXPECT_EQ(d->FileList()->currentText(), "GUI");
        for (int i = 0; i < d->ItemList()->count(); ++i)
            items << d->ItemList()->item(i)->text();
        // An item that does not exist is refused with the dialog kept open.
        QTest::keyClicks(d->ItemBox(), "NOSUCH");
        d->OkButton()->click();
        refused = d->MessageLabel()->text();
        EXPECT_TRUE(d->isVisible());
        d->ItemBox()->clear();
        // Typing moves the list; Enter opens the chosen item.
        QTest::keyClicks(d->ItemBox(), "LOGIN");
        EXPECT_EQ(d->ItemList()->currentItem()->text(), "LOGIN");
        QTest::keyClick(d->ItemBox(), Qt::Key_Return);
    });
    const auto document = connection.Chooser("Open", nullptr, Name("GUI", ""));
    EXPECT_EQ(title, "Open");
    EXPECT_EQ(okText, "&Open");
    EXPECT_EQ(hosts, QStringList({"PROD"}));
    EXPECT_EQ(items, QStringList({"CUSTOMERS", "LOGIN", "ORDERS"}));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Name(), Name("GUI", "LOGIN"));
    EXPECT_TRUE(document->Exists());
    EXPECT_TRUE(refused.contains("NOSUCH")) << refused.toStdString();

    // Cancel gives nothing.
    WhenModal<frmDocumentChooser>([](frmDocumentChooser *d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(connection.Chooser("Open", nullptr, Name("GUI", "")), nullptr);
}

TEST_F(DocumentChooserDialog, SaveUnderANewItemIdAndRefuseWhatTheHostRefuses)
{
    QString refused;
    bool stayedOpen = false;
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        // Another file of the account: a double-click would open an item, a typed ID saves.
        d->FileList()->setCurrentText("BP");
        EXPECT_EQ(d->ItemList()->count(), 0);
        d->ItemBox()->setText(QString("BAD") + QChar(0xF8FD));
        d->OkButton()->click();
        refused = d->MessageLabel()->text();
        stayedOpen = d->isVisible();
        EXPECT_EQ(QApplication::focusWidget(), d->ItemBox());
        d->ItemBox()->clear();
        QTest::keyClicks(d->ItemBox(), "NEW.APP");
        d->OkButton()->click();
    });
    const auto document = connection.Chooser("Save Project", nullptr, Name("GUI", "ORDERS"));
    EXPECT_FALSE(refused.isEmpty());
    EXPECT_TRUE(stayedOpen);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Name(), Name("BP", "NEW.APP"));
    EXPECT_FALSE(document->Exists());
}

TEST_F(DocumentChooserDialog, ALocalFilePassesThrough)
{
    const QString path = dir.filePath("local project.gui");
    PutFileBytes(path, "x");
    QString caption;
    QStringList filters;
    bool saving = true;
    chooser.SetLocalFileDialog([&](const QString &title, const QString &, bool save, const QStringList &f) {
        caption = title;
        saving = save;
        filters = f;
        return path;
    });
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        d->Tabs()->setCurrentIndex(1);
        Grab(*d, "chooser-local");
        d->BrowseButton()->click();
    });
    const auto document = connection.Chooser("Open", nullptr, Name("GUI", ""));
    EXPECT_EQ(caption, "Open");
    EXPECT_FALSE(saving);
    EXPECT_EQ(filters, QStringList({"GUI projects (*.gui)", "All files (*)"}));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->HostType(), "file");
    EXPECT_EQ(document->DisplayName(), path);

    // A local starting document opens the local tab with its path; typing another path works.
    const QString other = dir.filePath("other.gui");
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        EXPECT_EQ(d->Tabs()->currentIndex(), 1);
        EXPECT_EQ(d->PathBox()->text(), path);
        EXPECT_EQ(d->PathBox()->selectedText(), "local project") << "the name is ready to be typed over";
        d->PathBox()->setText(other);
        d->OkButton()->click();
    });
    const auto saved = connection.Chooser("Save Project", nullptr, path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->DisplayName(), other);
}

TEST_F(DocumentChooserDialog, AStoreThatCannotBeReadShowsTheMessageAndStaysUsable)
{
    // The store root is a plain file: no list can be read.
    const QString plain = dir.filePath("plain");
    PutFileBytes(plain, "x");
    qputenv("CORVANE_MVDB_ROOT", QFile::encodeName(plain));
    const QString path = dir.filePath("fallback.gui");
    QString message;
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        Grab(*d, "chooser-error");
        message = d->MessageLabel()->text();
        EXPECT_EQ(d->HostList()->count(), 0);
        d->OkButton()->click(); // refused: no host
        EXPECT_TRUE(d->isVisible());
        d->Tabs()->setCurrentIndex(1);
        QTest::keyClicks(d->PathBox(), path);
        d->OkButton()->click();
    });
    const auto document = connection.Chooser("Save Project", nullptr, QString());
    EXPECT_TRUE(message.contains("host store")) << message.toStdString();
    ASSERT_TRUE(document);
    EXPECT_EQ(document->DisplayName(), path);

    // A store without hosts opens on the local tab, with no message to puzzle over there.
    qputenv("CORVANE_MVDB_ROOT", QFile::encodeName(dir.filePath("nohosts")));
    int tab = -1;
    QString hostMessage;
    WhenModal<frmDocumentChooser>([&](frmDocumentChooser *d) {
        tab = d->Tabs()->currentIndex();
        message = d->MessageLabel()->text();
        d->Tabs()->setCurrentIndex(0);
        hostMessage = d->MessageLabel()->text();
        d->reject();
    });
    EXPECT_FALSE(connection.Chooser("Save Project", nullptr, Name("GUI", "APP")));
    EXPECT_EQ(tab, 1);
    EXPECT_TRUE(message.isEmpty()) << message.toStdString();
    EXPECT_TRUE(hostMessage.contains("holds no hosts")) << hostMessage.toStdString();
}
} // namespace
