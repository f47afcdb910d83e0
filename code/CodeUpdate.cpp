#include "code/CodeUpdate.h"

#include "code/CodeProgramText.h"
#include "code/EventSignature.h"
#include "code/Placeholders.h"
#include "code/TemplateFiles.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QSet>
#include <algorithm>
#include <vector>

namespace {
using Marks::CrLf;

// Stands for "the first handler" in a list of places to insert before.
constexpr int FirstHandler = -1;

// The lines a piece adds: the piece, then the banner, then the line break that keeps the
// next line on its own.
QStringList PieceLines(const QString &piece)
{
    return CodeProgramText::Lines(piece + CrLf + modCodeGen::Banner());
}

// The line index "the end of the text" stands for: the empty line after the final line
// break, which is added first when the text does not end with one.
int EndOfText(QStringList &lines)
{
    if (!lines.last().isEmpty())
        lines.append(QString());
    return int(lines.size()) - 1;
}

// The first line of the first place present among the candidates; the end of the text when
// none is.
int InsertionPoint(const CodeSectionMap &map, QStringList &lines, const std::vector<int> &before)
{
    for (int n : before) {
        if (n == FirstHandler) {
            if (!map.Handlers().empty())
                return map.Handlers().front().Where.First;
            continue;
        }
        const CodeSectionMap::Span span = map.Section(n);
        if (span.Found())
            return span.First;
    }
    return EndOfText(lines);
}

void InsertLines(QStringList &lines, int at, const QStringList &piece)
{
    QStringList out;
    out.reserve(lines.size() + piece.size());
    out << lines.mid(0, at) << piece << lines.mid(at);
    lines = std::move(out);
}

void ReplaceLines(QStringList &lines, const CodeSectionMap::Span &span, const QStringList &piece)
{
    QStringList out;
    out.reserve(lines.size() + piece.size());
    out << lines.mid(0, span.First) << piece << lines.mid(span.Last + 1);
    lines = std::move(out);
}

bool IsBannerLine(const QString &line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) {
        return c == QLatin1Char('*') || c == QLatin1Char(' ') || c == QLatin1Char('\t');
    });
}

// A section of several lines found inside a single program line: the program joins its lines
// by something other than line breaks (a host's attribute marks, say), and replacing that line
// would take the code around the section with it. Nothing is changed then.
void RequireWholeLines(const CodeSectionMap::Span &span, const QString &piece, const char *name)
{
    if (!span.Found() || span.First != span.Last)
        return;
    int lines = 0;
    for (const QString &line : piece.split(CrLf))
        lines += line.trimmed().isEmpty() ? 0 : 1;
    if (lines > 1)
        throw GuiError(GuiErrors::InvalidFunction,
                       QStringLiteral("The %1 begins and ends inside line %2 of the program, which "
                                      "holds other code as well: its lines are not separated by "
                                      "line breaks. The program was left unchanged.")
                           .arg(QLatin1String(name))
                           .arg(span.First + 1));
}

QSet<QString> UpperSet(const QStringList &labels)
{
    QSet<QString> set;
    for (const QString &l : labels)
        set.insert(l.trimmed().toUpper());
    return set;
}
} // namespace

CodeUpdate::CodeUpdate(CodeAnalysis &analysis) : m_analysis(analysis) {}

