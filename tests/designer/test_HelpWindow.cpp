// The program's help and about box: the guide is compiled in and opens at its contents, every
// link of every topic leads to a topic that exists, the one help window is reused, Back and
// Forward follow the links, CloseAll closes it; the about box shows title and version.
#include "ModalDriver.h"
#include "designer/HelpWindow.h"
#include "designer/frmAbout.h"
#include "support/ProgramTitle.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
QString Resource(const QString &file)
{
    QFile f(QStringLiteral(":/help/") + file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(HelpWindow, EveryTopicIsShippedAndEveryLinkResolves)
{
    QStringList linked;
    for (int i = 0; i < HelpWindow::TopicCount; ++i) {
        const QString file = QString::fromUtf8(HelpWindow::Topics[i].File);
        const QString page = Resource(file);
        ASSERT_FALSE(page.isEmpty()) << file.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<title>"))) << file.toStdString();
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        for (auto m = href.globalMatch(page); m.hasNext();) {
            const QString target = m.next().captured(1).section(u'#', 0, 0);
            EXPECT_FALSE(Resource(target).isEmpty()) << file.toStdString() << " -> " << target.toStdString();
            linked << target;
        }
    }
    // Every topic can be reached from another one.
    for (int i = 1; i < HelpWindow::TopicCount; ++i)
        EXPECT_TRUE(linked.contains(QString::fromUtf8(HelpWindow::Topics[i].File))) << HelpWindow::Topics[i].File;
}

TEST(HelpWindow, OpensAtContentsFollowsLinksAndIsReused)
{
    QWidget main;
    HelpWindow *help = HelpWindow::ShowTopics(&main);
    ASSERT_TRUE(help);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl("index.html"));
    EXPECT_EQ(help->Browser()->documentTitle(), "Corvane GUI Designer help");
    EXPECT_EQ(help->Contents()->currentRow(), 0);
    EXPECT_FALSE(help->BackButton()->isEnabled());
    Grab(*help, "help");
    if (qEnvironmentVariableIsSet("CORVANE_GRAB"))
        for (int i = 1; i < HelpWindow::TopicCount; ++i) {
            help->Browser()->setSource(HelpWindow::TopicUrl(HelpWindow::Topics[i].File));
            Grab(*help, QStringLiteral("help-%1").arg(i));
        }
    HelpWindow::ShowTopics(&main);

    // A click on a link in the contents page leads to its topic.
    const QTextCursor link = help->Browser()->document()->find("Saving on a host or locally");
    ASSERT_FALSE(link.isNull());
    QTextCursor inside(help->Browser()->document());
    inside.setPosition(link.selectionStart() + 2);
    const QPoint at = help->Browser()->cursorRect(inside).center();
    QTest::mouseClick(help->Browser()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl("saving.html"));
    EXPECT_EQ(help->Browser()->documentTitle(), "Saving on a host or locally");
    EXPECT_EQ(help->Contents()->currentItem()->text(), "Saving on a host or locally");
    EXPECT_TRUE(help->BackButton()->isEnabled());
    help->BackButton()->click();
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl("index.html"));
    help->ForwardButton()->click();
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl("saving.html"));
    help->Contents()->setCurrentRow(HelpWindow::TopicCount - 1);
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl(HelpWindow::Topics[HelpWindow::TopicCount - 1].File));

    // Asked again, the same window comes back at the contents.
    EXPECT_EQ(HelpWindow::ShowTopics(&main), help);
    EXPECT_EQ(help->Browser()->source(), HelpWindow::TopicUrl("index.html"));
    HelpWindow::CloseAll();
    EXPECT_EQ(HelpWindow::Current(), nullptr);
    HelpWindow::CloseAll(); // nothing open: nothing happens
    // A window the user closed is made anew next time.
    HelpWindow *again = HelpWindow::ShowTopics(nullptr);
    ASSERT_TRUE(again);
    again->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(HelpWindow::Current(), nullptr);
}

TEST(frmAbout, ShowsTitleVersionCommentsAndLegalNotice)
{
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(frmAbout::VersionText()).hasMatch())
        << frmAbout::VersionText().toStdString();
    frmAbout box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    Grab(box, "about");
    EXPECT_EQ(box.TitleLabel()->text(), QString::fromUtf8(ProgramTitle));
    EXPECT_EQ(box.VersionLabel()->text(), "Version " + frmAbout::VersionText());
    EXPECT_FALSE(box.CommentsLabel()->text().isEmpty());
    EXPECT_TRUE(box.LegalLabel()->text().contains("Copyright"));
}
} // namespace
