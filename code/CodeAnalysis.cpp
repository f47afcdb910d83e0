#include "code/CodeAnalysis.h"

#include "code/CodeProgramText.h"
#include "code/Placeholders.h"
#include "code/TemplateFiles.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QSet>

namespace {
using Marks::CrLf;

// The template section each analysed piece is made from, in the order of the pieces.
constexpr std::array<int, CodeAnalysisResult::PieceCount> PieceSections{
    TemplateSection::Header,  TemplateSection::Startup, TemplateSection::EventLoop,
    TemplateSection::Trailer, TemplateSection::Decoder, TemplateSection::Dynamic,
    TemplateSection::Custom,  TemplateSection::Error,
};

// The structural pieces in the order the structure line names them, with their names.
struct StructurePiece
{
    CodeAnalysisResult::Piece Piece;
    const char *Name;
};
constexpr std::array<StructurePiece, 6> StructurePieces{{
    {CodeAnalysisResult::Header, "header"},
    {CodeAnalysisResult::EventLoop, "event loop"},
    {CodeAnalysisResult::Trailer, "trailer"},
    {CodeAnalysisResult::ErrorHandler, "error handler"},
    {CodeAnalysisResult::DynamicHandler, "dynamic event handler"},
    {CodeAnalysisResult::CustomHandler, "custom event handler"},
}};
} // namespace

QString CodeAnalysisResult::MissingText() const { return MissingHandlers.join(CrLf); }
QString CodeAnalysisResult::UnusedText() const { return UnusedHandlers.join(CrLf); }

CodeAnalysis::CodeAnalysis(TemplateFiles &templates) : m_templates(templates), m_gen(templates) {}

void CodeAnalysis::SetProjectText(const QString &projectText)
{
    m_gen.SetProjectText(projectText);
}

void CodeAnalysis::SetProjectLocation(const QString &fileName, const QString &itemId)
{
    m_projectFile = fileName;
    m_projectId = itemId;
    m_gen.SetProjectLocation(fileName, itemId);
}

void CodeAnalysis::SetCodeStyle(const QString &style) { m_gen.SetCodeStyle(style); }
void CodeAnalysis::SetCasing(int casing) { m_gen.SetCasing(casing); }

TemplateVariables CodeAnalysis::ProjectVariables() const
{
    const EventList &p = m_gen.Project();
    TemplateVariables v;
    v.ProjFile = m_projectFile;
    v.ProjId = m_projectId;
    v.App = p.ApplicationId();
    v.Form = p.MainFormId();
    v.Author = p.Author();
    v.Copyright = p.Copyright();
    v.Desc = p.Description();
    return v;
}

QString CodeAnalysis::Section(int n)
{
    return m_templates.GetCodeSection(n, m_gen.CodeStyle(), m_gen.Casing());
}

int CodeAnalysis::HandlerSectionOf(const EventRow &row)
{
    if (row.Event.compare(QLatin1String("CLOSE"), Qt::CaseInsensitive) != 0)
        return 7;
    return row.Form.isEmpty() ? 9 : 8;
}

// The lines of a section as a program holds them: each template line filled in on its own,
// so a line that needs a value the project lacks drops out alone instead of the section.
QStringList CodeAnalysis::FilledLines(const QString &section, const TemplateVariables &vars) const
{
    QStringList out;
    for (const QString &line : section.split(CrLf)) {
        const QString filled = Placeholders::SubstituteVariables(line, vars);
        for (const QString &part : filled.split(CrLf)) {
            if (!part.trimmed().isEmpty())
                out << part;
        }
    }
    return out;
}

namespace {
// Refuses a program beyond the limits before any line of it is split off.
void RequireAnalysableSize(const QString &text)
{
    if (text.size() > CodeAnalysis::MaxProgramChars)
        throw GuiError(GuiErrors::InvalidArgument,
                       QStringLiteral("The program is larger than %1 MB; larger programs are not "
                                      "analysed.")
                           .arg(CodeAnalysis::MaxProgramChars >> 20));
    const QStringView view(text);
    qsizetype lines = 1;
    for (qsizetype i = view.indexOf(u'\n'); i >= 0; i = view.indexOf(u'\n', i + 1))
        ++lines;
    for (qsizetype i = view.indexOf(u'\r'); i >= 0; i = view.indexOf(u'\r', i + 1))
        lines += i + 1 < view.size() && view[i + 1] == u'\n' ? 0 : 1;
    if (lines > CodeAnalysis::MaxProgramLines)
        throw GuiError(GuiErrors::InvalidArgument,
                       QStringLiteral("The program has %1 lines; programs of more than %2 lines "
                                      "are not analysed.")
                           .arg(lines)
                           .arg(CodeAnalysis::MaxProgramLines));
}
} // namespace

