// Text files keep the encoding they were read with: byte-order marks, the Latin-1 fallback
// for bytes that are not UTF-8, and the UTF-8 fallback when Latin-1 cannot hold a character.
#include "support/TextEncoding.h"

#include <gtest/gtest.h>

using namespace TextEncoding;

TEST(TextEncoding, ReadsAndWritesBackEachEncoding)
{
    const QString text = QStringLiteral("K\u00f8benhavn\r\nx=1");
    for (Encoding e : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        for (bool bom : {false, true}) {
            if (!bom && e != Encoding::Utf8)
                continue; // UTF-16 is only recognised by its mark
            const QByteArray bytes = Encode(text, e, bom);
            const Decoded back = Decode(bytes);
            EXPECT_EQ(back.Text, text);
            EXPECT_EQ(back.Used, e);
            EXPECT_EQ(back.Bom, bom);
            EXPECT_EQ(Encode(back.Text, back.Used, back.Bom), bytes);
        }
    }

    const QByteArray latin = QByteArray("K\xF8" "benhavn");
    const Decoded legacy = Decode(latin);
    EXPECT_EQ(legacy.Used, Encoding::Latin1);
    EXPECT_EQ(legacy.Text, QStringLiteral("K\u00f8benhavn"));
    EXPECT_EQ(Encode(legacy.Text, Encoding::Latin1), latin);
    EXPECT_EQ(Encode(QStringLiteral("\u20ac"), Encoding::Latin1), QByteArray("\xE2\x82\xAC"))
        << "a character beyond Latin-1 is written as UTF-8";
}
