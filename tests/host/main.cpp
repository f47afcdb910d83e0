// Test runner of the host layer. Besides running the tests it serves as the second designer
// process the lock and save tests need:
//   tests_host --child-lock <store root> <document name>
//       takes the record lock, prints "LOCKED" and holds it until stdin closes or it is killed;
//   tests_host --child-save <store root> <document name> <text>
//       writes the text and stops dead after the temporary file is complete, before the rename:
//       prints "RENAMING" and waits to be killed.
#include "host/ItemFile.h"
#include "host/mvConnection.h"
#include "support/GuiError.h"

#include <QCoreApplication>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
int RunChild(const QStringList &args)
{
    const QString mode = args.value(1);
    mvConnection connection;
    connection.Store().SetRoot(args.value(2));
    const std::unique_ptr<mvDocument> document = connection.Open(args.value(3));
    if (!document)
        return 2;
    try {
        if (mode == QLatin1String("--child-lock")) {
            document->Lock();
            std::fputs("LOCKED\n", stdout);
            std::fflush(stdout);
            char buffer[64];
            while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
            }
            return 0;
        }
        ItemFile::SetBeforeRenameHook([](const QString &, const QString &) {
            std::fputs("RENAMING\n", stdout);
            std::fflush(stdout);
            for (;;)
                ::pause();
        });
        document->Write(args.value(4));
        return 0;
    } catch (const GuiError &error) {
        std::fprintf(stdout, "ERROR %d\n", error.Number());
        return 1;
    }
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1 && args.at(1).startsWith(QLatin1String("--child-")))
        return RunChild(args);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
