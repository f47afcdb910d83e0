#include "app/CommandLine.h"

#include "app/ProcessState.h"
#include "app/iDocumentOpener.h"
#include "support/GuiError.h"

#include <exception>

namespace {
const QLatin1Char Quote('"');
const QLatin1Char Blank(' ');

// Runs one step of the parse; an error is reported and the parse goes on with the next.
template <typename Step>
void Guarded(iDocumentOpener &opener, Step step)
{
    static const QString label = QStringLiteral("<CvGuiSvrMod ParseCmdLine>");
    try {
        step();
    } catch (const GuiError &error) {
        opener.ReportError(error, label);
    } catch (const std::exception &error) {
        opener.ReportError(GuiError(GuiErrors::InvalidCall, QString::fromLocal8Bit(error.what()), label),
                           label);
    }
}

void OpenFromCommandLine(const QString &documentName, iDocumentOpener &opener)
{
    const iDocumentOpener::OpenResult result = opener.OpenDocument(documentName);
    if (result.success && !result.partial)
        opener.AddToRecentList(result.displayName);
}
} // namespace

QStringList SplitCommandLine(const QString &commandLine)
{
    QStringList arguments;
    QString run;
    bool inRun = false;
    for (const QString &piece : commandLine.trimmed().split(Blank)) {
        if (inRun) {
            // Blanks inside quotes are kept as they were, doubled ones included.
            run += Blank + piece;
            if (piece.endsWith(Quote)) {
                arguments.append(run);
                inRun = false;
            }
            continue;
        }
        if (piece.isEmpty())
            continue;
        if (piece.count(Quote) % 2 == 1) {
            run = piece;
            inRun = true;
            continue;
        }
        arguments.append(piece);
    }
    if (inRun)
        arguments.append(run); // an unclosed quote takes the rest of the line
    return arguments;
}

QString JoinArguments(const QStringList &arguments)
{
    QStringList parts;
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        if (!argument.contains(Blank))
            parts.append(argument);
        else if (argument.startsWith(QLatin1Char('/')) && argument.size() >= 3
                 && argument[2] == QLatin1Char('='))
            parts.append(argument.left(3) + Quote + argument.mid(3) + Quote);
        else
            parts.append(Quote + argument + Quote);
    }
    return parts.join(Blank);
}

QString StripQuotes(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(Quote) && value.endsWith(Quote))
        return value.mid(1, value.size() - 2);
    return value;
}

namespace {
bool IsKnownSwitch(const QString &prefix)
{
    static const QStringList switches = {"/T=", "/H=", "/A=", "/F=", "/I=", "/X="};
    return switches.contains(prefix.toUpper());
}
} // namespace

void ParseCmdLine(const QString &commandLine, ProcessState &state, iDocumentOpener &opener)
{
    for (const QString &argument : SplitCommandLine(commandLine)) {
        // Switches begin with "/"; so does an absolute path of this system. A "/" argument
        // that is no switch of ours and goes on into folders is a document name.
        const bool isPath = argument.startsWith(QLatin1Char('/'))
            && !IsKnownSwitch(argument.left(3)) && argument.indexOf(QLatin1Char('/'), 1) > 0;
        if (!argument.startsWith(QLatin1Char('/')) || isPath) {
            Guarded(opener, [&] { OpenFromCommandLine(StripQuotes(argument), opener); });
            continue;
        }
        const QString sw = argument.left(3).toUpper();
        const QString value = argument.mid(3);
        // Host parameters given in quotes lose them, as a file name does; the extension
        // argument goes to the site's own component exactly as written.
        if (sw == QLatin1String("/T="))
            state.HostType = StripQuotes(value);
        else if (sw == QLatin1String("/H="))
            state.HostName = StripQuotes(value);
        else if (sw == QLatin1String("/A="))
            state.AccountName = StripQuotes(value);
        else if (sw == QLatin1String("/F="))
            state.HostFileName = StripQuotes(value);
        else if (sw == QLatin1String("/X="))
            state.ExtensionArgument = value;
        else if (sw == QLatin1String("/I=")) {
            state.ItemID = StripQuotes(value);
            Guarded(opener, [&] {
                OpenFromCommandLine(opener.BuildDocumentName(state.HostType, state.HostName,
                                                             state.AccountName, state.HostFileName,
                                                             state.ItemID),
                                    opener);
            });
        }
    }

    Guarded(opener, [&] {
        const QString hostDocument =
            opener.BuildDocumentName(state.HostType, state.HostName, QString(), QString(), QString());
        opener.QueryHostService(hostDocument, ProcessState::HostServiceFeature);
    });
}
