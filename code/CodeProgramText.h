#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of a host program as the code commands handle it: lines ended by CR LF.
//
// Program files come with CR LF or LF line ends (and now and then a stray CR); everything is
// read into CR LF so that positions, searches and the text written back agree. A file that
// is not valid UTF-8 is read as Latin-1 and written back the same way, so hand-written
// characters keep their bytes.
class CodeProgramText
{
public:
    // CR LF, a lone LF and a lone CR all become CR LF; nothing else changes.
    static QString NormalizeLineEnds(const QString &text);

    // The lines of a CR LF text. Joining them with CR LF gives the text back exactly (a text
    // that ends in CR LF has an empty last line).
    static QStringList Lines(const QString &text);
    static QString Join(const QStringList &lines);

    // The program text of a file's bytes, line ends made CR LF. latin1 (optional) tells
    // whether the bytes were not UTF-8 and were read as Latin-1.
    static QString FromBytes(const QByteArray &bytes, bool *latin1 = nullptr);
    // The bytes to write for a program text: Latin-1 when the file was read that way and
    // every character fits, UTF-8 otherwise.
    static QByteArray ToBytes(const QString &text, bool latin1 = false);

    // A line as line matching sees it: blanks and tabs at either end dropped, runs of them
    // shrunk to one blank, upper case.
    static QString LineKey(const QString &line);

    // Code compared for meaning rather than layout: tabs become blanks, each line is trimmed
    // and its runs of blanks shrink to one, empty lines are dropped, letters are upper-cased.
    static QString Normalized(const QString &code);
};
