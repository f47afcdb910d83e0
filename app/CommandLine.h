#pragma once

#include <QString>
#include <QStringList>

class ProcessState;
class iDocumentOpener;

// Splits a command line at blanks. A double quote opens a run that ends at the next
// argument whose last character is a double quote, so a quoted name may hold blanks. An
// unclosed run takes the rest of the line. Quotes are kept.
QStringList SplitCommandLine(const QString &commandLine);

// Builds one command-line text from the program's arguments (argv without the program),
// quoting values with blanks so SplitCommandLine gives them back: a switch as /F="a b",
// anything else as "a b".
QString JoinArguments(const QStringList &arguments);

// Removes a pair of double quotes around a value of at least two characters.
QString StripQuotes(const QString &value);

// Applies the switches /T= /H= /A= /F= /I= /X= (first three characters compared without
// regard to case) to the host parameters; /I= and a bare document name open that document
// at once and add it to the recent list when the open succeeds. Afterwards the host's
// service object for the property sheet is looked up. Errors are reported through the
// opener and never end the parse.
void ParseCmdLine(const QString &commandLine, ProcessState &state, iDocumentOpener &opener);
