// The designer's entry point: the designer's world, the main window, the command line.
#include "app/CommandLine.h"
#include "app/DesignerRoot.h"
#include "app/DocumentOpener.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/QtClipboard.h"
#include "designer/QtPrompter.h"
#include "designer/SheetCreateMode.h"
#include "designer/clsProjectTree.h"
#include "designer/frmProperties.h"
#include "designer/mdiMain.h"
#include "main/TestProbe.h"
#include "model/ExtensionProfile.h"
#include "model/clsControl.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QTreeWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatformMetrics::InstallFromQt();

    // Everything the designer keeps, the item registry with its design forms first of all,
    // lives inside the QApplication's lifetime.
    DesignerRoot root;
    const auto probe = TestProbe::InstallFromEnvironment(root);
    root.Start();
    ProcessState &state = root.State();

    mdiMain window(state);
    window.RestoreWindowPosition();
    window.ApplyViewSettings();
    window.show();

    QtPrompter prompter(&window, [&window](const QString &text) { window.SetStatusText(text); });
    QtClipboard clipboard;
    clsProjectTree projectTree(*window.ProjectTree());
    // Form items show as design forms in the main window.
    DesignSurfaceHost host(root.Designer(), root.Edit());
    host.StatusPanel = [&window](int panel, const QString &text) { window.SetStatusPanel(panel, text); };
    host.FocusTree = [&window] { window.ProjectTree()->setFocus(Qt::OtherFocusReason); };
    host.SnapSwitch = [&state] { return state.Settings.ViewGrid; };
    DesignFormFactory forms(&host, window.MdiArea());
    forms.SetPictureResolver([&root](const clsControl *app, const QString &name) {
        return root.Storage().ResolvePicture(app, name);
    });

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
    // A double click on a design form opens the sheet for what was clicked.
    host.PropertySheet = [&sheet](clsControl &item) { sheet.ShowModify(item.FullID()); };
    DesignerPorts ports;
    ports.CreateMode = &createMode;
    ports.Prompter = &prompter;
    ports.Clipboard = &clipboard;
    ports.ProjectTree = &projectTree;
    ports.FormFactory = &forms;
    ports.CommandStates = &window;
    root.Connect(ports);
    window.SetCommandHandler([&root, &window](const QString &key) {
        if (key == QLatin1String("Open")) {
            const QString path = QFileDialog::getOpenFileName(
                &window, QStringLiteral("Open"), QString(),
                QStringLiteral("GUI projects (*.gui);;All files (*)"));
            if (!path.isEmpty())
                root.Storage().OpenByName(path);
        } else if (key == QLatin1String("Undo")) {
            root.Edit().Undo();
        }
    });

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
