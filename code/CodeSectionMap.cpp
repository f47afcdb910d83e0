#include "code/CodeSectionMap.h"

#include "code/CodeProgramText.h"
#include "support/Marks.h"

#include <algorithm>

namespace {
using Marks::CrLf;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The line without any blank: label lines are matched this way.
QString Compact(const QString &line)
{
    QString out;
    out.reserve(line.size());
    for (QChar c : line) {
        if (!IsBlank(c))
            out += c;
    }
    return out;
}

// A line a banner or the space around it is made of: stars and blanks only.
bool IsBannerLine(QStringView line)
{
    for (QChar c : line) {
        if (c != QLatin1Char('*') && !IsBlank(c))
            return false;
    }
    return true;
}

// The name between "%%" markers, as placeholder matching reads it: its letters, upper case.
QString PlaceholderKey(const QString &name)
{
    QString key;
    for (QChar c : name) {
        if (c.isLetter())
            key += c.toUpper();
    }
    return key;
}
} // namespace

CodeSectionMap::Pattern CodeSectionMap::MakePattern(const QString &section, const QStringList &body)
{
    Pattern p;
    const QString first = section.left(section.indexOf(CrLf));
    if (first.trimmed().isEmpty())
        return p;

    // Find the target placeholder; text that another placeholder fills in cannot be matched,
    // so the pattern keeps only the literal text right around the target.
    qsizetype pos = 0;
    qsizetype literalStart = 0;
    bool anchored = true;
    bool found = false;
    while (true) {
        const qsizetype open = first.indexOf(QLatin1String("%%"), pos);
        if (open < 0)
            break;
        const qsizetype close = first.indexOf(QLatin1String("%%"), open + 2);
        if (close < 0)
            break;
        if (PlaceholderKey(first.mid(open + 2, close - open - 2)) == QLatin1String("TARGET")) {
            p.Prefix = Compact(first.mid(literalStart, open - literalStart)).toUpper();
            const qsizetype next = first.indexOf(QLatin1String("%%"), close + 2);
            p.SuffixComplete = next < 0;
            p.Suffix = Compact(next < 0 ? first.mid(close + 2) : first.mid(close + 2, next - close - 2))
                           .toUpper();
            found = true;
            break;
        }
        anchored = false;
        literalStart = close + 2;
        pos = close + 2;
    }
    if (!found) {
        // A label line without the placeholder still ends its label with a colon.
        p.Prefix.clear();
        p.Suffix = QStringLiteral(":");
        p.SuffixComplete = false;
        anchored = false;
    }
    p.PrefixAnchored = anchored;

    if (body.isEmpty()) {
        p.SingleLine = true;
    } else {
        p.LastKey = CodeProgramText::LineKey(body.last());
        p.LastCount = 0;
        p.LastExactCount = 0;
        for (const QString &line : body) {
            const QString key = CodeProgramText::LineKey(line);
            p.LastCount += key.contains(p.LastKey) ? 1 : 0;
            p.LastExactCount += key == p.LastKey ? 1 : 0;
        }
        // A body whose last line is blank after all has nothing to search for.
        p.SingleLine = p.LastKey.isEmpty();
    }
    p.Valid = true;
    return p;
}

CodeSectionMap::Shape CodeSectionMap::ShapeOf(const QStringList &lines)
{
    Shape shape;
    QStringList keys;
    for (const QString &line : lines) {
        const QString key = CodeProgramText::LineKey(line);
        if (!key.isEmpty())
            keys << key;
    }
    shape.Size = int(keys.size());
    if (keys.isEmpty())
        return shape;
    while (shape.Lead < keys.size() && IsBannerLine(keys[shape.Lead]))
        ++shape.Lead;
    if (shape.Lead == keys.size()) {
        shape.StarsOnly = true;
        return shape;
    }
    while (IsBannerLine(keys[keys.size() - 1 - shape.Trail]))
        ++shape.Trail;
    const QStringList core = keys.mid(shape.Lead, keys.size() - shape.Lead - shape.Trail);
    shape.FirstKey = core.first();
    shape.LastKey = core.last();
    shape.LastCount = int(std::count_if(core.begin(), core.end(), [&shape](const QString &key) {
        return key.contains(shape.LastKey);
    }));
    shape.LastExactCount = int(core.count(shape.LastKey));
    return shape;
}

