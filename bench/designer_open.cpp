// Opening the 20,000-object benchmark project in the designer on the offscreen platform, the
// way File > Open does it: document storage loads it onto real design forms in an MDI area
// while the project tree fills a tree widget beside it; the time runs until the window has
// caught up with its pending events. Against `corvane check` of the same file (the built
// tool when it is found, and the same load headless in this process), measured in this run.
// Goals: open at most 3 times check; closing at most as long as opening.
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignerStyle.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/FormArea.h"
#include "designer/clsProjectTree.h"

#include "BenchProject.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QProcess>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
struct OpenClose
{
    double Open = 0, Close = 0;
    int Nodes = 0, Forms = 0, Reports = 0;
};

// The designer's world as its main window wires it, minus the dialogs and the bands.
OpenClose OpenInDesigner(const QString &path, const QString &folder)
{
    DesignerRoot root(std::make_unique<ProcessState>(folder));
    ScriptedPrompter prompter;
    QSplitter window;
    auto *treeView = new QTreeWidget(&window);
    auto *area = new FormArea(&window);
    window.resize(1200, 800);
    window.show();
    QApplication::processEvents();

    clsProjectTree tree(*treeView);
    DesignSurfaceHost host(root.Designer(), root.Edit());
    DesignFormFactory forms(&host, area);
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.ProjectTree = &tree;
    ports.FormFactory = &forms;
    root.Connect(ports);
    tree.SetLinks({&root.Designer(), &root.Edit(), &prompter, root.State().CursorIds});

    OpenClose t;
    QElapsedTimer timer;
    timer.start();
    const DocumentStorage::OpenResult result = root.Storage().OpenByName(path);
    // Until the window has caught up: the forms show their controls, which then repaint.
    QApplication::processEvents();
    QApplication::processEvents();
    t.Open = Ms(timer);
    t.Reports = int(prompter.Calls.size());
    t.Forms = int(area->subWindowList().size());
    QTreeWidgetItemIterator it(treeView);
    for (; *it; ++it)
        ++t.Nodes;

    timer.restart();
    if (result.Success)
        root.Storage().Close(result.App);
    QApplication::processEvents();
    t.Close = Ms(timer);
    root.Disconnect();
    return t;
}

double CheckHeadless(const QString &path, const QString &folder)
{
    DesignerRoot root(std::make_unique<ProcessState>(folder));
    ScriptedPrompter prompter;
    DesignerPorts ports;
    ports.Prompter = &prompter;
    root.Connect(ports);
    QElapsedTimer timer;
    timer.start();
    root.Storage().OpenByName(path);
    const double ms = Ms(timer);
    root.Designer().ReleaseAll();
    return ms;
}

// The command-line tool beside the bench folder of the build tree, if it was built.
QString CorvaneTool()
{
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString &candidate : {here + "/../cli/corvane", here + "/corvane"})
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    return {};
}

double CheckTool(const QString &tool, const QString &path)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(tool, {QStringLiteral("check"), path});
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? Ms(timer) : -1;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    // As the designer's start-up does.
    DesignerStyle::Install();
    QTemporaryDir dir;
    const int objects = argc > 1 ? QByteArray(argv[1]).toInt() : 20000;
    const QString path = dir.path() + QStringLiteral("/bench.gui");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(DocumentStorage::ToStoredForm(BenchProject(objects)).toUtf8());
    }

    const QString tool = CorvaneTool();
    // The measurements take turns, so a machine that gets busier or quieter during the run
    // weighs on both sides alike; each side keeps its best run.
    double toolCheck = tool.isEmpty() ? -1 : 1e300;
    double headless = 1e300;
    OpenClose best{1e300, 1e300};
    for (int run = 0; run < 5; ++run) {
        if (!tool.isEmpty())
            toolCheck = std::min(toolCheck, CheckTool(tool, path));
        headless = std::min(headless, CheckHeadless(path, dir.path()));
        const OpenClose t = OpenInDesigner(path, dir.path());
        best.Open = std::min(best.Open, t.Open);
        best.Close = std::min(best.Close, t.Close);
        best.Nodes = t.Nodes;
        best.Forms = t.Forms;
        best.Reports = t.Reports;
    }
    const double check = toolCheck > 0 ? toolCheck : headless;

    std::printf("%d objects: %d tree nodes, %d design forms, %d reports\n", objects, best.Nodes,
                best.Forms, best.Reports);
    if (toolCheck > 0)
        std::printf("corvane check (tool)        %8.1f ms\n", toolCheck);
    else
        std::printf("corvane check (tool)        not built\n");
    std::printf("check load (in process)     %8.1f ms\n", headless);
    std::printf("designer open               %8.1f ms\n", best.Open);
    std::printf("designer close              %8.1f ms\n", best.Close);
    std::printf("open / check   %5.2f  (goal: at most 3)\n", best.Open / check);
    if (toolCheck > 0)
        std::printf("open / check load in process %5.2f\n", best.Open / headless);
    std::printf("close / open   %5.2f  (goal: at most 1)\n", best.Close / best.Open);
    return 0;
}
