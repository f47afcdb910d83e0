// Store file names: hostile names become one harmless component and decode back unchanged;
// nothing but the one canonical encoding decodes.
#include "host/SafeFileName.h"
#include "support/Marks.h"

#include <QStringList>

#include <gtest/gtest.h>

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
