// The designer's entry point: the application object, then the designer window, which runs
// the start-up sequence and the command line; the event loop runs until the window unloads.
#include "main/DesignerUsage.h"
#include "main/DesignerWindow.h"
#include "main/ProgramIcon.h"
#include "main/TestProbe.h"
#include "app/ProcessState.h"
#include "app/RecoveryStore.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // --help and --version are answered before any window, so they need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const QByteArray info = DesignerUsage::InfoText(arguments); !info.isEmpty()) {
        const bool written = std::fwrite(info.constData(), 1, size_t(info.size()), stdout)
                                 == size_t(info.size())
                             && std::fflush(stdout) == 0;
        if (!written)
            std::fputs("corvane-designer: cannot write standard output\n", stderr);
        return written ? 0 : 1;
    }

    QApplication app(argc, argv);
    // The desktop entry's name ties the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-designer"));
    // Everything the designer keeps, the item registry with its design forms first of all,
    // lives inside the QApplication's lifetime.
    DesignerWindow::Options options;
    options.RecoveryFolder = RecoveryStore::DefaultFolder();
    DesignerWindow designer(std::move(options));
    const auto probe = TestProbe::InstallFromEnvironment(designer.Root());
    designer.Start(app.arguments().mid(1));
    // The main window only: a design form without an icon of its own keeps showing none.
    designer.Window().setWindowIcon(ProgramIcon(QCoreApplication::applicationDirPath()));
    // The program ends when the main window unloads, whatever other windows are still open:
    // exit, not quit, which first asks the other windows to close and gives up when one of
    // them does not (a preview left open kept the program running without a main window).
    QObject::connect(&designer.Window(), &mdiMain::Unloaded, &app,
                     [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    return app.exec();
}
