#include "code/Placeholders.h"

#include "support/GuiError.h"
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
            // A comment not marked by "*" or "!" (REM) continues as a "*" comment.
            if (!prefix.contains(QLatin1Char('*')) && !prefix.contains(QLatin1Char('!')))
                prefix = QStringLiteral("* ");
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
// Where in a line of BASIC a placeholder stands, judged from the text before it on its line.
// Values from the project are written by this: inside a string literal so that no delimiter
// in them can end it, in a comment so that every later line stays a comment, and outside
// both only when they are plain names.
class LineContext
{
public:
    enum class Kind { Code, Literal, Comment };

    Kind Where() const { return m_kind; }
    QChar Delimiter() const { return m_delimiter; }

    void Feed(QChar c)
    {
        if (IsLineBreak(c)) {
            *this = LineContext();
            return;
        }
        switch (m_kind) {
        case Kind::Comment:
            return;
        case Kind::Literal:
            if (c == m_delimiter)
                m_kind = Kind::Code;
            return;
        case Kind::Code:
            break;
        }
        const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t');
        // The first word of a statement, as far as it could still be REM.
        if (m_wordLength >= 0) {
            if (c.isLetter() && m_wordLength < 3
                && c.toUpper() == QLatin1Char("REM"[m_wordLength])) {
                ++m_wordLength;
                return;
            }
            const bool rem = m_wordLength == 3 && blank;
            m_wordLength = -1;
            if (rem) {
                m_kind = Kind::Comment;
                return;
            }
        }
        if (blank)
            return;
        // "*", "!" or REM opens a comment at the start of a statement: of the line or after ";".
        if (m_atStatementStart && (c == QLatin1Char('*') || c == QLatin1Char('!'))) {
            m_kind = Kind::Comment;
            return;
        }
        if (m_atStatementStart && c.toUpper() == QLatin1Char('R')) {
            m_atStatementStart = false;
            m_wordLength = 1;
            return;
        }
        m_atStatementStart = c == QLatin1Char(';');
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            m_kind = Kind::Literal;
            m_delimiter = c;
        }
    }
    void Feed(QStringView text)
    {
        for (QChar c : text)
            Feed(c);
    }

private:
    Kind m_kind = Kind::Code;
    QChar m_delimiter;
    bool m_atStatementStart = true;
    int m_wordLength = -1; // letters of "REM" matched at a statement's start; -1 when none
};

// The single-byte code a character has in the host's character set, for CHAR(); -1 for none.
int HostCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xF8FB && u <= 0xF8FF) // the marks as the designer holds them
        return 251 + (u - 0xF8FB);
    return u < 256 ? int(u) : -1;
}

// Characters that may not stand raw in a program: control characters (line breaks among
// them) and the marks, which end a line or a field of the program item.
bool Unprintable(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0) || (u >= 0xF8FB && u <= 0xF8FF)
           || u == 0x2028 || u == 0x2029;
}

// Inside a literal: a delimiter or unprintable character closes the literal, is added as
// CHAR(n) and the literal opens again: 'X' : CHAR(39) : 'Y'. So a value can never end its
// literal, whatever delimiters it holds, and the program reads back the same value.
QString InLiteral(const QString &value, QChar delimiter, const QString &what)
{
    QString out;
    out.reserve(value.size());
    bool escaped = false;
    for (QChar c : value) {
        if (c != delimiter && !Unprintable(c)) {
            out += c;
            escaped = false;
            continue;
        }
        const int code = HostCode(c);
        if (code < 0)
            throw GuiError(GuiErrors::TemplateError,
                           QStringLiteral("The %1 holds a character (U+%2) that cannot be written "
                                          "into the program code.")
                               .arg(what)
                               .arg(int(c.unicode()), 4, 16, QLatin1Char('0')));
        // Characters escaped one after another share one pause of the literal.
        if (escaped)
            out.chop(1);
        else
            out += delimiter + QStringLiteral(" : ");
        out += QStringLiteral("CHAR(%1) : ").arg(code);
        out += delimiter;
        escaped = true;
    }
    return out;
}