QString CodeUpdate::RepairStructure(const QString &programText)
{
    struct Step
    {
        int Section;
        std::vector<int> Before;
    };
    const Step order[] = {
        {TemplateSection::Error, {}},
        {TemplateSection::Trailer,
         {TemplateSection::Decoder, FirstHandler, TemplateSection::Error}},
        {TemplateSection::EventLoop, {TemplateSection::Trailer, TemplateSection::Error}},
        {TemplateSection::Header,
         {TemplateSection::Startup, TemplateSection::EventLoop, TemplateSection::Error}},
        {TemplateSection::Dynamic, {TemplateSection::Error}},
        {TemplateSection::Custom, {TemplateSection::Error}},
    };

    QString text = CodeProgramText::NormalizeLineEnds(programText);
    const TemplateVariables vars = m_analysis.ProjectVariables();
    for (const Step &r : order) {
        CodeAnalysis::State state = m_analysis.Inspect(text);
        if (!state.Map->Lacks(r.Section))
            continue;
        QString piece = Placeholders::SubstituteVariables(m_analysis.Section(r.Section), vars);
        if (piece.isEmpty())
            continue; // the section needs a value the project lacks: nothing to write
        // These two sections continue the banner line before them in a new program; alone on
        // their line the text would not be a comment.
        if ((r.Section == TemplateSection::Custom || r.Section == TemplateSection::Error)
            && (piece.startsWith(QLatin1Char(' ')) || piece.startsWith(QLatin1Char('\t'))))
            piece.prepend(QLatin1Char('*'));
        const int at = InsertionPoint(*state.Map, state.Lines, r.Before);
        InsertLines(state.Lines, at, PieceLines(piece));
        text = CodeProgramText::Join(state.Lines);
    }
    return text;
}

QString CodeUpdate::UpdateStartup(const QString &programText)
{
    CodeAnalysis::State state = m_analysis.Inspect(programText);
    const int status = state.Result.PieceStatus[CodeAnalysisResult::Startup];
    if (!state.Result.HasForms || status == CodeAnalysisResult::OutOfSequence)
        return CodeProgramText::Join(state.Lines);

    const QString piece = Placeholders::SubstituteVariables(
        m_analysis.Section(TemplateSection::Startup), m_analysis.ProjectVariables());
    if (piece.isEmpty())
        return CodeProgramText::Join(state.Lines);
    const CodeSectionMap::Span span = state.Map->Section(TemplateSection::Startup);
    RequireWholeLines(span, piece, "startup section");
    if (span.Found()) {
        ReplaceLines(state.Lines, span, CodeProgramText::Lines(piece));
    } else {
        const int at = InsertionPoint(*state.Map, state.Lines,
                                      {TemplateSection::EventLoop, TemplateSection::Error});
        InsertLines(state.Lines, at, PieceLines(piece));
    }
    return CodeProgramText::Join(state.Lines);
}

QString CodeUpdate::AddMissingHandlers(const QString &programText, const QStringList &labels)
{
    CodeAnalysis::State state = m_analysis.Inspect(programText);
    const CodeSectionMap &map = *state.Map;
    const QSet<QString> wanted = UpperSet(labels);

    // The handlers in text order, the new ones placed among them as they are added, each
    // standing before the original line it is written in front of.
    struct Entry
    {
        QString Key;
        int Anchor;
        int Row = -1; // the row of a new handler
    };
    std::vector<Entry> entries;
    entries.reserve(map.Handlers().size());
    for (const CodeSectionMap::Handler &h : map.Handlers())
        entries.push_back({h.Label.trimmed().toUpper(), h.Where.First});

    int fallback = -2;
    QSet<QString> added;
    for (size_t i = 0; i < state.Rows.size(); ++i) {
        if (state.RowHandlers[i] >= 0)
            continue;
        const QString key = state.RowLabels[qsizetype(i)].trimmed().toUpper();
        if ((!wanted.isEmpty() && !wanted.contains(key)) || added.contains(key))
            continue;
        added.insert(key);

        const auto after = std::find_if(entries.begin(), entries.end(),
                                        [&key](const Entry &e) { return e.Key > key; });
        if (after != entries.end()) {
            const int anchor = after->Anchor;
            entries.insert(after, Entry{key, anchor, int(i)});
            continue;
        }
        if (fallback == -2)
            fallback = InsertionPoint(
                map, state.Lines,
                {TemplateSection::Dynamic, TemplateSection::Custom, TemplateSection::Error});
        const auto at = std::upper_bound(entries.begin(), entries.end(), fallback,
                                         [](int anchor, const Entry &e) { return anchor < e.Anchor; });
        entries.insert(at, Entry{key, fallback, int(i)});
    }
    if (added.isEmpty())
        return CodeProgramText::Join(state.Lines);

    QStringList out;
    out.reserve(state.Lines.size() + added.size() * 12);
    size_t next = 0;
    auto emitUpTo = [&](int line) {
        for (; next < entries.size() && entries[next].Anchor <= line; ++next) {
            const Entry &e = entries[next];
            if (e.Row < 0)
                continue;
            const EventRow &row = state.Rows[size_t(e.Row)];
            out << PieceLines(m_analysis.Generator().EventHandlerCode(row, state.RowLabels[e.Row]));
        }
    };
    for (int line = 0; line < state.Lines.size(); ++line) {
        emitUpTo(line);
        out << state.Lines[line];
    }
    return CodeProgramText::Join(out);
}

