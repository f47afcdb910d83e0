#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Exit statuses of every subcommand.
namespace CliExit {
inline constexpr int Ok = 0;      // no report of severity 2 or more
inline constexpr int Problem = 1; // such a report, or the command failed
inline constexpr int Usage = 2;   // a usage error or an unreadable file
} // namespace CliExit

// One subcommand of the tool. Each lives in its own file (Cmd<Name>.cpp) and is listed once
// in CliCommand.cpp.
struct CliCommand
{
    const char *Name;
    const char *Synopsis; // arguments as --help shows them
    const char *Summary;
    int (*Run)(const QStringList &arguments);
};

const std::vector<CliCommand> &CliCommands();

// Writes a line to stderr (UTF-8).
void CliError(const QString &text);
// Writes bytes to stdout.
void CliOut(const QByteArray &bytes);
// A usage error of a subcommand: message and synopsis on stderr; returns CliExit::Usage.
int CliUsage(const char *command, const QString &message);

int RunCheck(const QStringList &arguments);
int RunTree(const QStringList &arguments);
int RunExport(const QStringList &arguments);
int RunGenerate(const QStringList &arguments);
int RunAnalyze(const QStringList &arguments);
int RunUpdate(const QStringList &arguments);
int RunRender(const QStringList &arguments);
