// corvane tree: the loaded objects, depth first in child order, indented two blanks a level.
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProject.h"
#include "model/clsControl.h"

namespace {
void ListItem(const clsControl &item, int depth, QString &out)
{
    out += QString(depth * 2, QLatin1Char(' ')) + item.FullID() + QLatin1Char(' ')
        + QString::number(item.ObjType()) + QLatin1Char('\n');
    for (const auto &child : item.Children())
        ListItem(*child.Value, depth + 1, out);
}
} // namespace

int RunTree(const QStringList &arguments)
{
    const CliOptions options = CliOptions::Parse(arguments, CliOptions::LoadingSyntax());
    if (!options.Ok())
        return CliUsage("tree", options.Error());
    CliProject project;
    QString error;
    if (!project.Configure(options, error))
        return CliUsage("tree", error);
    const int status = project.Load(options.Positional().at(0));
    // Whatever was loaded is listed, also when the load stopped early.
    QString out;
    for (const auto &app : project.Items().Root()->Children())
        ListItem(*app.Value, 0, out);
    CliOut(out.toUtf8());
    return status;
}
