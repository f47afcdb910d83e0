#include "host/DocumentName.h"

#include "support/Marks.h"

#include <QStringList>

namespace {
constexpr QLatin1String Separator("://");

bool NeedsEscape(QChar c, bool inType)
{
    const char16_t u = c.unicode();
    return u == u'%' || u == u'/' || u < 0x20 || u == 0x7F || Marks::IsMark(c)
        || (inType && u == u':');
}

QString Escape(const QString &part, bool inType = false)
{
    QString out;
    out.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QChar c = part.at(i);
        if (!NeedsEscape(c, inType)) {
            out += c;
            continue;
        }
        for (const char byte : QString(c).toUtf8())
            out += QStringLiteral("%%1").arg(uchar(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Runs of escapes are gathered into bytes first, so multi-byte characters decode whole.
bool Unescape(const QString &text, QString &out)
{
    out.clear();
    QByteArray bytes;
    auto flush = [&] {
        if (bytes.isEmpty())
            return true;
        const QString decoded = QString::fromUtf8(bytes);
        if (decoded.toUtf8() != bytes)
            return false;
        out += decoded;
        bytes.clear();
        return true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'%') {
            if (!flush())
                return false;
            out += text.at(i);
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = HexValue(text.at(i + 1));
        const int lo = HexValue(text.at(i + 2));
        if (hi < 0 || lo < 0)
            return false;
        bytes += char(hi * 16 + lo);
        i += 2;
    }
    return flush();
}

bool LooksEscaped(const QString &name)
{
    const qsizetype sep = name.indexOf(Separator);
    return sep >= 0 && !name.left(sep).contains(u'/');
}
} // namespace

QString DocumentName::Build() const
{
    return Build(HostType, HostName, AccountName, FileName, ItemID);
}

QString DocumentName::Build(const QString &hostType, const QString &hostName,
                            const QString &account, const QString &fileName,
                            const QString &itemId)
{
    const bool barePath = hostType == FileType && hostName.isEmpty() && account.isEmpty()
        && itemId.isEmpty() && !fileName.isEmpty() && !LooksEscaped(fileName);
    if (barePath)
        return fileName;
    return Escape(hostType, true) + Separator + Escape(hostName) + u'/' + Escape(account) + u'/'
        + Escape(fileName) + u'/' + Escape(itemId);
}

bool DocumentName::Split(const QString &name, DocumentName &parts)
{
    if (name.isEmpty())
        return false;
    if (!LooksEscaped(name)) {
        parts = DocumentName{FileType, {}, {}, name, {}};
        return true;
    }
    const qsizetype sep = name.indexOf(Separator);
    const QStringList fields = name.mid(sep + Separator.size()).split(u'/');
    if (fields.size() != 4)
        return false;
    DocumentName result;
    if (!Unescape(name.left(sep), result.HostType) || !Unescape(fields[0], result.HostName)
        || !Unescape(fields[1], result.AccountName) || !Unescape(fields[2], result.FileName)
        || !Unescape(fields[3], result.ItemID))
        return false;
    parts = result;
    return true;
}
