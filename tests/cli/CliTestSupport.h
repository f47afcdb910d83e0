#pragma once

// Runs the built corvane tool as a user would and reads what it printed.
#include "support/Marks.h"
#include "tests/FileBytes.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace cli_test {
inline const QString Sample = QStringLiteral(CORVANE_SOURCE_DIR "/examples/orders.gui");
inline const QChar VM(Marks::Value);

struct Outcome
{
    int Status = -1;
    QByteArray Out;
    QString Err;
};

// How a run differs from a plain one: more environment, a working folder, standard output
// sent to a file, an address-space limit in bytes, a time limit.
struct RunOptions
{
    QProcessEnvironment Env;
    QString WorkingDir;
    QString StdoutFile;
    rlim_t AddressSpace = 0;
    int TimeoutMs = 60000;
};

// A run killed by a signal gives status -2, one that did not end in time -3.
inline Outcome Corvane(const QStringList &arguments, const RunOptions &options = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", "1700000000");
    for (const QString &key : options.Env.keys())
        env.insert(key, options.Env.value(key));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(options.WorkingDir);
    if (!options.StdoutFile.isEmpty())
        process.setStandardOutputFile(options.StdoutFile);
    if (const rlim_t limit = options.AddressSpace)
        process.setChildProcessModifier([limit] {
            const rlimit r{limit, limit};
            ::setrlimit(RLIMIT_AS, &r);
        });
    process.start(QStringLiteral(CORVANE_EXE), arguments);
    if (!process.waitForFinished(options.TimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-3, {}, QStringLiteral("timed out")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

inline QString Rec(const QStringList &fields) { return fields.join(VM); }

// A stored project text: records by CR LF.
inline QString Project(const QStringList &body, const QString &version = "1.4")
{
    QStringList recs{Rec({"TEMPLATE", "1", "h"}), Rec({"0", version, "0"}),
                     Rec({"2", "APP", "", "1", "0", "0", "40", "20", "1073741824"})};
    recs += body;
    recs << Rec({"0", "-1"});
    return recs.join("\r\n");
}

inline QString WriteFile(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    const QString path = dir.filePath(name);
    PutFileBytes(path, text.toUtf8());
    return path;
}
} // namespace cli_test
