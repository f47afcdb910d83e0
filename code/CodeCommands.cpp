#include "code/CodeCommands.h"

#include "code/CodeAnalysis.h"
#include "code/CodeUpdate.h"
#include "code/TemplateFiles.h"
#include "support/GuiError.h"

#include <new>

namespace {
// Sets up the analysis for the options; false with the error text when the project text
// cannot be read.
bool Prepare(CodeAnalysis &analysis, const QString &projectText,
             const CodeCommands::Options &options, QString &error)
{
    try {
        analysis.SetProjectText(projectText);
    } catch (const GuiError &e) {
        error = e.Description();
        return false;
    }
    analysis.SetProjectLocation(options.ProjectFile, options.ProjectId);
    if (options.Style)
        analysis.SetCodeStyle(*options.Style);
    if (options.Casing)
        analysis.SetCasing(*options.Casing);
    return true;
}
// Analysis and update report an unexpected exception by its what(); running out of memory is
// told in words.
QString Readable(QString error)
{
    static const QString badAlloc = QString::fromLatin1(std::bad_alloc().what());
    return error.replace(badAlloc, QStringLiteral("out of memory"));
}
} // namespace

CodeCommands::Output CodeCommands::Analyze(const QString &projectText, const QString &programText,
                                           const Options &options)
{
    Output out;
    TemplateFiles templates(options.TemplateFolder);
    CodeAnalysis analysis(templates);
    CodeAnalysisResult result;
    if (!Prepare(analysis, projectText, options, result.Error))
        result.Analyzed = false;
    else
        result = analysis.Analyze(programText);
    out.Lines = CodeAnalysis::AnalyzeOutput(result);
    out.Error = Readable(result.Error);
    out.ExitCode = result.Analyzed ? 0 : 1;
    out.Warnings = templates.Warnings();
    return out;
}

CodeCommands::Output CodeCommands::Update(const QString &projectText, const QString &programText,
                                          const Options &options, unsigned operations)
{
    Output out;
    TemplateFiles templates(options.TemplateFolder);
    CodeAnalysis analysis(templates);
    QString error;
    if (!Prepare(analysis, projectText, options, error)) {
        out.Error = CodeUpdate::ProcessingErrorText(error);
        return out;
    }
    CodeUpdate update(analysis);
    const CodeUpdate::Result result = update.Apply(programText, operations);
    out.Text = result.Text;
    out.Error = Readable(result.Message);
    out.ExitCode = result.Ok ? 0 : 1;
    out.Warnings = templates.Warnings();
    return out;
}
