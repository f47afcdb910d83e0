// The designer's entry point: process state, main window, command line.
#include "app/CommandLine.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/iDocumentOpener.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/mdiMain.h"
#include "support/GuiError.h"

#include <QApplication>
#include <cstdio>

namespace {
// Until document storage is in place, documents named on the command line are announced
// and not opened.
class PendingOpener : public iDocumentOpener
{
public:
    QString BuildDocumentName(const QString &hostType, const QString &hostName,
                              const QString &accountName, const QString &hostFileName,
                              const QString &itemId) override
    {
        return QStringList({hostType, hostName, accountName, hostFileName, itemId}).join(QLatin1Char(','));
    }
    OpenResult OpenDocument(const QString &documentName) override
    {
        std::fprintf(stderr, "%s: opening documents is not available yet\n", qPrintable(documentName));
        return {};
    }
    void AddToRecentList(const QString &) override {}
    bool QueryHostService(const QString &, int) override { return false; }
    void ReportError(const GuiError &error, const QString &label) override
    {
        std::fprintf(stderr, "%s %d: %s\n", qPrintable(label), error.Number(),
                     qPrintable(error.Description()));
    }
};
} // namespace

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

    PendingOpener opener;
    ParseCmdLine(JoinArguments(app.arguments().mid(1)), state, opener);
    window.SetStatusText(QString());
    return app.exec();
}
