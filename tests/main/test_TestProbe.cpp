// The end-to-end tests find everything they click through the probe: its answers must name
// the places a user would click (widgets, menu entries, tool buttons, tree nodes, controls
// on a design form), report the projects truthfully, and it must not exist unless asked for.
#include "app/DesignerRoot.h"
#include "LoaderTestSupport.h"
#include "testsupport/ScriptedPrompter.h"
#include "designer/DesignControl.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/clsProjectTree.h"
#include "main/TestProbe.h"
#include "model/clsControl.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct World
{
    QMainWindow window;
    QTreeWidget *tree = new QTreeWidget;
    QMdiArea *area = new QMdiArea;
    QMenu *file = nullptr;
    QAction *save = nullptr;
    ScriptedPrompter prompter;
    DesignerRoot root{std::make_unique<ProcessState>(QStringLiteral("/nonexistent/"))};
    DesignSurfaceHost host{root.Designer(), root.Edit()};
    DesignFormFactory forms{&host, area};
    clsProjectTree projectTree{*tree};
    TestProbe probe{root};

    World()
    {
        window.setObjectName(QStringLiteral("mdiMain"));
        tree->setObjectName(QStringLiteral("tvProject"));
        auto *split = new QSplitter;
        split->addWidget(tree);
        split->addWidget(area);
        window.setCentralWidget(split);
        file = window.menuBar()->addMenu(QStringLiteral("&File"));
        file->setObjectName(QStringLiteral("MainMenu.File"));
        file->addAction(QStringLiteral("&Open"))->setObjectName(QStringLiteral("Open"));
        QToolBar *bar = window.addToolBar(QStringLiteral("BandMain"));
        save = bar->addAction(QStringLiteral("Save"));
        save->setObjectName(QStringLiteral("Save"));
        bar->widgetForAction(save)->setObjectName(QStringLiteral("BandMain.Save"));
        DesignerPorts ports;
        ports.Prompter = &prompter;
        ports.FormFactory = &forms;
        ports.ProjectTree = &projectTree;
        root.Connect(ports);
        window.resize(900, 600);
        window.show();
    }
    ~World() { root.Designer().ReleaseAll(); root.Disconnect(); }

    QJsonObject Ask(const QString &request)
    {
        return QJsonDocument::fromJson(probe.Answer(request)).object();
    }
    QPoint Centre(const QJsonObject &o) { return {o["cx"].toInt(), o["cy"].toInt()}; }
};

QString Sample()
{
    return Project({Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                    Record({"2", "A*F", "", "5", "0", "0", "6000", "4500", "0"}),
                    Record({"2", "A*F*Text1", "", "16", "1200", "900", "1500", "300", "0"})},
                   "1.4", "1");
}
} // namespace

TEST(TestProbe, RectanglesLeadToWhatTheUserClicks)
{
    World w;
    ASSERT_TRUE(w.root.Designer().SetTemplate(Sample()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));

    // A tool button and a shut menu's title in the menu bar.
    const QJsonObject button = w.Ask("rect BandMain.Save");
    ASSERT_TRUE(button["ok"].toBool());
    EXPECT_EQ(QApplication::widgetAt(w.Centre(button)), w.window.findChild<QToolButton *>("BandMain.Save"));
    const QJsonObject title = w.Ask("rect MainMenu.File");
    ASSERT_TRUE(title["ok"].toBool());
    EXPECT_EQ(QApplication::widgetAt(w.Centre(title)), w.window.menuBar());
    EXPECT_EQ(title["text"].toString(), "File");
    // An action that shows nowhere has no place to click; one that does not exist is named.
    EXPECT_FALSE(w.Ask("rect Open")["ok"].toBool());
    EXPECT_TRUE(w.Ask("rect Nothing")["error"].toString().startsWith("no widget or action"));

    // The tree node and the design control of the same item.
    const QJsonObject node = w.Ask("node a*f*text1");
    ASSERT_TRUE(node["ok"].toBool()) << node["error"].toString().toStdString();
    EXPECT_EQ(clsProjectTree::FullIdOf(w.tree->itemAt(w.tree->viewport()->mapFromGlobal(w.Centre(node)))),
              "A*F*Text1");
    const QJsonObject control = w.Ask("control A*F*Text1");
    ASSERT_TRUE(control["ok"].toBool()) << control["error"].toString().toStdString();
    QWidget *hit = QApplication::widgetAt(w.Centre(control));
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(DesignControl::Of(hit), w.root.Items().Find("A*F*Text1")->ControlObject());
    const QJsonObject geometry = w.Ask("geometry A*F*Text1");
    EXPECT_EQ(geometry["left"].toInt(), 1200);
    EXPECT_EQ(geometry["top"].toInt(), 900);
    EXPECT_EQ(geometry["width"].toInt(), 1500);
    EXPECT_FALSE(w.Ask("control A*F*Gone")["ok"].toBool());
    EXPECT_FALSE(w.Ask("node A*F*Gone")["ok"].toBool());
}

