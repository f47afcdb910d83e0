// One-pass replacing of a character: the line ends of stored projects, clipboard texts and
// programs kept with marks between their lines.
#include "support/TextReplace.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(TextReplace, EveryCharacterReplacedWhereverItStands)
{
    const QChar m(u'|');
    EXPECT_EQ(ReplacedEach(u"", m, u"\r\n"), "");
    EXPECT_EQ(ReplacedEach(u"abc", m, u"\r\n"), "abc");
    EXPECT_EQ(ReplacedEach(u"|a||b|", m, u"\r\n"), "\r\na\r\n\r\nb\r\n");
    EXPECT_EQ(ReplacedEach(u"|||", m, u"xyz"), "xyzxyzxyz");
    // Shorter replacements too: one character, or none.
    EXPECT_EQ(ReplacedEach(u"a|b", m, u"-"), "a-b");
    EXPECT_EQ(ReplacedEach(u"|a|b|", m, u""), "ab");

    // A text of many thousand lines, as Qt's own replace gives it.
    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines << QStringLiteral("      PRINT %1").arg(i);
    const QString marked = lines.join(m);
    EXPECT_EQ(ReplacedEach(marked, m, u"\r\n"), QString(marked).replace(m, QStringLiteral("\r\n")));
}
