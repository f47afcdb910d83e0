#pragma once

#include <QByteArray>
#include <QString>

// How the designer reads and writes the text files people edit by hand (templates, programs,
// ini files): a byte-order mark picks UTF-8 or UTF-16; without one the bytes are UTF-8, or
// Latin-1 when they are not valid UTF-8. Writing keeps the encoding a file was read with.
namespace TextEncoding {

enum class Encoding { Utf8, Latin1, Utf16LE, Utf16BE };

struct Decoded
{
    QString Text;
    Encoding Used = Encoding::Utf8;
    bool Bom = false;
};

Decoded Decode(const QByteArray &bytes);

// The bytes of a text in an encoding, with its byte-order mark when bom is set. Latin-1 that
// cannot hold every character falls back to UTF-8.
QByteArray Encode(const QString &text, Encoding encoding, bool bom = false);

} // namespace TextEncoding
