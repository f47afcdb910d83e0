#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The analyze and update commands without their command line: the caller reads the project
// and program texts and writes what comes back.
class CodeCommands
{
public:
    struct Options
    {
        QString TemplateFolder;        // the folder of the code templates
        std::optional<QString> Style;  // code style; the project's when not given
        std::optional<int> Casing;     // 1 upper, 2 lower, 3 mixed; the project's when not given
        QString ProjectFile;           // %%PROJFILE%%, as the program was generated with
        QString ProjectId;             // %%PROJID%%
    };

    struct Output
    {
        int ExitCode = 1;   // 0 when the command ran, 1 when it failed
        QStringList Lines;  // analyze: the lines to print
        QString Text;       // update: the program text to write (CR LF line ends)
        QString Error;      // why it failed
        QStringList Warnings; // what went wrong without stopping the command
    };

    // Prints the analysis: see CodeAnalysis::AnalyzeOutput. A project text that cannot be
    // read or a template that cannot be had fails (exit 1) with "Unable to analyze code.".
    static Output Analyze(const QString &projectText, const QString &programText,
                          const Options &options);
    // Applies the CodeUpdate operations given (flags of CodeUpdate::Operation) in their fixed
    // order; failures come back with the update's message.
    static Output Update(const QString &projectText, const QString &programText,
                         const Options &options, unsigned operations);
};
