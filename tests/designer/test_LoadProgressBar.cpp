// The load's progress in the status bar: nothing for a short load, the bar with forms made of
// forms total once a load runs long, Cancel stopping it; while it runs the window paints but
// clicks and shortcuts do nothing. A cancelled open of real design forms
// leaves no window behind, and the next open works.
#include "FileBytes.h"
#include "app/DesignerRoot.h"
#include "app/DocumentStorage.h"
#include "testsupport/ScriptedPrompter.h"
#include "LoaderTestSupport.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/FormArea.h"
#include "designer/LoadProgressBar.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace LoaderText;

TEST(LoadProgressBarTest, ShowsOnlyALongLoadAndHoldsCommandsWhileItRuns)
{
    QMainWindow window;
    auto *other = new QPushButton("Other", &window);
    window.setCentralWidget(other);
    int otherClicks = 0;
    QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    auto *action = new QAction(&window);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    window.addAction(action);
    int triggered = 0;
    QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
    auto *progress = new LoadProgressBar(window.statusBar());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // A short load: nothing shows.
    progress->Begin(3);
    for (int made = 0; made < 3; ++made)
        EXPECT_TRUE(progress->Advance(made));
    EXPECT_FALSE(progress->isVisible());
    progress->End();

    // A long one shows forms made of the total, and the window's commands do nothing.
    progress->Begin(10);
    QDeadlineTimer deadline(10000);
    while (!progress->isVisible() && !deadline.hasExpired())
        ASSERT_TRUE(progress->Advance(4));
    ASSERT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->Bar()->text(), "Loading forms: 4 of 10");
    QTest::mouseClick(other, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(otherClicks, 0);
    EXPECT_EQ(triggered, 0);
    EXPECT_TRUE(progress->Advance(5));
    // Cancel is heard.
    QTest::mouseClick(progress->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(progress->Advance(6));
    progress->End();
    EXPECT_FALSE(progress->isVisible());

    // After the load everything answers again, and a new load starts afresh.
    QTest::mouseClick(other, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(triggered, 1);
    progress->Begin(1);
    EXPECT_TRUE(progress->Advance(0));
    progress->End();
}

namespace {
// Cancels the load at one report, the way a click on Cancel would.
struct CancellingProgress : iLoadProgress
{
    LoadProgressBar &Bar;
    int CancelAt;
    int Reports = 0;
    CancellingProgress(LoadProgressBar &bar, int at) : Bar(bar), CancelAt(at) {}
    void Begin(int total) override { Bar.Begin(total); }
    bool Advance(int made) override
    {
        if (++Reports == CancelAt)
            Bar.CancelButton()->click();
        return Bar.Advance(made);
    }
    void End() override { Bar.End(); }
};
} // namespace

TEST(LoadProgressBarTest, CancelledOpenOfDesignFormsLeavesNoWindowAndTheNextOpenWorks)
{
    QTemporaryDir dir;
    QStringList body{MinimalApp()};
    for (int f = 0; f < 200; ++f) {
        const QString form = QStringLiteral("APP*F%1").arg(f);
        body << Create(form, 8) << Create(form + "*T", 16) << Create(form + "*L", 21);
    }
    const QString path = dir.filePath("big.gui");
    PutFileBytes(path, DocumentStorage::ToStoredForm(Project(body)).toUtf8());

    DesignerRoot root(std::make_unique<ProcessState>(dir.path()));
    root.State().Settings.RecordLocking = true;
    ScriptedPrompter prompter;
    QMainWindow window;
    auto *area = new FormArea(&window);
    window.setCentralWidget(area);
    LoadProgressBar bar(window.statusBar());
    window.show();
    DesignSurfaceHost host(root.Designer(), root.Edit());
    DesignFormFactory forms(&host, area);
    const int windowsBefore = int(QApplication::topLevelWidgets().size());

    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.FormFactory = &forms;
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    for (int round = 0; round < 4; ++round) {
        const int at = 1 + int(random.bounded(200));
        SCOPED_TRACE(testing::Message() << "cancel at report " << at);
        CancellingProgress progress(bar, at);
        ports.LoadProgress = &progress;
        root.Connect(ports);
        const DocumentStorage::OpenResult result = root.Storage().OpenByName(path);
        root.Disconnect();
        EXPECT_TRUE(result.Cancelled);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        EXPECT_TRUE(area->subWindowList().isEmpty());
        EXPECT_TRUE(forms.Forms().isEmpty());
        EXPECT_EQ(int(QApplication::topLevelWidgets().size()), windowsBefore);
        EXPECT_TRUE(root.Designer().Projects().empty());
        EXPECT_TRUE(prompter.Calls.empty());
        EXPECT_FALSE(bar.Loading());
    }
    ports.LoadProgress = &bar;
    root.Connect(ports);
    const DocumentStorage::OpenResult result = root.Storage().OpenByName(path);
    EXPECT_TRUE(result.Success);
    EXPECT_FALSE(result.Partial);
    QApplication::processEvents();
    EXPECT_EQ(area->subWindowList().size(), 200);
    root.Designer().ReleaseAll();
    root.Disconnect();
}
