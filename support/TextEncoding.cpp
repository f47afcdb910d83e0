#include "support/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextEncoding {

Decoded Decode(const QByteArray &bytes)
{
    Decoded result;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless);
        result.Text = utf16(bytes.mid(2));
        result.Used = little ? Encoding::Utf16LE : Encoding::Utf16BE;
        result.Bom = true;
        return result;
    }
    result.Bom = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray body = result.Bom ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    result.Text = utf8(body);
    if (utf8.hasError()) {
        result.Text = QString::fromLatin1(body);
        result.Used = Encoding::Latin1;
    }
    return result;
}

QByteArray Encode(const QString &text, Encoding encoding, bool bom)
{
    switch (encoding) {
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool little = encoding == Encoding::Utf16LE;
        QStringEncoder utf16(little ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
        QByteArray bytes = bom ? QByteArray(little ? "\xFF\xFE" : "\xFE\xFF", 2) : QByteArray();
        bytes += QByteArray(utf16(text));
        return bytes;
    }
    case Encoding::Latin1: {
        bool fits = true;
        for (QChar c : text) {
            if (c.unicode() > 0xFF) {
                fits = false;
                break;
            }
        }
        if (fits)
            return text.toLatin1();
        break; // a character beyond Latin-1: the text is stored as UTF-8
    }
    case Encoding::Utf8:
        break;
    }
    QByteArray bytes = bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += text.toUtf8();
    return bytes;
}

} // namespace TextEncoding
