// The desktop clipboard carries the copied project text as Unicode text unchanged, marks of
// the clipboard form and characters outside Latin-1 included.
#include "designer/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

TEST(QtClipboard, UnicodeTextRoundTripsThroughTheSystemClipboard)
{
    QtClipboard clipboard;
    const QString text = QStringLiteral("TEMPLATE\t36526.5\t\r\n0\t1.4\t0\r\n2\tA*F*L\t\t15\r\n"
                                        "4\t\t22\t\t\t\u00c5se \u20ac a\u0004b\r\n0\t-1");
    clipboard.SetText(text);
    EXPECT_EQ(clipboard.Text(), text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    // What another program puts there is what Paste reads.
    QGuiApplication::clipboard()->setText(QStringLiteral("from elsewhere"));
    EXPECT_EQ(clipboard.Text(), QStringLiteral("from elsewhere"));
}
