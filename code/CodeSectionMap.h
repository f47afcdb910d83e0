#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <vector>

// Where the pieces of GUI support code stand in a program: the structural sections (header,
// startup, event loop, trailer, decoder, error, dynamic and custom event handler) and every
// event handler, as spans of whole lines.
//
// A section is found by searching for its first line and then for its last line, without
// regard to case, indentation or runs of blanks. The search looks for the line's text inside
// a program line, so a first line that continues the "*" ending a banner (as a new program
// writes sections 10 and 12) is found as well as one standing alone. A program line that
// holds the first line whole, or right after a banner's "*", is preferred over an earlier
// one that merely contains it somewhere (a quoted word in the header, say), unless the
// section's last line does not follow that line (a stray copy at the end). Leading and
// trailing lines made only of "*" are too common to search for: the section is found by its
// other lines and its span widened over those star lines when the program has them.
//
// The last line is searched from the first; when the section's own text holds its last line
// more than once (a startup block with several END lines, say) the span runs to the matching
// repetition, and a line equal to the last line is preferred over one that merely contains
// it. A span never runs into the next section or handler: when its last line only turns up
// beyond that point, the span ends before it, without the banner lines in between.
// A section that comes out empty for the project, or holds nothing but star lines, has
// nothing to find and is never missing.
//
// An event handler is found through its label line, the first line of its template section
// with the label in place of the target placeholder (blanks ignored). Only labels that begin
// with an application's label part count as handlers, and never the labels the template's
// own sections use (the decoder's entry label, the runtime call), nor a label line inside a
// structural section, so hand-written subroutines are not taken for handlers.
//
// Each line's key is worked out once, and each distinct text searched for is looked for once
// in every key; every look-up after that is a hash probe plus a binary search, so a program
// with thousands of handlers is mapped in time proportional to its length.
class CodeSectionMap
{
public:
    struct Span
    {
        int First = -1; // line index of the first line, -1 when not found
        int Last = -1;  // line index of the last line (inclusive)
        bool Found() const { return First >= 0; }
    };

    // What the map looks for: the template sections with the project's values filled in.
    struct Templates
    {
        // Structural sections (2-6, 10-12) by number, their lines after placeholder
        // substitution, lines that need a value the project lacks left out. The decoder
        // (6) is the decoder built for the project.
        std::map<int, QStringList> Sections;
        // The handler sections 7, 8 and 9 as the template writes them (index 0 is 7).
        std::array<QString, 3> HandlerSections;
        // Lines of the handler sections other than the label line, filled in like the
        // structural sections (index 0 is 7).
        std::array<QStringList, 3> HandlerBodies;
        // Labels of handlers begin with one of these (upper case), e.g. "SHOP." or "SHOP_".
        QStringList LabelPrefixes;
        // Characters a label may hold besides letters, digits, "$", "." and "_".
        QString ExtraLabelChars;
        // Labels that are never handlers (upper case), besides those the structural
        // sections above define themselves.
        QSet<QString> ReservedLabels;
    };

    struct Handler
    {
        QString Label; // as written in the program
        int Section = 7;
        Span Where;
    };

    CodeSectionMap(const QStringList &lines, const Templates &templates);

    const QStringList &Lines() const { return m_lines; }
    // The span of a structural section; not found when missing or empty.
    Span Section(int n) const;
    // Whether a structural section the program should hold is not there: false for a
    // section found and for one that comes out empty for the project.
    bool Lacks(int n) const;
    // Every handler in text order.
    const std::vector<Handler> &Handlers() const { return m_handlers; }
    // The first handler with this label (any case) written in the section's form; -1 when
    // there is none.
    int FindHandler(const QString &label, int section) const;
    // Whether any handler carries this label.
    bool HasLabel(const QString &label) const;

    // The label a line would give as the label line of handler section 7, 8 or 9; empty when
    // it is not such a line.
    QString LabelOfLine(const QString &line, int section) const;

private:
    struct Pattern
    {
        QString Prefix, Suffix; // around the target, blanks removed, upper case
        bool SuffixComplete = true;
        bool PrefixAnchored = true; // the prefix starts the line
        QString LastKey;
        int LastCount = 1;      // body lines holding the last line
        int LastExactCount = 1; // body lines equal to it
        bool SingleLine = false;
        bool Valid = false;
    };

    // How a structural section is searched for: by its lines other than leading and
    // trailing star lines (the core), the star lines counted.
    struct Shape
    {
        int Lead = 0, Trail = 0;
        QString FirstKey, LastKey;
        int LastCount = 1, LastExactCount = 1;
        bool StarsOnly = false; // nothing but star lines
        int Size = 0;
    };

    static Pattern MakePattern(const QString &section, const QStringList &body);
    static Shape ShapeOf(const QStringList &lines);
    QString MatchLabel(const QString &compact, const Pattern &p) const;
    bool IsLabelChar(QChar c) const;
    int FirstLine(const QString &key) const;
    // The last line of a span whose first line is `start` (searched from `from`); -1 when the
    // last line is nowhere after it. *whole tells whether it was found before the next anchor.
    int LastLine(int start, int from, const QString &lastKey, int count, int exactCount,
                 bool *whole = nullptr) const;
    int NextAnchor(int line) const;
    // Lines whose key is the text, and lines whose key holds it, ascending; each worked out
    // once per text. Only the few texts of the template are looked for, so a pass over the
    // keys per text costs less than an index of every line's key.
    const std::vector<int> &Equal(const QString &key) const;
    const std::vector<int> &Containing(const QString &key) const;
    // The lines whose key fits, looked for once per text and kept in `found`.
    template <typename Fits>
    const std::vector<int> &LinesWhere(QHash<QString, std::vector<int>> &found, const QString &key,
                                       Fits fits) const;
    bool IsStarLine(int line) const;

    QStringList m_lines;
    QString m_extraLabelChars;
    std::vector<QString> m_keys;   // per line: its key (CodeProgramText::LineKey)
    std::vector<int> m_starLines;  // lines whose key begins with "*", ascending
    mutable QHash<QString, std::vector<int>> m_equal, m_containing;
    QSet<int> m_empty; // structural sections with nothing to find
    std::vector<int> m_anchors;                   // first lines of sections and handlers
    std::map<int, Span> m_sections;
    std::array<Pattern, 3> m_patterns;
    std::vector<Handler> m_handlers;
    std::vector<unsigned> m_handlerMasks; // per handler: the sections its label line fits
    QHash<QString, std::vector<int>> m_handlersByLabel; // upper-case label -> handler indices
};
