// The designer's entry point: process state, main window, command line.
#include "app/CommandLine.h"
#include "app/DocumentOpener.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/clsDesigner.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/QtPrompter.h"
#include "designer/clsProjectTree.h"
#include "designer/mdiMain.h"
#include "model/clsItems.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatformMetrics::InstallFromQt();

    ProcessState &state = Process();
    Startup::InitialiseProcess(state);

    mdiMain window(state);
    window.RestoreWindowPosition();
    window.ApplyViewSettings();
    window.show();

    QtPrompter prompter(&window, [&window](const QString &text) { window.SetStatusText(text); });
    clsDesigner designer(clsItems::Instance(), &prompter);
    clsProjectTree projectTree(*window.ProjectTree());
    designer.SetProjectTree(&projectTree);
    DocumentStorage storage(designer, state);
    DocumentOpener opener(storage, state, prompter);
    window.SetCloseQuery([&storage] { return storage.QueryExit(); });
    ParseCmdLine(JoinArguments(app.arguments().mid(1)), state, opener);
    window.SetStatusText(QString());
    const int status = app.exec();
    designer.ReleaseAll();
    designer.SetProjectTree(nullptr);
    return status;
}
