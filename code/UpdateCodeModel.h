#pragma once

#include "code/CodeAnalysis.h"

#include <QString>
#include <QStringList>
#include <functional>

class iCodeDocument;
class iPrompter;

// The update dialog without its widgets: the analysis of the program in the editor shown as
// three tabs (code sections, missing events, unused events) and the updates behind their
// buttons. Every update reads the whole text from the code document, changes it and writes
// it back, then analyses again.
class UpdateCodeModel
{
public:
    // The project's code document now; nullptr once the editor has closed it.
    using DocumentSource = std::function<iCodeDocument *()>;
    // Called with the project's event signature whenever the decoder was written.
    using DecoderWritten = std::function<void(const QString &signature)>;

    // analysis is set up for the project (text, location, style, casing) by the caller.
    UpdateCodeModel(CodeAnalysis *analysis, DocumentSource document, iPrompter &prompter,
                    DecoderWritten decoderWritten = {});

    static QString Caption();

    // Runs the analysis on the document's text.
    void Refresh();

    CodeReportLine Structure;
    CodeReportLine Startup;
    CodeReportLine Decoder;
    QStringList Missing;
    QStringList Unused;
    bool AddRebuildsDecoder = false;
    bool RemoveRebuildsDecoder = false;

    // The buttons. Each returns false after a failure was reported; MustClose() then tells
    // whether the dialog has to close (code gone, or no project).
    bool RepairStructure();
    bool UpdateStartup();
    bool RebuildDecoder();
    // One label ("" for every entry, in list order).
    bool AddMissing(const QString &label = {});
    bool RemoveUnused(const QString &label = {});
    bool MustClose() const { return m_mustClose; }

    // The tab texts.
    static QString MissingHeading();
    static QString MissingHint();
    static QString AddButtonText();
    static QString AddCheckText();
    static QString UnusedHeading();
    static QString UnusedHint();
    static QString RemoveButtonText();
    static QString RemoveCheckText();

private:
    bool Run(const std::function<QString(const QString &)> &change, bool rebuildDecoder);
    void Fail(const QString &text, bool close);

    CodeAnalysis *m_analysis;
    DocumentSource m_document;
    iPrompter &m_prompter;
    DecoderWritten m_decoderWritten;
    bool m_mustClose = false;
};
