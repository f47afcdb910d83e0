// Document names: every combination of parts survives Build and Split, local paths stay bare,
// and malformed names are refused rather than misread. Store file names: hostile names become
// one harmless component and decode back unchanged; only the canonical encoding decodes.
#include "host/DocumentName.h"
#include "host/SafeFileName.h"
#include "host/mvConnection.h"
#include "support/Marks.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {
const QString VM = Marks::ValueMark();

class DocumentNameRoundTrip : public ::testing::TestWithParam<DocumentName>
{
};

TEST_P(DocumentNameRoundTrip, SplitGivesBackEveryPart)
{
    const DocumentName &parts = GetParam();
    const QString name = parts.Build();
    DocumentName back;
    ASSERT_TRUE(DocumentName::Split(name, back)) << qPrintable(name);
    EXPECT_EQ(back, parts) << qPrintable(name);
    // The name is one line without marks, so it can sit in settings and project fields.
    for (const QChar c : name) {
        EXPECT_FALSE(Marks::IsMark(c)) << qPrintable(name);
        EXPECT_GE(c.unicode(), 0x20) << qPrintable(name);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, DocumentNameRoundTrip,
    ::testing::Values(
        DocumentName{"mvdb", "prod", "SALES", "BP", "ORDERS"},
        DocumentName{"mvdb", "", "", "", ""},
        DocumentName{"mvdb", "prod", "", "", ""},
        DocumentName{"mvdb", "*", "*", "BP", "*"},
        DocumentName{"mvdb", "h/1", "a/b", "../..", "/etc/passwd"},
        DocumentName{"mvdb", "h", "A", "my file", " lead and trail "},
        DocumentName{"mvdb", "h", "A", "C:\\dir\\x", "a:b\\c*d"},
        DocumentName{"mvdb", "h", "A", "100%", "%2F%"},
        DocumentName{"mvdb", "h", "A", "Übersicht", "日本語 ID"},
        DocumentName{"mvdb", "h", "A", "F", "emoji \U0001F600"},
        DocumentName{"mvdb", "h", "A", "F", "line\r\nbreak\ttab"},
        DocumentName{"mvdb", "h", "A", "F", "a" + VM + "b"},
        DocumentName{"mvdb", "h", "A", "F", "x://y"},
        DocumentName{"file", "", "", "/home/me/app.gui", ""},
        DocumentName{"file", "", "", "relative/app.gui", ""},
        DocumentName{"file", "", "", "odd://path", ""},
        DocumentName{"file", "", "", "", ""},
        DocumentName{"file", "host", "acct", "/tmp/x", "item"},
        DocumentName{"we:ird/type", "h", "a", "f", "i"},
        DocumentName{"", "", "", "", ""}));

TEST(DocumentName, LocalPathsAreTheirOwnNames)
{
    EXPECT_EQ(DocumentName::Build("file", "", "", "/home/me/my app.gui", ""), "/home/me/my app.gui");
    EXPECT_EQ(DocumentName::Build("mvdb", "prod", "SALES", "BP", "ORDER ENTRY"),
              "mvdb://prod/SALES/BP/ORDER ENTRY");
    EXPECT_EQ(DocumentName::Build("mvdb", "h", "a", "f", "A/B%"), "mvdb://h/a/f/A%2FB%25");

    DocumentName parts;
    ASSERT_TRUE(DocumentName::Split("/home/me/x://y.gui", parts));
    EXPECT_EQ(parts, (DocumentName{"file", "", "", "/home/me/x://y.gui", ""}));
    ASSERT_TRUE(DocumentName::Split("C:\\Projects\\app.gui", parts));
    EXPECT_EQ(parts.FileName, "C:\\Projects\\app.gui");
    // Escapes typed by hand in lower case are understood.
    ASSERT_TRUE(DocumentName::Split("mvdb://h/a/f/a%2fb", parts));
    EXPECT_EQ(parts.ItemID, "a/b");
}

TEST(DocumentName, MalformedNamesAreRefusedAndLeaveThePartsAlone)
{
    DocumentName parts{"keep", "", "", "", ""};
    for (const QString name : {"", "mvdb://h/a/f", "mvdb://h/a/f/i/extra", "mvdb://h/a/f/%",
                               "mvdb://h/a/f/%4", "mvdb://h/a/f/%GG", "mvdb://h/a/f/%FF"}) {
        EXPECT_FALSE(DocumentName::Split(name, parts)) << qPrintable(name);
        EXPECT_EQ(parts.HostType, "keep");
    }
}

TEST(DocumentName, ConnectionOpensOnlyValidNamesOfKnownTypes)
{
    mvConnection connection;
    connection.Store().SetRoot("/nonexistent-corvane-root");
    // The last holds a value mark in the ID.
    for (const char *bad : {"", "mvdb://h/a/f", "ftp://h/a/f/i", "file://///", "mvdb://h/a/f/a%EF%A3%BDb"})
        EXPECT_EQ(connection.Open(bad), nullptr) << bad;
    ASSERT_NE(connection.Open("MVDB://h/a/f/i"), nullptr);
    EXPECT_EQ(connection.Open("MVDB://h/a/f/i")->HostType(), "mvdb");
    ASSERT_NE(connection.Open("/tmp/x.gui"), nullptr);
    EXPECT_EQ(connection.Open("/tmp/x.gui")->HostType(), "file");

    // The chooser belongs to the user interface; headless there is none.
    EXPECT_EQ(connection.Chooser("Open", nullptr, QString("/tmp/x.gui")), nullptr);
}
} // namespace

TEST(SafeFileName, HostileNamesBecomeOneHarmlessComponentAndComeBack)
{
    const QStringList names = {"", ".", "..", "../..", "/", "/etc/passwd", ".hidden", "a/../b",
                               "%", "%2E", "back\\slash", "tab\there", "Mixed Case", "a..b",
                               "Ärger €", "\U0001F600", ".locks", "x" + Marks::ValueMark()};
    QStringList encodings;
    for (const QString &name : names) {
        const QString encoded = SafeFileName::Encode(name);
        EXPECT_FALSE(encoded.isEmpty()) << qPrintable(name);
        EXPECT_FALSE(encoded.startsWith(u'.')) << qPrintable(name);
        EXPECT_FALSE(encoded.contains(u'/')) << qPrintable(name);
        EXPECT_FALSE(encoded.contains(u'\\')) << qPrintable(name);
        QString back;
        ASSERT_TRUE(SafeFileName::Decode(encoded, back)) << qPrintable(encoded);
        EXPECT_EQ(back, name);
        encodings << encoded;
    }
    encodings.removeDuplicates();
    EXPECT_EQ(encodings.size(), names.size());
    EXPECT_EQ(SafeFileName::Encode("Order Entry"), "Order Entry");
    EXPECT_EQ(SafeFileName::Encode("..x"), "%2E.x");
}

TEST(SafeFileName, OnlyCanonicalEncodingsDecode)
{
    QString name = "untouched";
    for (const QString component : {".", "..", ".locks", ".cvsave-abc", "", "%2", "%2f", "%41",
                                    "%FF", "a%", "%%"}) {
        EXPECT_FALSE(SafeFileName::Decode(component, name)) << qPrintable(component);
        EXPECT_EQ(name, "untouched");
    }
}
