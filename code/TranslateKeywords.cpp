#include "code/TranslateKeywords.h"

#include "support/Marks.h"

namespace {
bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_');
}

// The fields of one row: separated by the value mark or by "|", each trimmed.
QStringList SplitRow(QStringView row)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= row.size(); ++i) {
        if (i == row.size() || row[i] == QChar(Marks::Value) || row[i] == QLatin1Char('|')) {
            fields.append(row.mid(start, i - start).trimmed().toString());
            start = i + 1;
        }
    }
    return fields;
}

// Calls f(line, lineBreak) for each line of the text; the break is "" after the last line.
template <typename F>
void ForEachLine(const QString &text, F f)
{
    const QStringView all(text);
    qsizetype start = 0;
    while (start <= all.size()) {
        qsizetype lf = all.indexOf(QLatin1Char('\n'), start);
        if (lf < 0) {
            if (start < all.size())
                f(all.mid(start), QStringView());
            return;
        }
        qsizetype end = lf;
        if (end > start && all[end - 1] == QLatin1Char('\r'))
            --end;
        f(all.mid(start, end - start), all.mid(end, lf + 1 - end));
        start = lf + 1;
    }
}
} // namespace

TranslateKeywords TranslateKeywords::FromText(const QString &text)
{
    TranslateKeywords table;
    bool inTable = false;
    bool haveXlat = false;
    bool haveVars = false;
    ForEachLine(text, [&](QStringView raw, QStringView) {
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            return;
        if (line.startsWith(QLatin1String("Vars="), Qt::CaseInsensitive)) {
            if (!haveVars) {
                haveVars = true;
                bool ok = false;
                const int n = line.mid(5).trimmed().toInt(&ok);
                table.m_variableCount = ok && n > 0 ? n : 0;
            }
            return;
        }
        if (line.compare(QLatin1String("[Xlat]"), Qt::CaseInsensitive) == 0) {
            if (!haveXlat) {
                haveXlat = true;
                inTable = true;
            }
            return;
        }
        if (line.startsWith(QLatin1Char('['))) {
            inTable = false; // another section ends the word table
            return;
        }
        if (!inTable)
            return;
        const QStringList fields = SplitRow(line);
        Row row;
        for (int i = 0; i < 3 && i < fields.size(); ++i)
            row.forms[i] = fields[i];
        if (row.forms[0].isEmpty())
            return;
        table.m_rows.push_back(row);
    });
    if (!haveXlat || !haveVars) {
        table.m_rows.clear();
        table.m_variableCount = 0;
        return table;
    }
    table.m_usable = true;
    for (int i = 0; i < int(table.m_rows.size()); ++i) {
        const QString key = table.m_rows[size_t(i)].forms[0].toUpper();
        if (!table.m_all.contains(key))
            table.m_all.insert(key, i);
        if (i < table.m_variableCount && !table.m_variables.contains(key))
            table.m_variables.insert(key, i);
    }
    return table;
}

const TranslateKeywords::Row *TranslateKeywords::Find(QStringView word, bool variablesOnly) const
{
    const QHash<QString, int> &index = variablesOnly ? m_variables : m_all;
    const auto it = index.constFind(word.toString().toUpper());
    return it == index.constEnd() ? nullptr : &m_rows[size_t(*it)];
}

QString TranslateKeywords::Translate(const QString &text, int casing) const
{
    if (!m_usable || casing < UpperCase || casing > MixedCase)
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    ForEachLine(text, [&](QStringView line, QStringView lineBreak) {
        if (casing == LowerCase) {
            // Lower-case programs show values as they are, without the mixed-case conversion.
            const qsizetype open = line.indexOf(QLatin1String("OCONV("));
            const qsizetype close = open < 0 ? -1
                                             : line.indexOf(QLatin1String(",'MCT')"), open + 6);
            if (close >= 0) {
                QString unwrapped = line.left(open).toString();
                unwrapped += line.mid(open + 6, close - open - 6);
                unwrapped += line.mid(close + 7);
                out += TranslateLine(unwrapped, casing);
                out += lineBreak;
                return;
            }
        }
        out += TranslateLine(line, casing);
        out += lineBreak;
    });
    return out;
}

QString TranslateKeywords::TranslateLine(QStringView line, int casing) const
{
    const bool commentLine = !line.isEmpty() && line.front() == QLatin1Char('*');
    QString out;
    out.reserve(line.size());
    // Once a search for a closing quote or "%%" fails, no later one can succeed on this line;
    // remembering that keeps lines full of stray quotes linear.
    bool quotesExhausted = false;
    bool markersExhausted = false;

    auto emitWord = [&](QStringView word) {
        const Row *row = Find(word, commentLine);
        const QString &form = row ? row->forms[casing - 1] : QString();
        if (row && !form.isEmpty())
            out += form;
        else
            out += word;
    };

    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar c = line[i];
        if (c == QLatin1Char('*') && line.mid(i).startsWith(QLatin1String("*-->"))) {
            out += line.mid(i);
            break;
        }
        if (c == QLatin1Char('\'') && !quotesExhausted) {
            const qsizetype end = line.indexOf(QLatin1Char('\''), i + 1);
            if (end >= 0) {
                out += line.mid(i, end + 1 - i);
                i = end + 1;
                continue;
            }
            quotesExhausted = true;
        }
        if (c == QLatin1Char('%') && i + 1 < n && line[i + 1] == QLatin1Char('%')
            && !markersExhausted) {
            const qsizetype end = line.indexOf(QLatin1String("%%"), i + 2);
            if (end >= 0) {
                emitWord(line.mid(i, end + 2 - i));
                i = end + 2;
                continue;
            }
            markersExhausted = true;
        }
        if (IsWordChar(c)) {
            qsizetype end = i + 1;
            while (end < n && IsWordChar(line[end]))
                ++end;
            emitWord(line.mid(i, end - i));
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QStringList TranslateKeywords::Keywords() const
{
    QStringList words;
    for (size_t i = size_t(qMax(m_variableCount, 0)); i < m_rows.size(); ++i)
        words << m_rows[i].forms[0].toUpper();
    return words;
}