bool CodeSectionMap::IsLabelChar(QChar c) const
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')
           || (u >= 128 && u <= 250) || u == u'$' || u == u'.' || u == u'_'
           || m_extraLabelChars.contains(c);
}

QString CodeSectionMap::MatchLabel(const QString &compact, const Pattern &p) const
{
    if (!p.Valid || compact.isEmpty())
        return {};
    qsizetype pos = 0;
    if (p.PrefixAnchored) {
        if (!compact.startsWith(p.Prefix, Qt::CaseInsensitive))
            return {};
        pos = p.Prefix.size();
    } else if (!p.Prefix.isEmpty()) {
        pos = compact.indexOf(p.Prefix, 0, Qt::CaseInsensitive);
        if (pos < 0)
            return {};
        pos += p.Prefix.size();
    }

    // The line as the template writes it...
    if (p.SuffixComplete && compact.endsWith(p.Suffix, Qt::CaseInsensitive)
        && compact.size() - p.Suffix.size() > pos) {
        const QString label = compact.mid(pos, compact.size() - p.Suffix.size() - pos);
        if (std::all_of(label.begin(), label.end(), [this](QChar c) { return IsLabelChar(c); }))
            return label;
    }
    // ... or with more after it: a comment or a statement the programmer added.
    qsizetype end = pos;
    while (end < compact.size() && IsLabelChar(compact[end]))
        ++end;
    if (end == pos || !QStringView(compact).mid(end).startsWith(p.Suffix, Qt::CaseInsensitive))
        return {};
    return compact.mid(pos, end - pos);
}

