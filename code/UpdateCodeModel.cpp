#include "code/UpdateCodeModel.h"

#include "app/iPrompter.h"
#include "code/CodeUpdate.h"
#include "code/EventSignature.h"
#include "code/iCodeEditor.h"
#include "support/GuiError.h"

#include <exception>

UpdateCodeModel::UpdateCodeModel(CodeAnalysis *analysis, DocumentSource document,
                                 iPrompter &prompter, DecoderWritten decoderWritten)
    : m_analysis(analysis), m_document(std::move(document)), m_prompter(prompter),
      m_decoderWritten(std::move(decoderWritten))
{
}

QString UpdateCodeModel::Caption() { return QStringLiteral("Update Code"); }
QString UpdateCodeModel::MissingHeading() { return QStringLiteral("The following event handlers are missing:"); }
QString UpdateCodeModel::MissingHint() { return QStringLiteral("Double-click an event to add to code"); }
QString UpdateCodeModel::AddButtonText() { return QStringLiteral("Add Missing Events"); }
QString UpdateCodeModel::AddCheckText() { return QStringLiteral("Update event decoder after adding missing events"); }
// The heading's spelling is what users of earlier versions know; keep it.
QString UpdateCodeModel::UnusedHeading() { return QStringLiteral("The following event handlers are no longer requred:"); }
QString UpdateCodeModel::UnusedHint() { return QStringLiteral("Select an event then press Delete to remove it from code"); }
QString UpdateCodeModel::RemoveButtonText() { return QStringLiteral("Remove Unused Events"); }
QString UpdateCodeModel::RemoveCheckText() { return QStringLiteral("Update event decoder after deleting unused event"); }

void UpdateCodeModel::Refresh()
{
    CodeAnalysisResult result;
    iCodeDocument *document = m_document ? m_document() : nullptr;
    if (m_analysis && document) {
        try {
            result = m_analysis->Analyze(document->Text());
        } catch (const std::exception &) {
            result.Analyzed = false;
        }
    }
    if (!result.Analyzed) {
        Structure = {QStringLiteral("Unable to analyze code."), false};
        Startup = {QString(), false};
        Decoder = {QString(), false};
        Missing.clear();
        Unused.clear();
        return;
    }
    Structure = CodeAnalysis::StructureLine(result);
    Startup = CodeAnalysis::StartupLine(result);
    Decoder = CodeAnalysis::DecoderLine(result);
    Missing = result.MissingHandlers;
    Unused = result.UnusedHandlers;
}

void UpdateCodeModel::Fail(const QString &text, bool close)
{
    m_mustClose = m_mustClose || close;
    m_prompter.ShowMessage(text, MessageIcon::Exclamation);
}

bool UpdateCodeModel::Run(const std::function<QString(const QString &)> &change,
                          bool rebuildDecoder)
{
    if (!m_analysis) {
        Fail(CodeUpdate::NoDesignObjectText(), true);
        return false;
    }
    iCodeDocument *document = m_document ? m_document() : nullptr;
    if (!document) {
        Fail(CodeUpdate::CodeUnavailableText(), true);
        return false;
    }
    try {
        CodeUpdate update(*m_analysis);
        QString text = change(document->Text());
        if (rebuildDecoder)
            text = update.RebuildDecoder(text);
        document->SetText(text);
        if (rebuildDecoder && m_decoderWritten)
            m_decoderWritten(EventSignature::Of(m_analysis->Project()));
    } catch (const GuiError &e) {
        Fail(CodeUpdate::ProcessingErrorText(e.Description()), false);
        Refresh();
        return false;
    } catch (const std::exception &e) {
        Fail(CodeUpdate::ProcessingErrorText(QString::fromLocal8Bit(e.what())), false);
        Refresh();
        return false;
    }
    Refresh();
    return true;
}

bool UpdateCodeModel::RepairStructure()
{
    return Run([this](const QString &t) { return CodeUpdate(*m_analysis).RepairStructure(t); }, false);
}

bool UpdateCodeModel::UpdateStartup()
{
    return Run([this](const QString &t) { return CodeUpdate(*m_analysis).UpdateStartup(t); }, false);
}

bool UpdateCodeModel::RebuildDecoder()
{
    return Run([](const QString &t) { return t; }, true);
}

bool UpdateCodeModel::AddMissing(const QString &label)
{
    const QStringList labels = label.isEmpty() ? Missing : QStringList{label};
    if (labels.isEmpty())
        return true;
    return Run([this, labels](const QString &t) {
        return CodeUpdate(*m_analysis).AddMissingHandlers(t, labels);
    }, AddRebuildsDecoder);
}

bool UpdateCodeModel::RemoveUnused(const QString &label)
{
    const QStringList labels = label.isEmpty() ? Unused : QStringList{label};
    if (labels.isEmpty())
        return true;
    return Run([this, labels](const QString &t) {
        return CodeUpdate(*m_analysis).RemoveUnusedHandlers(t, labels);
    }, RemoveRebuildsDecoder);
}