// In a comment: line breaks continue the comment (see MultiLine); other unprintable
// characters are shown as "?".
QString InComment(const QString &value, QStringView lineSoFar)
{
    QString shown = MultiLine(value, lineSoFar);
    for (QChar &c : shown) {
        if (Unprintable(c) && !IsLineBreak(c))
            c = QLatin1Char('?');
    }
    return shown;
}

// Outside a literal and a comment only a plain name may stand (a label, an ID made of
// letters, digits, ".", "_" and "$"); anything else is refused, naming the value.
bool PlainName(const QString &value)
{
    for (QChar c : value) {
        const char16_t u = c.unicode();
        const bool plain = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z')
                           || (u >= u'a' && u <= u'z') || (u >= 0xA0 && u <= 0xFA)
                           || (u > 0xFF && c.isLetterOrNumber())
                           || u == u'.' || u == u'_' || u == u'$';
        if (!plain)
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
    // The output line so far, which a value of several lines is laid out below, and where in
    // it the next placeholder stands. The output is scanned only when a placeholder comes.
    qsizetype lineStart = 0;
    qsizetype scanned = 0;
    LineContext context;
    auto lineSoFar = [&] {
        for (; scanned < out.size(); ++scanned) {
            const QChar c = out[scanned];
            context.Feed(c);
            if (IsLineBreak(c))
                lineStart = scanned + 1;
        }
        return QStringView(out).mid(lineStart);
    };
    // A value of the project, written so that it can only be data where it stands.
    auto value = [&](const QString &text, const char *what, bool multiLine = false,
                     bool trusted = false) {
        const QStringView line = lineSoFar();
        switch (context.Where()) {
        case LineContext::Kind::Comment:
            append(InComment(text, line));
            break;
        case LineContext::Kind::Literal: {
            if (!multiLine) {
                append(InLiteral(text, context.Delimiter(), QLatin1String(what)));
                break;
            }
            qsizetype end = text.size();
            while (end > 0 && IsLineBreak(text[end - 1]))
                --end;
            append(InLiteral(text.left(end), context.Delimiter(), QLatin1String(what)));
            break;
        }
        case LineContext::Kind::Code:
            // The event handler label is made by the generator of label characters alone.
            if (!trusted && !PlainName(text))
                throw GuiError(GuiErrors::TemplateError,
                               QStringLiteral("The %1 '%2' cannot be written into the program "
                                              "code: the template places it outside a string and "
                                              "a comment, where only a plain name may stand.")
                                   .arg(QLatin1String(what), text));
            append(text);
            break;
        }
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
            value(vars.ProjFile, "project file name");
            break;
        case Known::ProjId:
            if (vars.ProjId.isEmpty())
                return {};
            value(vars.ProjId, "project item ID");
            break;
        case Known::App:
            if (vars.App.isEmpty())
                return {};
            value(cased(vars.App), "application ID");
            break;
        case Known::Form:
            value(cased(vars.Form), "form ID");
            break;
        case Known::Control:
            value(cased(vars.Control), "control ID");
            break;
        case Known::Menu:
            value(cased(vars.Menu), "menu item ID");
            break;
        case Known::Event:
            if (vars.Event.isEmpty())
                return {};
            value(cased(vars.Event), "event name");
            break;
        case Known::Target:
            if (vars.Target.isEmpty())
                return {};
            value(vars.Target, "event handler label", false, true);
            break;
        case Known::Author:
            value(vars.Author, "author", true);
            break;
        case Known::Date:
            if (today.isEmpty())
                today = GeneralDate(Today());
            value(today, "date");
            break;
        case Known::Copyright:
            value(vars.Copyright, "copyright", true);
            break;
        case Known::Desc:
            value(vars.Desc, "description", true);
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