CodeSectionMap::CodeSectionMap(const QStringList &lines, const Templates &templates)
    : m_lines(lines), m_extraLabelChars(templates.ExtraLabelChars)
{
    const int count = int(m_lines.size());
    m_keys.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        m_keys.push_back(CodeProgramText::LineKey(m_lines[i]));
        if (m_keys.back().startsWith(QLatin1Char('*')))
            m_starLines.push_back(i);
    }

    for (int k = 0; k < 3; ++k)
        m_patterns[k] = MakePattern(templates.HandlerSections[k], templates.HandlerBodies[k]);

    // Labels the template's own sections define are theirs, never handlers.
    QSet<QString> reserved = templates.ReservedLabels;
    for (const auto &[n, sectionLines] : templates.Sections) {
        for (const QString &line : sectionLines) {
            const QString compact = Compact(line);
            for (const Pattern &p : m_patterns) {
                const QString label = MatchLabel(compact, p);
                if (!label.isEmpty())
                    reserved.insert(label.toUpper());
            }
        }
    }
    const bool needColon = std::all_of(m_patterns.begin(), m_patterns.end(), [](const Pattern &p) {
        return !p.Valid || p.Suffix.contains(QLatin1Char(':'));
    });

    // Lines that look like handler labels.
    struct Candidate
    {
        int Line;
        QString Label;
        unsigned Mask; // which of the handler sections' label lines it matches
    };
    std::vector<Candidate> candidates;
    for (int i = 0; i < count; ++i) {
        const QString &line = m_lines[i];
        if (needColon && !line.contains(QLatin1Char(':')))
            continue; // most lines are no label line: skip them cheaply
        const QString compact = Compact(line);
        QString label;
        unsigned mask = 0;
        for (int k = 0; k < 3; ++k) {
            const QString l = MatchLabel(compact, m_patterns[k]);
            if (l.isEmpty())
                continue;
            if (label.isEmpty())
                label = l;
            if (l.compare(label, Qt::CaseInsensitive) == 0)
                mask |= 1u << k;
        }
        if (!mask)
            continue;
        const QString upper = label.toUpper();
        if (reserved.contains(upper))
            continue;
        if (!templates.LabelPrefixes.isEmpty()
            && std::none_of(templates.LabelPrefixes.begin(), templates.LabelPrefixes.end(),
                            [&upper](const QString &prefix) { return upper.startsWith(prefix); }))
            continue;
        candidates.push_back({i, label, mask});
    }

    // First lines of the structural sections (of their cores, past leading star lines).
    std::map<int, Shape> shapes;
    std::map<int, int> starts;
    for (const auto &[n, sectionLines] : templates.Sections) {
        const Shape shape = ShapeOf(sectionLines);
        if (shape.Size == 0 || shape.StarsOnly) {
            // Nothing that tells this section from a banner: nothing to look for.
            m_empty.insert(n);
            continue;
        }
        shapes[n] = shape;
        const int start = FirstLine(shape.FirstKey);
        if (start >= 0)
            starts[n] = start;
    }

    for (const auto &[n, start] : starts)
        m_anchors.push_back(start);
    for (const Candidate &c : candidates)
        m_anchors.push_back(c.Line);
    std::sort(m_anchors.begin(), m_anchors.end());
    m_anchors.erase(std::unique(m_anchors.begin(), m_anchors.end()), m_anchors.end());

    for (const auto &[n, start] : starts) {
        const Shape &shape = shapes.at(n);
        bool whole = false;
        int first = start;
        int last = LastLine(first, first, shape.LastKey, shape.LastCount, shape.LastExactCount,
                            &whole);
        if (last < 0) {
            // The line equal to the first line may be a stray copy after the section: an
            // earlier line that holds the first line's text may still open the section.
            const std::vector<int> &holding = Containing(shape.FirstKey);
            if (holding.empty() || holding.front() >= start)
                continue;
            first = holding.front();
            last = LastLine(first, first, shape.LastKey, shape.LastCount, shape.LastExactCount,
                            &whole);
            if (last < 0)
                continue;
        }
        for (int k = 0; k < shape.Lead && first > 0 && IsStarLine(first - 1); ++k)
            --first;
        for (int k = 0; whole && k < shape.Trail && last + 1 < count && IsStarLine(last + 1); ++k)
            ++last;
        m_sections[n] = Span{first, last};
    }

    for (const Candidate &c : candidates) {
        const bool inside = std::any_of(m_sections.begin(), m_sections.end(), [&c](const auto &s) {
            return c.Line >= s.second.First && c.Line <= s.second.Last;
        });
        if (inside)
            continue;
        Handler h;
        unsigned mask = 0;
        for (int k = 0; k < 3; ++k) {
            if (!(c.Mask & (1u << k)))
                continue;
            const Pattern &p = m_patterns[k];
            // The body's last line is searched after the label line, which may hold the same
            // word (a menu item called RETURN, say).
            const int last = p.SingleLine ? c.Line
                                          : LastLine(c.Line, c.Line + 1, p.LastKey, p.LastCount,
                                                     p.LastExactCount);
            if (last < 0)
                continue;
            if (!mask) {
                h.Label = c.Label;
                h.Section = 7 + k;
                h.Where = Span{c.Line, last};
            }
            mask |= 1u << k;
        }
        if (!mask)
            continue;
        m_handlerMasks.push_back(mask);
        m_handlersByLabel[c.Label.toUpper()].push_back(int(m_handlers.size()));
        m_handlers.push_back(std::move(h));
    }
}

int CodeSectionMap::FirstLine(const QString &key) const
{
    if (key.isEmpty())
        return -1;
    // The line itself, alone or right after a banner's "*"...
    const std::vector<int> &equal = Equal(key);
    int best = equal.empty() ? -1 : equal.front();
    // A section written right after a banner continues the banner's last "*".
    for (int line : m_starLines) {
        if (best >= 0 && line >= best)
            break;
        if (QStringView(m_keys[size_t(line)]).mid(1).trimmed() == key) {
            best = line;
            break;
        }
    }
    if (best >= 0)
        return best;
    // ... else the first line that holds it.
    const std::vector<int> &holding = Containing(key);
    return holding.empty() ? -1 : holding.front();
}

