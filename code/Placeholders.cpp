#include "code/Placeholders.h"

#include "support/Marks.h"

#include <QDateTime>
#include <QLocale>
#include <QStringView>
#include <optional>

namespace {
using Marks::CrLf;

// The indentation of continued lines is capped: a longer prefix lays nothing out better, and
// without a cap a line of many multi-line placeholders would grow with the square of its size.
constexpr qsizetype MaxPrefix = 1024;

bool IsLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// The placeholders the substitution knows.
enum class Known { None, ProjFile, ProjId, App, Form, Control, Menu, Event, Target, Author, Date,
                   Copyright, Desc };

// The known placeholder a name stands for: its letters alone, in upper case, spell the
// placeholder's name. Matched without building the upper-cased name, as this runs for every
// placeholder of every piece of generated code.
Known KnownName(QStringView name)
{
    static constexpr struct
    {
        QLatin1String letters;
        Known key;
    } Names[] = {{QLatin1String("PROJFILE"), Known::ProjFile},
                 {QLatin1String("PROJID"), Known::ProjId},
                 {QLatin1String("APP"), Known::App},
                 {QLatin1String("FORM"), Known::Form},
                 {QLatin1String("CONTROL"), Known::Control},
                 {QLatin1String("MENU"), Known::Menu},
                 {QLatin1String("EVENT"), Known::Event},
                 {QLatin1String("TARGET"), Known::Target},
                 {QLatin1String("AUTHOR"), Known::Author},
                 {QLatin1String("DATE"), Known::Date},
                 {QLatin1String("COPYRIGHT"), Known::Copyright},
                 {QLatin1String("DESC"), Known::Desc}};
    constexpr int Longest = 9;
    char letters[Longest];
    int count = 0;
    for (QChar c : name) {
        if (!c.isLetter())
            continue;
        // Some letters outside A-Z upper-case into it (a dotless i, a long s).
        const char16_t u = c.unicode();
        const char16_t upper = u >= u'a' && u <= u'z' ? char16_t(u - (u'a' - u'A'))
                               : u < 128              ? u
                                                      : c.toUpper().unicode();
        if (upper < u'A' || upper > u'Z' || count == Longest)
            return Known::None;
        letters[count++] = char(upper);
    }
    const QLatin1String spelled(letters, count);
    for (const auto &entry : Names) {
        if (spelled == entry.letters)
            return entry.key;
    }
    return Known::None;
}

// The first "%%" at or after from; -1 when there is none. Template lines are short: a
// plain scan beats a library search call.
qsizetype FindMarker(QStringView text, qsizetype from)
{
    const QChar *const data = text.data();
    for (qsizetype at = from; at + 1 < text.size(); ++at) {
        if (data[at] == QLatin1Char('%') && data[at + 1] == QLatin1Char('%'))
            return at;
    }
    return -1;
}

// IDs and labels are nearly always plain ASCII, which the general case mapping handles
// many times slower: such text is mapped here (the same result), and text that needs no
// change is handed back shared. nullopt for text beyond ASCII.
std::optional<QString> AsciiCased(const QString &value, bool upper)
{
    const char16_t from = upper ? u'a' : u'A';
    const char16_t to = upper ? u'z' : u'Z';
    const QChar *const begin = value.constData();
    const QChar *const end = begin + value.size();
    const QChar *first = nullptr;
    for (const QChar *c = begin; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= 128)
            return std::nullopt;
        if (!first && u >= from && u <= to)
            first = c;
    }
    if (!first)
        return value;
    QString out = value;
    QChar *data = out.data();
    for (qsizetype i = first - begin; i < out.size(); ++i) {
        const char16_t u = data[i].unicode();
        if (u >= from && u <= to)
            data[i] = QChar(char16_t(upper ? u - (u'a' - u'A') : u + (u'a' - u'A')));
    }
    return out;
}

Placeholders::Casing CasingOfName(QStringView nameAsWritten)
{
    QChar letters[2];
    int count = 0;
    for (qsizetype i = 0; i < qMin<qsizetype>(2, nameAsWritten.size()); ++i) {
        if (nameAsWritten[i].isLetter())
            letters[count++] = nameAsWritten[i];
    }
    using Casing = Placeholders::Casing;
    if (count == 2 && letters[0].isUpper() && letters[1].isUpper())
        return Casing::Upper;
    if (count == 2 && letters[0].isUpper() && letters[1].isLower())
        return Casing::Mixed;
    if (count > 0 && letters[0].isLower() && (count == 1 || letters[1].isLower()))
        return Casing::Lower;
    return Casing::Unchanged;
}

// A text of several lines laid out below the text that precedes the placeholder on its line:
// every later line starts with that text, blanked except for " ", "*" and "!", so a value
// written after a comment mark continues as a comment block.
QString MultiLine(const QString &value, QStringView lineSoFar)
{
    qsizetype end = value.size();
    while (end > 0 && IsLineBreak(value[end - 1]))
        --end;
    if (end == 0)
        return {};
    QString prefix;
    bool prefixMade = false;
    QString out;
    out.reserve(end);
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = value[i];
        if (!IsLineBreak(c)) {
            out += c;
            continue;
        }
        if (c == QLatin1Char('\r') && i + 1 < end && value[i + 1] == QLatin1Char('\n'))
            ++i;
        if (!prefixMade) {
            const QStringView shown = lineSoFar.left(MaxPrefix);
            prefix.reserve(shown.size());
            for (QChar p : shown) {
                const bool kept = p == QLatin1Char(' ') || p == QLatin1Char('*')
                                  || p == QLatin1Char('!');
                prefix += kept ? p : QLatin1Char(' ');
            }
            prefixMade = true;
        }
        out += CrLf;
        out += prefix;
    }
    return out;
}

