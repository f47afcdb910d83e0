#pragma once

#include "support/TextEncoding.h"

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

    // How a program file is written: its encoding, byte-order mark and line ends. Programs
    // exported from a host separate their lines by the attribute mark (the byte 0xFE in a file
    // that is not UTF-8, U+F8FE otherwise): those are line ends too. A program read with
    // Read and changed is written back by Write in the same form.
    struct FileForm
    {
        enum class LineEnd { CrLf, Lf, Cr, Mark };
        TextEncoding::Encoding Encoding = TextEncoding::Encoding::Utf8;
        bool Bom = false;
        LineEnd End = LineEnd::CrLf; // the most frequent kind; CR LF when there is none
        // Marks and line breaks both end lines: writing back would turn one into the other.
        bool MarksAmongBreaks = false;
    };
    // The program text of a file's bytes, every line end (attribute marks included) made
    // CR LF, and the form to write it back in.
    static QString Read(const QByteArray &bytes, FileForm &form);
    // The bytes of a CR LF program text in a file form.
    static QByteArray Write(const QString &text, const FileForm &form);

    // A line as line matching sees it: blanks and tabs at either end dropped, runs of them
    // shrunk to one blank, upper case.
    static QString LineKey(const QString &line);

    // Whether two pieces of code say the same, compared for meaning rather than layout: line
    // by line as LineKey sees them, empty lines not counting.
    static bool SameCode(const QStringList &a, const QStringList &b);
};