CodeAnalysis::State CodeAnalysis::Inspect(const QString &programText)
{
    RequireAnalysableSize(programText);
    State state;
    state.Lines = CodeProgramText::Lines(CodeProgramText::NormalizeLineEnds(programText));

    m_gen.BuildEventList(modCodeGen::Purpose::Analysis, state.Rows);
    const EventList &project = m_gen.Project();
    // Labels as generation gives them, clashes numbered the same way.
    for (QString &label : m_gen.EventHandlerLabels(state.Rows))
        state.RowLabels << std::move(label);
    for (const EventRow &row : state.Rows)
        state.RowSections.push_back(HandlerSectionOf(row));
    state.Decoder = m_gen.BuildEventDecoder(state.Rows);

    const TemplateVariables vars = ProjectVariables();
    CodeSectionMap::Templates t;
    for (int n : {TemplateSection::Header, TemplateSection::Startup, TemplateSection::EventLoop,
                  TemplateSection::Trailer, TemplateSection::Error, TemplateSection::Dynamic,
                  TemplateSection::Custom}) {
        // A section that needs a value the project lacks is left out of a new program and
        // never put back by a repair: there is nothing to look for.
        const QString section = Section(n);
        t.Sections[n] = Placeholders::SubstituteVariables(section, vars).isEmpty()
                            ? QStringList()
                            : FilledLines(section, vars);
    }
    for (const QString &line : state.Decoder.split(CrLf)) {
        if (!line.trimmed().isEmpty())
            t.Sections[TemplateSection::Decoder] << line;
    }
    for (int k = 0; k < 3; ++k) {
        const QString section = Section(7 + k);
        t.HandlerSections[size_t(k)] = section;
        const qsizetype firstEnd = section.indexOf(CrLf);
        t.HandlerBodies[size_t(k)] =
            firstEnd < 0 ? QStringList() : FilledLines(section.mid(firstEnd + 2), vars);
    }

    // Handler labels start with an application's label part and its separator.
    QSet<QString> apps;
    apps.insert(project.ApplicationId().toUpper());
    for (const EventRow &row : state.Rows)
        apps.insert(row.App.toUpper());
    for (const QString &app : apps) {
        if (app.isEmpty())
            continue;
        QString sample = m_gen.EventHandlerLabel(app, {}, {}, QStringLiteral("X"));
        sample.chop(1);
        if (!sample.isEmpty())
            t.LabelPrefixes << sample.toUpper();
    }
    const QString sample = m_gen.EventHandlerLabel(QStringLiteral("A"), {}, {}, QStringLiteral("B"));
    if (sample.size() == 3 && sample[1] != QLatin1Char('.'))
        t.ExtraLabelChars = sample.mid(1, 1);

    state.Map.emplace(state.Lines, t);
    const CodeSectionMap &map = *state.Map;

    CodeAnalysisResult &r = state.Result;
    for (int piece = 0; piece < CodeAnalysisResult::PieceCount; ++piece)
        r.PieceStatus[size_t(piece)] = map.Lacks(PieceSections[size_t(piece)])
                                      ? CodeAnalysisResult::Missing
                                      : CodeAnalysisResult::Present;

    // Startup, event loop and trailer follow the section before them.
    int previousEnd = map.Section(TemplateSection::Header).Last;
    for (int piece : {CodeAnalysisResult::Startup, CodeAnalysisResult::EventLoop,
                      CodeAnalysisResult::Trailer}) {
        const CodeSectionMap::Span span = map.Section(PieceSections[size_t(piece)]);
        if (!span.Found())
            continue;
        if (previousEnd >= 0 && span.First <= previousEnd)
            r.PieceStatus[size_t(piece)] = CodeAnalysisResult::OutOfSequence;
        previousEnd = span.Last;
    }

    const CodeSectionMap::Span decoder = map.Section(TemplateSection::Decoder);
    if (decoder.Found()) {
        const QStringList found = state.Lines.mid(decoder.First, decoder.Last - decoder.First + 1);
        if (!CodeProgramText::SameCode(
                found, CodeProgramText::Lines(CodeProgramText::NormalizeLineEnds(state.Decoder))))
            r.PieceStatus[CodeAnalysisResult::Decoder] = CodeAnalysisResult::NeedsUpdate;
    }

    QSet<QString> rowLabels;
    for (qsizetype i = 0; i < state.RowLabels.size(); ++i) {
        const int handler = map.FindHandler(state.RowLabels[i], state.RowSections[size_t(i)]);
        state.RowHandlers.push_back(handler);
        if (handler < 0)
            r.MissingHandlers << state.RowLabels[i];
        rowLabels.insert(state.RowLabels[i].toUpper());
    }
    for (const CodeSectionMap::Handler &h : map.Handlers()) {
        if (!rowLabels.contains(h.Label.toUpper()))
            r.UnusedHandlers << h.Label;
    }

    r.MdiApplication = project.ApplicationType() == 0;
    r.HasForms = !project.MainFormId().isEmpty();
    r.Analyzed = true;
    return state;
}

