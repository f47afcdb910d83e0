#pragma once

#include "code/CodeAnalysis.h"

#include <QString>
#include <QStringList>

// Updates a program after its analysis: repairs missing structural sections, builds or
// replaces the startup section, adds missing and removes unused event handlers, rebuilds the
// event decoder. Each operation reads the whole text and returns the whole new text (CR LF
// line ends); hand-written text outside the spans it inserts, replaces or removes comes back
// unchanged. Every piece inserted is followed by the separator banner, as in a new program.
//
// The single operations raise GuiError when a template section cannot be had; Apply reports
// failures in its result instead.
class CodeUpdate
{
public:
    enum Operation : unsigned {
        Repair = 1,
        Startup = 2,
        AddMissing = 4,
        RemoveUnused = 8,
        Decoder = 16,
    };

    struct Result
    {
        bool Ok = false;
        QString Text;    // the new program text (CR LF)
        QString Message; // the failure message when not Ok
        bool DecoderWritten = false;
        QString EventSignature; // the project's event signature when the decoder was written
    };

    explicit CodeUpdate(CodeAnalysis &analysis);

    // Applies the chosen operations in the order repair, startup, add missing, remove
    // unused, decoder, each on the text the one before left. No operation gives the text
    // back unchanged (line ends made CR LF).
    Result Apply(const QString &programText, unsigned operations);

    // Inserts every missing structural section (error handler, trailer, event loop, header,
    // dynamic and custom event handler, in that order) before its first present successor.
    QString RepairStructure(const QString &programText);
    // Replaces the startup section with the one built for the project's first form, or
    // inserts it before the event loop, the error handler or at the end. Leaves the text
    // alone when the project has no form or the section is out of sequence.
    QString UpdateStartup(const QString &programText);
    // Adds the handlers of the labels given (every missing one when the list is empty), each
    // before the first handler whose label sorts after it, else before the dynamic, custom or
    // error handler section, else at the end. Labels that are not missing are skipped.
    QString AddMissingHandlers(const QString &programText, const QStringList &labels = {});
    // Removes the unused handlers of the labels given (every unused one when the list is
    // empty) with the banner that follows each. Labels of handlers still in use are skipped.
    QString RemoveUnusedHandlers(const QString &programText, const QStringList &labels = {});
    // Replaces the decoder with the one the project needs, or inserts it before the first
    // event handler, the error handler or at the end.
    QString RebuildDecoder(const QString &programText);

    // The failure messages of the update.
    static QString ProcessingErrorText(const QString &description);
    static QString CodeUnavailableText();
    static QString NoDesignObjectText();

private:
    CodeAnalysis &m_analysis;
};
