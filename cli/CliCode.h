#pragma once

#include "code/CodeCommands.h"
#include "code/CodeProgramText.h"

#include <QString>

class CliOptions;
class CliProject;

// What the code subcommands (generate, analyze, update) share: the --templates, --style and
// --casing options, and the loaded project's text and location as the generator sees them.
struct CliCode
{
    // The options that go with a code subcommand, besides those of every loading command.
    static QStringList ValueOptions();

    // Reads --casing. False with a message when it is not a number.
    static bool ReadCasing(const CliOptions &options, std::optional<int> &casing, QString &error);

    // The template folder, style, casing and project location for a loaded project.
    static CodeCommands::Options Options(const CliOptions &options, CliProject &project,
                                         std::optional<int> casing);
    // The loaded project's text in the in-memory form, record 1 field 4 included.
    static QString ProjectText(CliProject &project);

    // Reads a program: a local file or a document of the host layer, its bytes as stored and
    // its text with CR LF line ends. False with a message when it cannot be read.
    struct Program
    {
        QString Text;
        QByteArray Bytes;
        CodeProgramText::FileForm Form;
    };
    static bool ReadProgram(CliProject &project, const QString &name, Program &program,
                            QString &error);

    // What analyze and update start from: the project (first argument) loaded, the program
    // (second argument) read. When Ready is false the command ends with Status; otherwise
    // Status is the loading status so far.
    struct ProgramInput
    {
        bool Ready = false;
        int Status = 0;
        std::optional<int> Casing;
        Program Code;
    };
    static ProgramInput LoadProjectAndProgram(const char *command, const CliOptions &options,
                                              CliProject &project);
};
