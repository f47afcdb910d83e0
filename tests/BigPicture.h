#pragma once
// A PNG of one grey level at any size up to the loader's limit, made without the pixels in
// memory: an 8,192 x 8,192 picture is about 80 KB on disk and 64 million pixels decoded.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

namespace big_picture {

inline quint32 Crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline QByteArray Be32(quint32 v)
{
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

inline QByteArray Chunk(const QByteArray &type, const QByteArray &data)
{
    const QByteArray body = type + data;
    return Be32(quint32(data.size())) + body + Be32(Crc32(body));
}

inline QByteArray GreyPng(int width, int height, quint8 grey)
{
    const QByteArray ihdr = Be32(quint32(width)) + Be32(quint32(height))
                            + QByteArray("\x08\x00\x00\x00\x00", 5); // 8-bit grey
    QByteArray rows;
    rows.reserve(qsizetype(width + 1) * height);
    const QByteArray row = QByteArray(1, '\0') + QByteArray(width, char(grey));
    for (int y = 0; y < height; ++y)
        rows += row;
    // qCompress gives a zlib stream after a 4-byte length of its own.
    const QByteArray idat = qCompress(rows, 9).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr) + Chunk("IDAT", idat)
           + Chunk("IEND", {});
}

inline bool WriteGreyPng(const QString &path, int width, int height, quint8 grey)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(GreyPng(width, height, grey)) > 0;
}

} // namespace big_picture