TEST(TestProbe, ReportsProjectsSelectionAndOpenMenus)
{
    World w;
    ASSERT_TRUE(w.root.Designer().SetTemplate(Sample()));
    w.root.Designer().SelectItem(QStringLiteral("A*F*Text1"));
    EXPECT_EQ(w.Ask("selected")["id"].toString(), "A*F*Text1");
    const QJsonArray projects = w.Ask("projects")["projects"].toArray();
    ASSERT_EQ(projects.size(), 1);
    EXPECT_EQ(projects[0].toObject()["id"].toString(), "A");
    EXPECT_FALSE(projects[0].toObject()["readonly"].toBool());
    const QJsonArray items = w.Ask("items")["items"].toArray();
    EXPECT_EQ(items.size(), 3);

    // An open menu lists its entries with their places; nothing modal is open.
    EXPECT_FALSE(w.Ask("modal")["ok"].toBool());
    EXPECT_FALSE(w.Ask("popup")["ok"].toBool());
    w.file->popup(w.window.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.file));
    const QJsonObject popup = w.Ask("popup");
    ASSERT_TRUE(popup["ok"].toBool());
    const QJsonObject open = popup["entries"].toArray()[0].toObject();
    EXPECT_EQ(open["name"].toString(), "Open");
    EXPECT_EQ(w.file->actionAt(w.file->mapFromGlobal(w.Centre(open)))->objectName(), "Open");
    EXPECT_TRUE(w.Ask("rect Open")["ok"].toBool());
    w.file->close();

    // The design forms' windows, and which of them is active.
    const QList<QMdiSubWindow *> subs = w.area->subWindowList();
    ASSERT_EQ(subs.size(), 1);
    w.area->setActiveSubWindow(subs[0]);
    QJsonArray forms = w.Ask("forms")["forms"].toArray();
    ASSERT_EQ(forms.size(), 1);
    EXPECT_EQ(forms[0].toObject()["title"].toString(),
              subs[0]->windowTitle().remove(QStringLiteral("[*]")));
    EXPECT_EQ(forms[0].toObject()["active"].toBool(), w.area->activeSubWindow() == subs[0]);
    w.area->setActiveSubWindow(nullptr);
    forms = w.Ask("forms")["forms"].toArray();
    EXPECT_FALSE(forms[0].toObject()["active"].toBool());

    EXPECT_FALSE(w.Ask("frobnicate")["ok"].toBool());
    EXPECT_TRUE(w.Ask("idle")["ok"].toBool());
}

TEST(TestProbe, AnswersOverItsSocketOnlyWhenAskedFor)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("probe.sock"));
    World w;
    // Without the variable no probe is made.
    qunsetenv("CORVANE_TEST_PROBE");
    EXPECT_EQ(TestProbe::InstallFromEnvironment(w.root), nullptr);
    qputenv("CORVANE_TEST_PROBE", path.toLocal8Bit());
    const auto probe = TestProbe::InstallFromEnvironment(w.root);
    qunsetenv("CORVANE_TEST_PROBE");
    ASSERT_NE(probe, nullptr);

    QLocalSocket socket;
    socket.connectToServer(path);
    ASSERT_TRUE(socket.waitForConnected(2000));
    // Two requests in one write get two answers in order.
    socket.write("idle\nselected\n");
    QByteArray received;
    QTRY_VERIFY_WITH_TIMEOUT((received += socket.readAll()).count('\n') == 2, 3000);
    const QList<QByteArray> lines = received.trimmed().split('\n');
    EXPECT_TRUE(QJsonDocument::fromJson(lines[0]).object()["ok"].toBool());
    EXPECT_EQ(QJsonDocument::fromJson(lines[1]).object()["id"].toString(), "");

    // A line longer than any request closes the connection instead of growing without end.
    socket.write(QByteArray(64 * 1024, 'x'));
    QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QLocalSocket::UnconnectedState, 3000);
}
