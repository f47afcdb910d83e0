// The designer's entry point: the application object, then the designer window, which runs
// the start-up sequence and the command line; the event loop runs until the window unloads.
#include "main/DesignerWindow.h"
#include "main/TestProbe.h"
#include "app/ProcessState.h"
#include "app/RecoveryStore.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Everything the designer keeps, the item registry with its design forms first of all,
    // lives inside the QApplication's lifetime.
    DesignerWindow::Options options;
    options.RecoveryFolder = RecoveryStore::DefaultFolder();
    DesignerWindow designer(std::move(options));
    const auto probe = TestProbe::InstallFromEnvironment(designer.Root());
    designer.Start(app.arguments().mid(1));
    // The program ends when the main window unloads, whatever other windows are still open:
    // exit, not quit, which first asks the other windows to close and gives up when one of
    // them does not (a preview left open kept the program running without a main window).
    QObject::connect(&designer.Window(), &mdiMain::Unloaded, &app,
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    return app.exec();
}
