// The document chooser over a host file of many items: opening the dialog (every list read
// from the store, shown and painted) against the bare cost of reading the item names and
// showing them in a plain list, and the time of one typed character that moves the list.
#include "designer/frmDocumentChooser.h"
#include "host/DocumentName.h"
#include "host/mvConnection.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QKeyEvent>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    mvConnection connection;
    connection.Store().SetRoot(dir.filePath("hosts"));
    connection.Store().CreateFile("PROD", "SALES", "GUI");
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        QFile f(connection.Store().ItemPath({"mvdb", "PROD", "SALES", "GUI", QStringLiteral("ITEM%1").arg(i, 5, 10, QLatin1Char('0'))}));
        f.open(QIODevice::WriteOnly);
    }
    const QString start = DocumentName::Build("mvdb", "PROD", "SALES", "GUI", "");

    double best = 1e9, bare = 1e9, typing = 1e9;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        {
            QListWidget list;
            list.addItems(connection.Store().ItemIDs("PROD", "SALES", "GUI"));
            list.resize(500, 400);
            list.show();
            list.grab();
        }
        bare = std::min(bare, Ms(t));

        t.restart();
        frmDocumentChooser dialog(connection, "Open", start);
        dialog.show();
        dialog.grab();
        best = std::min(best, Ms(t));

        t.restart();
        for (const QChar c : QStringLiteral("ITEM1999")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(dialog.ItemBox(), &press);
        }
        typing = std::min(typing, Ms(t) / 8);
    }
    std::printf("chooser over %d items: open %.1f ms, bare list %.1f ms, ratio %.2f; "
                "one typed character %.2f ms\n",
                count, best, bare, best / bare, typing);
    return 0;
}
