#pragma once

#include "code/CodeSectionMap.h"
#include "code/EventList.h"
#include "code/TemplateVariables.h"
#include "code/modCodeGen.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class TemplateFiles;

// What the analysis found in a program.
struct CodeAnalysisResult
{
    enum Status { Present = 0, Missing = 1, OutOfSequence = 2, NeedsUpdate = 3 };
    // The analysed pieces, in the order they are reported.
    enum Piece {
        Header,
        Startup,
        EventLoop,
        Trailer,
        Decoder,
        DynamicHandler,
        CustomHandler,
        ErrorHandler,
        PieceCount
    };

    // False when the analysis could not run (Error says why); PieceStatus is then
    // meaningless.
    bool Analyzed = false;
    QString Error;
    std::array<int, PieceCount> PieceStatus{};
    // Labels of the handlers the project's events need and the program lacks, in event-list
    // order, and of the handlers no enabled event calls any more, in text order.
    QStringList MissingHandlers;
    QStringList UnusedHandlers;
    // What the startup report line depends on.
    bool MdiApplication = false;
    bool HasForms = false;

    QString MissingText() const; // labels joined by CR LF
    QString UnusedText() const;
};

// One line of the update dialog's code-sections tab and whether its Update button is offered.
struct CodeReportLine
{
    QString Text;
    bool CanUpdate = false;
};

// The analysis of an existing program against its project: which pieces of GUI support code
// it holds, in which order, whether its event decoder matches the project's events, and which
// event handlers are missing or no longer used.
//
// The project, its location, code style and casing are set as for generation (the style and
// casing of the project text serve until set otherwise). Analysis never shows anything and
// never raises: a failure comes back in the result.
class CodeAnalysis
{
public:
    // Everything the analysis learned about one program text; the update works from it.
    struct State
    {
        QStringList Lines; // the program's lines (CR LF line ends taken off)
        std::optional<CodeSectionMap> Map;
        std::vector<EventRow> Rows;
        QStringList RowLabels;
        std::vector<int> RowSections; // 7, 8 or 9
        std::vector<int> RowHandlers; // index into Map->Handlers(), -1 when missing
        QString Decoder;              // the decoder the project needs now
        CodeAnalysisResult Result;
    };

    // The largest program analysed or updated. Analysis holds every line apart with its
    // search key, 80 to 120 bytes a line (7 to 10 bytes per byte of long lines), so these
    // bound it to about 600 MB. Real programs stay far below.
    static constexpr qsizetype MaxProgramChars = qsizetype(64) << 20;
    static constexpr qsizetype MaxProgramLines = 2'000'000;

    explicit CodeAnalysis(TemplateFiles &templates);

    // The project text (records by attribute mark). Raises GuiError 5005 or 5016 for a text
    // that is not a project.
    void SetProjectText(const QString &projectText);
    // %%PROJFILE%% and %%PROJID%%: give the same values the program was generated with.
    void SetProjectLocation(const QString &fileName, const QString &itemId);
    void SetCodeStyle(const QString &style);
    void SetCasing(int casing);

    modCodeGen &Generator() { return m_gen; }
    TemplateFiles &Templates() { return m_templates; }
    const EventList &Project() const { return m_gen.Project(); }

    // Analyses a program text (CR LF, LF or mixed line ends).
    CodeAnalysisResult Analyze(const QString &programText);
    // The same, keeping the map of the program; raises GuiError when a template section
    // cannot be had or the program is larger than the limits above.
    State Inspect(const QString &programText);

    // The project-wide placeholder values (application, first form, texts, location).
    TemplateVariables ProjectVariables() const;
    // Section n of the template for the project's style and casing.
    QString Section(int n);
    // The handler section generation writes for an event: 8 for a form's Close, 9 for the
    // application's Close, 7 for everything else.
    static int HandlerSectionOf(const EventRow &row);

    // The three report lines of the update dialog.
    static CodeReportLine StructureLine(const CodeAnalysisResult &result);
    static CodeReportLine StartupLine(const CodeAnalysisResult &result);
    static CodeReportLine DecoderLine(const CodeAnalysisResult &result);
    // "a", "a and b", "a, b and c".
    static QString JoinNames(const QStringList &names);

    // The lines the analyze command prints: one "name: status" line per piece, then
    // "missing: " and "unused: " per label, then "report: " and each report line. A failed
    // analysis prints only "report: Unable to analyze code.".
    static QStringList AnalyzeOutput(const CodeAnalysisResult &result);
    static QString PieceName(int piece);   // "header", "startup", ...
    static QString StatusName(int status); // "present", "missing", ...

private:
    QStringList FilledLines(const QString &section, const TemplateVariables &vars) const;

    TemplateFiles &m_templates;
    modCodeGen m_gen;
    QString m_projectFile;
    QString m_projectId;
};