QString CodeUpdate::RemoveUnusedHandlers(const QString &programText, const QStringList &labels)
{
    CodeAnalysis::State state = m_analysis.Inspect(programText);
    const QSet<QString> wanted = UpperSet(labels);
    const QSet<QString> used = UpperSet(state.RowLabels);

    const int count = int(state.Lines.size());
    std::vector<bool> drop(size_t(count), false);
    bool any = false;
    for (const CodeSectionMap::Handler &h : state.Map->Handlers()) {
        const QString key = h.Label.trimmed().toUpper();
        if (used.contains(key) || (!wanted.isEmpty() && !wanted.contains(key)))
            continue;
        any = true;
        for (int line = h.Where.First; line <= h.Where.Last; ++line)
            drop[size_t(line)] = true;
        // The banner after the handler: up to five lines of stars and blanks.
        for (int line = h.Where.Last + 1, n = 0; line < count && n < 5; ++line, ++n) {
            if (!IsBannerLine(state.Lines[line]))
                break;
            drop[size_t(line)] = true;
        }
    }
    if (!any)
        return CodeProgramText::Join(state.Lines);

    QStringList out;
    out.reserve(count);
    for (int line = 0; line < count; ++line) {
        if (!drop[size_t(line)])
            out << state.Lines[line];
    }
    // Removing the last line also took the line break before it: the text still ends with one.
    if (drop[size_t(count - 1)])
        out << QString();
    return CodeProgramText::Join(out);
}

QString CodeUpdate::RebuildDecoder(const QString &programText)
{
    CodeAnalysis::State state = m_analysis.Inspect(programText);
    const CodeSectionMap::Span span = state.Map->Section(TemplateSection::Decoder);
    RequireWholeLines(span, state.Decoder, "event decoder");
    if (span.Found()) {
        ReplaceLines(state.Lines, span, CodeProgramText::Lines(state.Decoder));
    } else {
        const int at =
            InsertionPoint(*state.Map, state.Lines, {FirstHandler, TemplateSection::Error});
        InsertLines(state.Lines, at, PieceLines(state.Decoder));
    }
    return CodeProgramText::Join(state.Lines);
}

CodeUpdate::Result CodeUpdate::Apply(const QString &programText, unsigned operations)
{
    Result result;
    try {
        QString text = CodeProgramText::NormalizeLineEnds(programText);
        if (operations & Repair)
            text = RepairStructure(text);
        if (operations & Startup)
            text = UpdateStartup(text);
        if (operations & AddMissing)
            text = AddMissingHandlers(text);
        if (operations & RemoveUnused)
            text = RemoveUnusedHandlers(text);
        if (operations & Decoder) {
            text = RebuildDecoder(text);
            result.DecoderWritten = true;
            result.EventSignature = EventSignature::Of(m_analysis.Project());
        }
        result.Text = text;
        result.Ok = true;
    } catch (const GuiError &e) {
        result.Message = ProcessingErrorText(e.Description());
    } catch (const std::exception &e) {
        result.Message = ProcessingErrorText(QString::fromLocal8Bit(e.what()));
    }
    return result;
}

QString CodeUpdate::ProcessingErrorText(const QString &description)
{
    return QStringLiteral("While processing code, the following error has occurred:") + CrLf
           + description;
}

QString CodeUpdate::CodeUnavailableText()
{
    return QStringLiteral("The code for your project is no longer available. Perhaps the code "
                          "window has been closed?");
}

QString CodeUpdate::NoDesignObjectText()
{
    return QStringLiteral("An internal error has occurred: null design or app object!");
}