bool AllUpper(QStringView part)
{
    for (QChar c : part) {
        if (c.isLetter() && c.isLower())
            return false;
    }
    return true;
}

bool AllLower(QStringView part)
{
    for (QChar c : part) {
        if (c.isLetter() && c.isUpper())
            return false;
    }
    return true;
}
} // namespace

Placeholders::Casing Placeholders::CasingOf(const QString &nameAsWritten)
{
    return CasingOfName(nameAsWritten);
}

QString Placeholders::ApplyCasing(const QString &value, Casing casing)
{
    switch (casing) {
    case Casing::Upper:
        if (std::optional<QString> ascii = AsciiCased(value, true))
            return *ascii;
        return value.toUpper();
    case Casing::Lower:
        if (std::optional<QString> ascii = AsciiCased(value, false))
            return *ascii;
        return value.toLower();
    case Casing::Mixed:
        return MixedCase(value);
    case Casing::Unchanged:
        break;
    }
    return value;
}

QString Placeholders::MixedCase(const QString &value)
{
    QString out;
    out.reserve(value.size());
    qsizetype start = 0;
    while (start <= value.size()) {
        qsizetype dot = value.indexOf(QLatin1Char('.'), start);
        if (dot < 0)
            dot = value.size();
        const QStringView part = QStringView(value).mid(start, dot - start);
        if (AllUpper(part) || AllLower(part)) {
            bool afterNonLetter = true;
            for (QChar c : part) {
                if (c.isLetter()) {
                    out += afterNonLetter ? c.toUpper() : c.toLower();
                    afterNonLetter = false;
                } else {
                    out += c;
                    afterNonLetter = true;
                }
            }
        } else {
            out += part;
        }
        if (dot < value.size())
            out += QLatin1Char('.');
        start = dot + 1;
    }
    return out;
}

QDate Placeholders::Today()
{
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH").trimmed();
    if (!epoch.isEmpty()) {
        bool ok = false;
        const qlonglong seconds = epoch.toLongLong(&ok);
        if (ok) {
            const QDate date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).date();
            if (date.isValid())
                return date;
        }
    }
    return QDate::currentDate();
}

QString Placeholders::GeneralDate(const QDate &date)
{
    const QLocale locale = QLocale::system();
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(date, format);
}

QString Placeholders::SubstituteVariables(const QString &text, const TemplateVariables &vars,
                                          const QString &extraName)
{
    QString out;
    out.reserve(text.size() + 64);
    QString today;

    auto append = [&](QStringView chunk) { out += chunk; };
    // The output line so far, which a value of several lines is laid out below. Only
    // those values need it, so the output is scanned for line breaks when they come.
    qsizetype lineStart = 0;
    qsizetype scanned = 0;
    auto lineSoFar = [&] {
        for (; scanned < out.size(); ++scanned) {
            if (IsLineBreak(out[scanned]))
                lineStart = scanned + 1;
        }
        return QStringView(out).mid(lineStart);
    };

    const QStringView all(text);
    qsizetype pos = 0;
    while (pos < all.size()) {
        const qsizetype open = FindMarker(all, pos);
        if (open < 0)
            break;
        const qsizetype close = FindMarker(all, open + 2);
        if (close < 0)
            break;
        const QStringView name = all.mid(open + 2, close - open - 2);
        bool spansLines = false;
        for (QChar c : name) {
            if (IsLineBreak(c)) {
                spansLines = true;
                break;
            }
        }
        if (spansLines) {
            // A lone "%%" is ordinary text; the closing one may open a real placeholder.
            append(all.mid(pos, close - pos));
            pos = close;
            continue;
        }
        append(all.mid(pos, open - pos));
        pos = close + 2;

        auto cased = [&](const QString &value) { return ApplyCasing(value, CasingOfName(name)); };
        switch (KnownName(name)) {
        case Known::ProjFile:
            if (vars.ProjFile.isEmpty())
                return {};
            append(vars.ProjFile);
            break;
        case Known::ProjId:
            if (vars.ProjId.isEmpty())
                return {};
            append(vars.ProjId);
            break;
        case Known::App:
            if (vars.App.isEmpty())
                return {};
            append(cased(vars.App));
            break;
        case Known::Form:
            append(cased(vars.Form));
            break;
        case Known::Control:
            append(cased(vars.Control));
            break;
        case Known::Menu:
            append(cased(vars.Menu));
            break;
        case Known::Event:
            if (vars.Event.isEmpty())
                return {};
            append(cased(vars.Event));
            break;
        case Known::Target:
            if (vars.Target.isEmpty())
                return {};
            append(vars.Target);
            break;
        case Known::Author:
            append(vars.Author);
            break;
        case Known::Date:
            if (today.isEmpty())
                today = GeneralDate(Today());
            append(today);
            break;
        case Known::Copyright:
            append(MultiLine(vars.Copyright, lineSoFar()));
            break;
        case Known::Desc:
            append(MultiLine(vars.Desc, lineSoFar()));
            break;
        case Known::None:
            if (!extraName.isEmpty() && name.compare(extraName, Qt::CaseInsensitive) == 0)
                append(vars.Extra);
            break;
        }
    }
    append(all.mid(pos));
    return out;
}