template <typename Fits>
const std::vector<int> &CodeSectionMap::LinesWhere(QHash<QString, std::vector<int>> &found,
                                                   const QString &key, Fits fits) const
{
    auto it = found.find(key);
    if (it != found.end())
        return *it;
    std::vector<int> at;
    if (!key.isEmpty()) {
        for (int i = 0; i < int(m_keys.size()); ++i) {
            if (fits(m_keys[size_t(i)]))
                at.push_back(i);
        }
    }
    return *found.insert(key, std::move(at));
}

const std::vector<int> &CodeSectionMap::Equal(const QString &key) const
{
    return LinesWhere(m_equal, key, [&key](const QString &line) { return line == key; });
}

const std::vector<int> &CodeSectionMap::Containing(const QString &key) const
{
    return LinesWhere(m_containing, key, [&key](const QString &line) { return line.contains(key); });
}

bool CodeSectionMap::IsStarLine(int line) const
{
    const QString &key = m_keys[size_t(line)];
    return !key.isEmpty() && IsBannerLine(key);
}

int CodeSectionMap::NextAnchor(int line) const
{
    const auto it = std::upper_bound(m_anchors.begin(), m_anchors.end(), line);
    return it == m_anchors.end() ? int(m_lines.size()) : *it;
}

int CodeSectionMap::LastLine(int start, int from, const QString &lastKey, int count,
                             int exactCount, bool *whole) const
{
    if (whole)
        *whole = true;
    const int bound = NextAnchor(start);
    // The matches in [from, bound) of a sorted list of line indices.
    auto within = [from, bound](const std::vector<int> &at) {
        const auto begin = std::lower_bound(at.begin(), at.end(), from);
        return std::make_pair(begin, std::lower_bound(begin, at.end(), bound));
    };

    // Lines equal to the last line first: code added inside the span may hold its text.
    if (exactCount > 0) {
        const auto [begin, end] = within(Equal(lastKey));
        if (end - begin >= exactCount)
            return *(begin + (exactCount - 1));
    }
    const std::vector<int> &holding = Containing(lastKey);
    const auto [begin, end] = within(holding);
    const auto wanted = std::max(count, 1) - 1;
    if (end - begin > wanted)
        return *(begin + wanted);
    if (end != begin)
        return *(end - 1); // fewer repetitions than the template has: the last before the bound
    if (end == holding.end())
        return -1; // the last line is nowhere after the first

    // The last line only follows the next section: end before it, without the banner.
    if (whole)
        *whole = false;
    int last = bound - 1;
    while (last > start && IsBannerLine(m_lines[last]))
        --last;
    return last;
}

CodeSectionMap::Span CodeSectionMap::Section(int n) const
{
    const auto it = m_sections.find(n);
    return it == m_sections.end() ? Span{} : it->second;
}

bool CodeSectionMap::Lacks(int n) const
{
    return !m_empty.contains(n) && !Section(n).Found();
}

int CodeSectionMap::FindHandler(const QString &label, int section) const
{
    const auto it = m_handlersByLabel.constFind(label.toUpper());
    if (it == m_handlersByLabel.constEnd())
        return -1;
    const unsigned bit = section >= 7 && section <= 9 ? 1u << (section - 7) : 7u;
    for (int index : *it) {
        if (m_handlerMasks[size_t(index)] & bit)
            return index;
    }
    return -1;
}

bool CodeSectionMap::HasLabel(const QString &label) const
{
    return m_handlersByLabel.contains(label.toUpper());
}

QString CodeSectionMap::LabelOfLine(const QString &line, int section) const
{
    if (section < 7 || section > 9)
        return {};
    return MatchLabel(Compact(line), m_patterns[size_t(section - 7)]);
}
