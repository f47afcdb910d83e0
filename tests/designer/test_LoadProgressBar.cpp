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
#include <functional>
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

// A project of forms holding a text box and a list box each.
QString WriteFormsProject(const QTemporaryDir &dir, int forms)
{
    QStringList body{MinimalApp()};
    for (int f = 0; f < forms; ++f) {
        const QString form = QStringLiteral("APP*F%1").arg(f);
        body << Create(form, 8) << Create(form + "*T", 16) << Create(form + "*L", 21);
    }
    const QString path = dir.filePath("big.gui");
    PutFileBytes(path, DocumentStorage::ToStoredForm(Project(body)).toUtf8());
    return path;
}

// Counts the paints of the widgets inside one widget.
struct PaintsInside : QObject
{
    QWidget *Inside;
    int Paints = 0;
    explicit PaintsInside(QWidget *inside) : Inside(inside) { qApp->installEventFilter(this); }
    ~PaintsInside() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && watched != Inside && Inside->isAncestorOf(static_cast<QWidget *>(watched)))
            ++Paints;
        return false;
    }
};

// Lets the window answer at every report, with the forms made so far shown.
struct AnsweringProgress : iLoadProgress
{
    LoadProgressBar &Bar;
    std::function<void()> Each;
    AnsweringProgress(LoadProgressBar &bar, std::function<void()> each) : Bar(bar), Each(std::move(each)) {}
    void Begin(int total) override { Bar.Begin(total); }
    bool Advance(int made) override
    {
        const bool go = Bar.Advance(made);
        QApplication::processEvents();
        Each();
        return go;
    }
    void End() override { Bar.End(); }
};
} // namespace

TEST(LoadProgressBarTest, FormsShowPaintedWhenTheLoadIsOverAndNotBefore)
{
    QTemporaryDir dir;
    const QString path = WriteFormsProject(dir, 12);
    DesignerRoot root(std::make_unique<ProcessState>(dir.path()));
    ScriptedPrompter prompter;
    QMainWindow window;
    auto *area = new FormArea(&window);
    window.setCentralWidget(area);
    window.resize(900, 700);
    LoadProgressBar bar(window.statusBar());
    bar.HoldPaintsOf(area->viewport());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DesignSurfaceHost host(root.Designer(), root.Edit());
    DesignFormFactory forms(&host, area);

    PaintsInside paints(area->viewport());
    int reports = 0;
    AnsweringProgress progress(bar, [&] {
        ++reports;
        EXPECT_FALSE(area->viewport()->updatesEnabled());
        // The forms made so far have their windows, shown; nothing in them is painted.
        EXPECT_EQ(paints.Paints, 0);
    });
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.FormFactory = &forms;
    ports.LoadProgress = &progress;
    root.Connect(ports);
    for (int open = 0; open < 2; ++open) {
        SCOPED_TRACE(testing::Message() << "open " << open);
        paints.Paints = 0;
        const DocumentStorage::OpenResult result = root.Storage().OpenByName(path);
        ASSERT_TRUE(result.Success);
        EXPECT_GE(reports, 12);
        EXPECT_EQ(area->subWindowList().size(), 12);
        // Every widget of every form paints again (the list boxes held their own paints while
        // their rows were put in, inside the held area), and the form on top is painted.
        for (QWidget *w : area->viewport()->findChildren<QWidget *>())
            ASSERT_TRUE(w->updatesEnabled()) << w->metaObject()->className();
        QDeadlineTimer deadline(5000);
        while (paints.Paints == 0 && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_GT(paints.Paints, 0);
        if (open == 0)
            root.Storage().Close(result.App);
        reports = 0;
    }
    root.Designer().ReleaseAll();
    root.Disconnect();
}

TEST(LoadProgressBarTest, CancelledOpenOfDesignFormsLeavesNoWindowAndTheNextOpenWorks)
{
    QTemporaryDir dir;
    const QString path = WriteFormsProject(dir, 200);

    DesignerRoot root(std::make_unique<ProcessState>(dir.path()));
    root.State().Settings.RecordLocking = true;
    ScriptedPrompter prompter;
    QMainWindow window;
    auto *area = new FormArea(&window);
    window.setCentralWidget(area);
    LoadProgressBar bar(window.statusBar());
    bar.HoldPaintsOf(area->viewport());
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
        EXPECT_TRUE(area->viewport()->updatesEnabled());
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