CodeAnalysisResult CodeAnalysis::Analyze(const QString &programText)
{
    try {
        return Inspect(programText).Result;
    } catch (const GuiError &e) {
        CodeAnalysisResult r;
        r.Error = e.Description();
        return r;
    } catch (const std::exception &e) {
        CodeAnalysisResult r;
        r.Error = QString::fromLocal8Bit(e.what());
        return r;
    }
}

QString CodeAnalysis::JoinNames(const QStringList &names)
{
    QString text = names.join(QStringLiteral(", "));
    if (names.size() > 1) {
        const qsizetype last = text.lastIndexOf(QStringLiteral(", "));
        text.replace(last, 2, QStringLiteral(" and "));
    }
    return text;
}

CodeReportLine CodeAnalysis::StructureLine(const CodeAnalysisResult &result)
{
    if (!result.Analyzed)
        return {QStringLiteral("Unable to analyze code."), false};
    QStringList missing;
    bool allPresent = true;
    for (const StructurePiece &p : StructurePieces) {
        const int status = result.PieceStatus[size_t(p.Piece)];
        if (status != CodeAnalysisResult::Present)
            allPresent = false;
        if (status == CodeAnalysisResult::Missing)
            missing << QLatin1String(p.Name);
    }
    if (allPresent)
        return {QStringLiteral("GUI support code for the header, event loop, trailer, dynamic "
                               "event handler, custom event handler and error handler are present."),
                false};
    if (missing.isEmpty())
        return {QStringLiteral("Some sections of the GUI support code are out of sequence. You "
                               "need to correct this manually!"),
                false};
    return {QStringLiteral("GUI support code for the ") + JoinNames(missing)
                + (missing.size() > 1 ? QStringLiteral(" are") : QStringLiteral(" is"))
                + QStringLiteral(" missing."),
            true};
}

CodeReportLine CodeAnalysis::StartupLine(const CodeAnalysisResult &result)
{
    if (!result.Analyzed)
        return {};
    switch (result.PieceStatus[CodeAnalysisResult::Startup]) {
    case CodeAnalysisResult::Present:
        return {QStringLiteral("GUI support code to load the first (startup) form is present."),
                false};
    case CodeAnalysisResult::Missing:
        if (result.MdiApplication)
            return {QStringLiteral("GUI startup code is not necessary for MDI applications."),
                    false};
        if (result.HasForms)
            return {QStringLiteral("GUI support code to load the first (startup) form is missing."),
                    true};
        return {QStringLiteral("There are no forms in this project."), false};
    default:
        return {QStringLiteral("The startup section of the GUI support code is out of sequence. "
                               "You need to correct this manually!"),
                false};
    }
}

CodeReportLine CodeAnalysis::DecoderLine(const CodeAnalysisResult &result)
{
    if (!result.Analyzed)
        return {};
    switch (result.PieceStatus[CodeAnalysisResult::Decoder]) {
    case CodeAnalysisResult::Present:
        return {QStringLiteral("GUI support code for the event decoder is present and up to date."),
                false};
    case CodeAnalysisResult::Missing:
        return {QStringLiteral("GUI support code for the event decoder is missing."), true};
    default:
        return {QStringLiteral("GUI support code for the event decoder needs to be updated."), true};
    }
}

QString CodeAnalysis::PieceName(int piece)
{
    static const char *const names[] = {
        "header", "startup", "event loop", "trailer", "decoder",
        "dynamic event handler", "custom event handler", "error handler",
    };
    return piece >= 0 && piece < CodeAnalysisResult::PieceCount ? QLatin1String(names[piece])
                                                                 : QString();
}

QString CodeAnalysis::StatusName(int status)
{
    static const char *const names[] = {"present", "missing", "out of sequence", "needs update"};
    return status >= 0 && status <= 3 ? QLatin1String(names[status]) : QString();
}

QStringList CodeAnalysis::AnalyzeOutput(const CodeAnalysisResult &result)
{
    const QString report = QStringLiteral("report: ");
    if (!result.Analyzed)
        return {report + StructureLine(result).Text};
    QStringList out;
    for (int piece = 0; piece < CodeAnalysisResult::PieceCount; ++piece)
        out << PieceName(piece) + QStringLiteral(": ") + StatusName(result.PieceStatus[size_t(piece)]);
    for (const QString &label : result.MissingHandlers)
        out << QStringLiteral("missing: ") + label;
    for (const QString &label : result.UnusedHandlers)
        out << QStringLiteral("unused: ") + label;
    out << report + StructureLine(result).Text << report + StartupLine(result).Text
        << report + DecoderLine(result).Text;
    return out;
}
