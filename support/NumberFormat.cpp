#include "support/NumberFormat.h"

#include <cmath>

namespace NumberFormat {

QString Format(double value, int maxDecimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    maxDecimals = qBound(0, maxDecimals, 15);
    // Whole numbers (most positions and sizes) are their digits at any number of decimals;
    // they are written without the general conversion, which costs many times more.
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(qint64(value));
    QString text = QString::number(value, 'f', maxDecimals);
    if (text.contains(QLatin1Char('.'))) {
        qsizetype end = text.size();
        while (text.at(end - 1) == QLatin1Char('0'))
            --end;
        if (text.at(end - 1) == QLatin1Char('.'))
            --end;
        text.truncate(end);
    }
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    return text;
}

double ParseInvariant(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    const QStringView view = QStringView(text).trimmed();

    // Checked by hand: the library conversions also take "inf", "nan" or hexadecimal.
    qsizetype i = 0;
    const qsizetype n = view.size();
    auto digitsFrom = [&](qsizetype from) {
        qsizetype at = from;
        while (at < n && view[at].unicode() >= u'0' && view[at].unicode() <= u'9')
            ++at;
        return at - from;
    };
    if (i < n && (view[i] == QLatin1Char('+') || view[i] == QLatin1Char('-')))
        ++i;
    const qsizetype wholeFrom = i;
    qsizetype digits = digitsFrom(i);
    i += digits;

    // Project texts are mostly whole numbers (positions, sizes, codes, masks). Up to 15
    // digits they are exact in a double, so they are summed here rather than handed to the
    // general conversion, which costs many times more.
    if (digits > 0 && digits <= 15 && i == n) {
        qint64 whole = 0;
        for (qsizetype at = wholeFrom; at < n; ++at)
            whole = whole * 10 + (view[at].unicode() - u'0');
        if (ok)
            *ok = true;
        // "-0" gives -0.0 like the general conversion.
        return view[0] == QLatin1Char('-') ? -double(whole) : double(whole);
    }

    if (i < n && view[i] == QLatin1Char('.')) {
        ++i;
        const qsizetype fraction = digitsFrom(i);
        i += fraction;
        digits += fraction;
    }
    if (digits == 0)
        return 0;
    if (i < n && (view[i] == QLatin1Char('e') || view[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (view[i] == QLatin1Char('+') || view[i] == QLatin1Char('-')))
            ++i;
        const qsizetype exponent = digitsFrom(i);
        if (exponent == 0)
            return 0;
        i += exponent;
    }
    if (i != n)
        return 0;

    bool converted = false;
    const double value = view.toDouble(&converted);
    if (!converted || !std::isfinite(value))
        return 0;
    if (ok)
        *ok = true;
    return value;
}

double ParseLocal(const QString &text, QChar decimalSeparator, bool *ok)
{
    QString invariant = text;
    if (decimalSeparator != QLatin1Char('.'))
        invariant.replace(decimalSeparator, QLatin1Char('.'));
    return ParseInvariant(invariant, ok);
}

double Round2(double value)
{
    if (!std::isfinite(value))
        return value;
    const double rounded = std::round(value * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

bool ParseInteger(QStringView text, qint64 &value)
{
    if (!text.isEmpty() && text.size() <= 18) {
        qint64 v = 0;
        qsizetype i = 0;
        for (; i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9'; ++i)
            v = v * 10 + (text[i].unicode() - u'0');
        if (i == text.size()) {
            value = v;
            return true;
        }
    }
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok)
        value = v;
    return ok;
}

} // namespace NumberFormat
