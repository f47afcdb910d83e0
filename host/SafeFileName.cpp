#include "host/SafeFileName.h"

#include "support/Marks.h"

namespace {
bool NeedsEscape(QChar c, bool first)
{
    const char16_t u = c.unicode();
    return u == u'%' || u == u'/' || u == u'\\' || u < 0x20 || u == 0x7F || Marks::IsMark(c)
        || (first && u == u'.');
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1; // lower case is not canonical
}
} // namespace

QString SafeFileName::Encode(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("%");
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (!NeedsEscape(c, i == 0)) {
            out += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            out += QStringLiteral("%%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

bool SafeFileName::Decode(const QString &component, QString &name)
{
    if (component == QLatin1String("%")) {
        name.clear();
        return true;
    }
    if (component.isEmpty() || component.startsWith(u'.'))
        return false;
    QString decoded;
    QByteArray bytes;
    for (qsizetype i = 0; i < component.size(); ++i) {
        const QChar c = component.at(i);
        if (c != u'%') {
            decoded += QString::fromUtf8(bytes);
            bytes.clear();
            decoded += c;
            continue;
        }
        if (i + 2 >= component.size())
            return false;
        const int hi = HexDigit(component.at(i + 1));
        const int lo = HexDigit(component.at(i + 2));
        if (hi < 0 || lo < 0)
            return false;
        bytes += char(hi * 16 + lo);
        i += 2;
    }
    decoded += QString::fromUtf8(bytes);
    // Only the one canonical encoding counts, so two components never name the same thing
    // (this also rejects escapes that are not whole UTF-8 characters).
    if (Encode(decoded) != component)
        return false;
    name = decoded;
    return true;
}
