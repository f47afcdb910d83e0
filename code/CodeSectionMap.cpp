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
bool IsBannerLine(const QString &line)
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
        p.LastCount = int(std::count_if(body.begin(), body.end(), [&p](const QString &line) {
            return CodeProgramText::LineKey(line) == p.LastKey;
        }));
    }
    p.Valid = true;
    return p;
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

    QString label;
    if (p.SuffixComplete) {
        if (!compact.endsWith(p.Suffix, Qt::CaseInsensitive)
            || compact.size() - p.Suffix.size() <= pos)
            return {};
        label = compact.mid(pos, compact.size() - p.Suffix.size() - pos);
        for (QChar c : label) {
            if (!IsLabelChar(c))
                return {};
        }
    } else {
        qsizetype end = pos;
        while (end < compact.size() && IsLabelChar(compact[end]))
            ++end;
        if (end == pos || !QStringView(compact).mid(end).startsWith(p.Suffix, Qt::CaseInsensitive))
            return {};
        label = compact.mid(pos, end - pos);
    }
    return label;
}

CodeSectionMap::CodeSectionMap(const QStringList &lines, const Templates &templates)
    : m_lines(lines), m_extraLabelChars(templates.ExtraLabelChars)
{
    const int count = int(m_lines.size());
    for (int i = 0; i < count; ++i) {
        const QString &line = m_lines[i];
        const QString key = CodeProgramText::LineKey(line);
        if (key.isEmpty())
            continue;
        m_byKey[key].push_back(i);
        if (key.startsWith(QLatin1Char('*'))) {
            qsizetype s = 0;
            while (s < key.size() && key[s] == QLatin1Char('*'))
                ++s;
            const QString rest = key.mid(s).trimmed();
            if (!rest.isEmpty())
                m_afterStar[rest].push_back(i);
        }
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

    // First lines of the structural sections.
    std::map<int, int> starts;
    for (const auto &[n, sectionLines] : templates.Sections) {
        if (sectionLines.isEmpty())
            continue;
        const QString &first = sectionLines.first();
        const bool afterBanner = !first.isEmpty() && IsBlank(first[0]);
        int start = FirstLine(CodeProgramText::LineKey(first), 0);
        if (afterBanner) {
            const auto it = m_afterStar.constFind(CodeProgramText::LineKey(first));
            if (it != m_afterStar.constEnd() && (start < 0 || it->front() < start))
                start = it->front();
        }
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
        const QStringList &sectionLines = templates.Sections.at(n);
        const QString lastKey = CodeProgramText::LineKey(sectionLines.last());
        const int repeats = int(std::count_if(
            sectionLines.begin(), sectionLines.end(),
            [&lastKey](const QString &l) { return CodeProgramText::LineKey(l) == lastKey; }));
        const int last = LastLine(start, lastKey, repeats, sectionLines.size() == 1);
        if (last >= 0)
            m_sections[n] = Span{start, last};
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
            const int last = LastLine(c.Line, p.LastKey, p.LastCount, p.SingleLine);
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

int CodeSectionMap::FirstLine(const QString &key, int from) const
{
    const auto it = m_byKey.constFind(key);
    if (it == m_byKey.constEnd())
        return -1;
    const auto pos = std::lower_bound(it->begin(), it->end(), from);
    return pos == it->end() ? -1 : *pos;
}

int CodeSectionMap::NextAnchor(int line) const
{
    const auto it = std::upper_bound(m_anchors.begin(), m_anchors.end(), line);
    return it == m_anchors.end() ? int(m_lines.size()) : *it;
}

int CodeSectionMap::LastLine(int start, const QString &lastKey, int count, bool singleLine) const
{
    if (singleLine)
        return start;
    const auto it = m_byKey.constFind(lastKey);
    if (it == m_byKey.constEnd())
        return -1;
    const std::vector<int> &at = *it;
    const auto from = std::lower_bound(at.begin(), at.end(), start);
    if (from == at.end())
        return -1;

    const int bound = NextAnchor(start);
    const auto within = std::lower_bound(from, at.end(), bound); // first one at the bound
    const auto wanted = std::max(count, 1) - 1;
    if (within - from > wanted)
        return *(from + wanted);
    if (within != from)
        return *(within - 1); // fewer repetitions than the template has: the last before the bound

    // The last line only follows the next section: end before it, without the banner.
    int end = bound - 1;
    while (end > start && IsBannerLine(m_lines[end]))
        --end;
    return end;
}

CodeSectionMap::Span CodeSectionMap::Section(int n) const
{
    const auto it = m_sections.find(n);
    return it == m_sections.end() ? Span{} : it->second;
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
