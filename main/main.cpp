// The designer's entry point: the designer's world, the main window, the command line.
#include "app/CommandLine.h"
#include "app/DesignerRoot.h"
#include "app/DocumentOpener.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/QtClipboard.h"
#include "designer/QtPrompter.h"
#include "designer/SheetCreateMode.h"
#include "designer/clsProjectTree.h"
#include "designer/frmProperties.h"
#include "designer/mdiMain.h"
#include "model/ExtensionProfile.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatformMetrics::InstallFromQt();

    // Everything the designer keeps, the item registry with its design forms first of all,
    // lives inside the QApplication's lifetime.
    DesignerRoot root;
    root.Start();
    ProcessState &state = root.State();

    mdiMain window(state);
    window.RestoreWindowPosition();
    window.ApplyViewSettings();
    window.show();

    QtPrompter prompter(&window, [&window](const QString &text) { window.SetStatusText(text); });
    QtClipboard clipboard;
    clsProjectTree projectTree(*window.ProjectTree());
    // The property sheet creates every new object and edits existing ones.
    frmProperties sheet(root.Designer(), prompter, &window);
    sheet.SetEditCommands(&root.Edit());
    sheet.SetSettings(&root.Settings());
    // A site's extension profile beside the program adds its custom fields to the sheet.
    if (const QString profile = state.ProgramFolder + QStringLiteral("extension.ini");
        QFileInfo::exists(profile))
        sheet.SetExtensionProfile(
            std::make_shared<const ExtensionProfile>(ExtensionProfile::Load(profile)));
    SheetCreateMode createMode(sheet);
    DesignerPorts ports;
    ports.CreateMode = &createMode;
    ports.Prompter = &prompter;
    ports.Clipboard = &clipboard;
    ports.ProjectTree = &projectTree;
    root.Connect(ports);

    DocumentOpener opener(root.Storage(), state, prompter);
    window.SetCloseQuery([&root] { return root.Storage().QueryExit(); });
    window.SetShutdown([&root] { root.Shutdown(); });
    ParseCmdLine(JoinArguments(app.arguments().mid(1)), state, opener);
    window.SetStatusText(QString());
    const int status = app.exec();
    // Projects go while the windows still stand; then no port may be reached any more.
    root.Shutdown();
    root.Disconnect();
    return status;
}
