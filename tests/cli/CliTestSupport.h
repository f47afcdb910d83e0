#pragma once

// Runs the built corvane tool as a user would and reads what it printed.
#include "support/Marks.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace cli_test {
inline const QString Sample = QStringLiteral(CORVANE_SOURCE_DIR "/examples/orders.gui");
inline const QChar VM(Marks::Value);

struct Outcome
{
    int Status = -1;
    QByteArray Out;
    QString Err;
};

// `program` replaces the tool, for a run through a shell that limits it first.
inline Outcome Corvane(const QStringList &arguments, const QProcessEnvironment &extra = {},
                       const QString &program = QStringLiteral(CORVANE_EXE))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOURCE_DATE_EPOCH", "1700000000");
    for (const QString &key : extra.keys())
        env.insert(key, extra.value(key));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(60000);
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
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    return path;
}

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace cli_test
