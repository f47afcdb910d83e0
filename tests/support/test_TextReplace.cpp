// One-pass replacing: the line ends of stored projects, clipboard texts, templates and
// programs, whichever ends they are written with.
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

TEST(TextReplace, TextsReplacedLeftToRightWithoutOverlapping)
{
    EXPECT_EQ(ReplacedEach(u"a\r\nb\r\n", u"\r\n", u"\n"), "a\nb\n");
    EXPECT_EQ(ReplacedEach(u"\r\n\r\n", u"\r\n", u"\r"), "\r\r");
    EXPECT_EQ(ReplacedEach(u"\r\r\n\n", u"\r\n", u"|"), "\r|\n"); // a lone CR or LF stays
    EXPECT_EQ(ReplacedEach(u"aaaaa", u"aa", u"b"), "bba");
    EXPECT_EQ(ReplacedEach(u"abc", u"", u"x"), "abc"); // nothing to look for
    EXPECT_EQ(ReplacedEach(u"abc", u"abcd", u"x"), "abc");

    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines << QStringLiteral("      PRINT %1").arg(i);
    const QString text = lines.join(QStringLiteral("\r\n"));
    EXPECT_EQ(ReplacedEach(text, u"\r\n", u"\n"), lines.join(QLatin1Char('\n')));
}
