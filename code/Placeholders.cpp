#include "code/Placeholders.h"

#include <QDateTime>
#include <QLocale>
#include <QStringView>

namespace {
const QString Marker = QStringLiteral("%%");
const QString CrLf = QStringLiteral("\r\n");

// The indentation of continued lines is capped: a longer prefix lays nothing out better, and
// without a cap a line of many multi-line placeholders would grow with the square of its size.
constexpr qsizetype MaxPrefix = 1024;

bool IsLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

// The placeholder name reduced to its letters, in upper case.
QString LettersUpper(QStringView name)
{
    QString key;
    key.reserve(qMin<qsizetype>(name.size(), 16));
    for (QChar c : name) {
        if (c.isLetter())
            key += c.toUpper();
    }
    return key;
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
    QChar letters[2];
    int count = 0;
    for (qsizetype i = 0; i < qMin<qsizetype>(2, nameAsWritten.size()); ++i) {
        if (nameAsWritten[i].isLetter())
            letters[count++] = nameAsWritten[i];
    }
    if (count == 2 && letters[0].isUpper() && letters[1].isUpper())
        return Casing::Upper;
    if (count == 2 && letters[0].isUpper() && letters[1].isLower())
        return Casing::Mixed;
    if (count > 0 && letters[0].isLower() && (count == 1 || letters[1].isLower()))
        return Casing::Lower;
    return Casing::Unchanged;
}

QString Placeholders::ApplyCasing(const QString &value, Casing casing)
{
    switch (casing) {
    case Casing::Upper:
        return value.toUpper();
    case Casing::Lower:
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
    out.reserve(text.size());
    qsizetype lineStart = 0; // where the current output line begins
    QString today;

    auto append = [&](QStringView chunk) {
        for (qsizetype i = chunk.size() - 1; i >= 0; --i) {
            if (IsLineBreak(chunk[i])) {
                lineStart = out.size() + i + 1;
                break;
            }
        }
        out += chunk;
    };

    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(Marker, pos);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(Marker, open + 2);
        if (close < 0)
            break;
        const QStringView name = QStringView(text).mid(open + 2, close - open - 2);
        bool spansLines = false;
        for (QChar c : name) {
            if (IsLineBreak(c)) {
                spansLines = true;
                break;
            }
        }
        if (spansLines) {
            // A lone "%%" is ordinary text; the closing one may open a real placeholder.
            append(QStringView(text).mid(pos, close - pos));
            pos = close;
            continue;
        }
        append(QStringView(text).mid(pos, open - pos));
        pos = close + 2;

        const QString key = LettersUpper(name);
        const QString written = name.toString();
        auto cased = [&](const QString &value) { return ApplyCasing(value, CasingOf(written)); };

        QString value;
        if (key == QLatin1String("PROJFILE")) {
            if (vars.ProjFile.isEmpty())
                return {};
            value = vars.ProjFile;
        } else if (key == QLatin1String("PROJID")) {
            if (vars.ProjId.isEmpty())
                return {};
            value = vars.ProjId;
        } else if (key == QLatin1String("APP")) {
            if (vars.App.isEmpty())
                return {};
            value = cased(vars.App);
        } else if (key == QLatin1String("FORM")) {
            value = cased(vars.Form);
        } else if (key == QLatin1String("CONTROL")) {
            value = cased(vars.Control);
        } else if (key == QLatin1String("MENU")) {
            value = cased(vars.Menu);
        } else if (key == QLatin1String("EVENT")) {
            if (vars.Event.isEmpty())
                return {};
            value = cased(vars.Event);
        } else if (key == QLatin1String("TARGET")) {
            if (vars.Target.isEmpty())
                return {};
            value = vars.Target;
        } else if (key == QLatin1String("AUTHOR")) {
            value = vars.Author;
        } else if (key == QLatin1String("DATE")) {
            if (today.isEmpty())
                today = GeneralDate(Today());
            value = today;
        } else if (key == QLatin1String("COPYRIGHT")) {
            value = MultiLine(vars.Copyright, QStringView(out).mid(lineStart));
        } else if (key == QLatin1String("DESC")) {
            value = MultiLine(vars.Desc, QStringView(out).mid(lineStart));
        } else if (!extraName.isEmpty()
                   && written.compare(extraName, Qt::CaseInsensitive) == 0) {
            value = vars.Extra;
        }
        append(value);
    }
    append(QStringView(text).mid(pos));
    return out;
}
