// The designer's entry point: process state, main window, command line.
#include "app/CommandLine.h"
#include "app/DocumentOpener.h"
#include "app/DocumentStorage.h"
#include "app/EditCommands.h"
#include "app/UndoBuffer.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/clsDesigner.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/QtClipboard.h"
#include "designer/QtPrompter.h"
#include "designer/clsProjectTree.h"
#include "designer/mdiMain.h"
#include "model/clsItems.h"

#include <QApplication>
#include <QTreeWidget>
#include <QFileDialog>

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

    UndoBuffer undo(state.UndoBuffer);
    undo.SetStateListener(&window);
    QtClipboard clipboard;
    EditCommands edit(designer, undo, clipboard);
    DesignSurfaceHost host(designer, edit);
    host.StatusPanel = [&window](int panel, const QString &text) { window.SetStatusPanel(panel, text); };
    host.FocusTree = [&window] { window.ProjectTree()->setFocus(Qt::OtherFocusReason); };
    host.HighlightInTree = [&window, &projectTree](clsControl &item) {
        if (QTreeWidgetItem *node = projectTree.NodeOf(&item))
            window.ProjectTree()->setCurrentItem(node);
    };
    host.SnapSwitch = [&state] { return state.Settings.ViewGrid; };
    // Form items show as design forms in the main window from now on.
    DesignFormFactory forms(&host, window.MdiArea());
    clsItems::Instance().SetFormFactory(&forms);
    window.SetCommandHandler([&](const QString &key) {
        if (key == QLatin1String("Open")) {
            const QString path = QFileDialog::getOpenFileName(
                &window, QStringLiteral("Open"), QString(),
                QStringLiteral("GUI projects (*.gui);;All files (*)"));
            if (!path.isEmpty())
                storage.OpenByName(path);
        } else if (key == QLatin1String("Undo")) {
            edit.Undo();
        }
    });
    window.SetCloseQuery([&storage] { return storage.QueryExit(); });
    ParseCmdLine(JoinArguments(app.arguments().mid(1)), state, opener);
    window.SetStatusText(QString());
    const int status = app.exec();
    designer.ReleaseAll();
    designer.SetProjectTree(nullptr);
    clsItems::Instance().SetFormFactory(nullptr);
    undo.SetStateListener(nullptr);
    return status;
}
