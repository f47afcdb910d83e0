// corvane check: loads the project; the reports on stderr are the result.
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"

int RunCheck(const QStringList &arguments)
{
    const CliOptions options = CliOptions::Parse(arguments, CliOptions::LoadingSyntax());
    if (!options.Ok())
        return CliUsage("check", options.Error());
    CliProject project;
    QString error;
    if (!project.Configure(options, error))
        return CliUsage("check", error);
    return project.Load(options.Positional().at(0));
}
