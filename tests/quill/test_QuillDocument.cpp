// A Quill document against the host layer: opening local files and store items, byte-exact
// saves of unchanged programs whatever their bytes, encodings kept on change, the record lock,
// items deleted or locked by someone else, labels, and the designer's whole-text writes.
#include "FileBytes.h"
#include "quill/QuillDocument.h"

#include "host/ItemFile.h"
#include "host/mvConnection.h"
#include "quill/BasicLexer.h"
#include "quill/QsciHeaders.h"
#include "support/GuiError.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ErrorOf.h"

namespace {
struct QuillDocumentTest : ::testing::Test
{
    QTemporaryDir dir;
    mvConnection connection;
    BasicLexer lexer;
    std::unique_ptr<QuillDocument> Open(const QString &name)
    {
        auto doc = std::make_unique<QuillDocument>(connection, "id", &lexer);
        QString opened, shown;
        doc->Open(name, opened, shown);
        return doc;
    }
};
} // namespace

TEST_F(QuillDocumentTest, UnchangedProgramsAreSavedByteForByte)
{
    QByteArray binary("CRT \"\x00\x01\xff\xfe\"\r\nX = 1\n\rY\r", 21);
    QByteArray longLine(10 * 1024 * 1024, 'A');
    longLine.prepend("* ");
    const QByteArray cases[] = {
        binary,
        "PRINT 'caf\xe9'\r\n",            // Latin-1
        "PRINT 'caf\xc3\xa9'\n* LF only\n", // UTF-8, LF line ends
        "no line end at all",
        "bad \xc3\x28 utf8\r\n",
        longLine,
        QByteArray(),
    };
    int n = 0;
    for (const QByteArray &bytes : cases) {
        const QString path = dir.filePath(QString("p%1.bas").arg(n++));
        PutFileBytes(path, bytes);
        auto doc = Open(path);
        EXPECT_FALSE(doc->IsModified());
        PutFileBytes(path, "overwritten");
        doc->Save();
        EXPECT_EQ(FileBytes(path), bytes) << "case " << n;
    }
}

TEST_F(QuillDocumentTest, LargeProgramsArriveInSlicesAndAreWholeWhenRead)
{
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += "LINE" + QByteArray::number(i) + ": CRT " + QByteArray::number(i) + "\r\n";
    const QString path = dir.filePath("large.bas");
    PutFileBytes(path, bytes);
    auto doc = Open(path);
    // Not all there yet, and not editable until it is.
    EXPECT_LT(doc->View()->lines(), 40000);
    EXPECT_TRUE(doc->View()->isReadOnly());
    QApplication::processEvents();
    // Reading takes in the rest at once.
    EXPECT_EQ(doc->FindLabel("LINE39999"), 39999);
    EXPECT_EQ(doc->View()->lines(), 40001);
    EXPECT_FALSE(doc->View()->isReadOnly());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->BytesToWrite(), bytes);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents(); // the queued slices find nothing left to do
    EXPECT_EQ(doc->Text().toUtf8(), bytes);
}

TEST_F(QuillDocumentTest, ChangedProgramsKeepTheirEncodingAndLineEnds)
{
    const QString latin = dir.filePath("latin.bas");
    PutFileBytes(latin, "PRINT 'caf\xe9'\r\n");
    auto doc = Open(latin);
    EXPECT_EQ(doc->Text(), QString::fromUtf8("PRINT 'caf\xc3\xa9'\r\n"));
    doc->SetText(doc->Text() + "STOP\r\n");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->Title().endsWith('*'));
    doc->Save();
    EXPECT_EQ(FileBytes(latin), QByteArray("PRINT 'caf\xe9'\r\nSTOP\r\n"));
    EXPECT_FALSE(doc->IsModified());

    const QString lf = dir.filePath("lf.bas");
    PutFileBytes(lf, "A\nB\n");
    doc = Open(lf);
    EXPECT_EQ(doc->Text(), "A\r\nB\r\n");
    doc->SetText("A\r\nC\r\n");
    doc->Save();
    EXPECT_EQ(FileBytes(lf), QByteArray("A\nC\n"));

    // The designer's write is one undo step, and undo returns to the saved state.
    doc->SetText("changed\r\n");
    doc->View()->undo();
    EXPECT_EQ(doc->Text(), "A\r\nC\r\n");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(QuillDocumentTest, StoreItemsLockAndRefuseToLoseWork)
{
    connection.Store().SetRoot(dir.filePath("store"));
    connection.Store().CreateFile("h", "acc", "BP");
    const QString name = "mvdb://h/acc/BP/ORDERS";
    {
        auto writer = connection.Open(name);
        writer->Write("CRT 1");
    }
    auto doc = Open(name);
    EXPECT_FALSE(doc->IsReadOnlyItem());
    // A second open (another user) finds the item locked and cannot save over it.
    auto other = Open(name);
    EXPECT_TRUE(other->IsReadOnlyItem());
    other->SetText("CRT 2");
    const GuiError locked = Raised([&] { other->Save(); });
    EXPECT_EQ(locked.Number(), 70);
    EXPECT_TRUE(locked.Description().contains("locked by another user"));
    EXPECT_EQ(other->Text(), "CRT 2");
    EXPECT_TRUE(other->IsModified());

    // Deleted behind the editor's back: reported, text kept, the item not brought back.
    QFile::remove(dir.filePath("store/h/acc/BP/ORDERS"));
    ASSERT_FALSE(connection.Open(name)->Exists());
    doc->SetText("CRT 3");
    EXPECT_EQ(ErrorOf([&] { doc->Save(); }), 53);
    EXPECT_EQ(doc->Text(), "CRT 3");
    EXPECT_FALSE(connection.Open(name)->Exists());
    // Save As puts it somewhere on purpose.
    doc->SaveAs("mvdb://h/acc/BP/ORDERS.NEW");
    EXPECT_EQ(connection.Open("mvdb://h/acc/BP/ORDERS.NEW")->Read(), "CRT 3");
}

TEST_F(QuillDocumentTest, LabelsAndMissingItems)
{
    const QString path = dir.filePath("labels.bas");
    PutFileBytes(path, "* head\r\nMAIN:\r\n  CRT 1\r\n orders . order . cmdok . click :\r\nEND\r\n");
    auto doc = Open(path);
    EXPECT_EQ(doc->FindLabel("MAIN"), 1);
    EXPECT_EQ(doc->FindLabel("ORDERS.ORDER.CMDOK.CLICK"), 3);
    EXPECT_EQ(doc->FindLabel("MAI"), -1);
    EXPECT_EQ(doc->FindLabel("HEAD"), -1);
    doc->GoToLabel("orders.order.cmdok.click");
    int line = 0, index = 0;
    doc->View()->getCursorPosition(&line, &index);
    EXPECT_EQ(line, 3);
    EXPECT_TRUE(Raised([&] { doc->GoToLabel("NOWHERE"); }).Description().contains("NOWHERE"));

    auto fresh = std::make_unique<QuillDocument>(connection, "id", &lexer);
    QString opened, shown;
    EXPECT_EQ(ErrorOf([&] { fresh->Open(dir.filePath("missing.bas"), opened, shown); }), 53);
    EXPECT_FALSE(fresh->IsSaved());
    EXPECT_TRUE(fresh->IsModified()); // a program never saved counts as unsaved work
}
