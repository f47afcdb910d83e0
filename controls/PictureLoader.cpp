#include "controls/PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

#include <FreeImage.h>

#include <memory>

namespace PictureLoader {

namespace {

QString TooLarge(const QString &name, QSize size)
{
    return QStringLiteral("The picture %1 is too large (%2 x %3 pixels; at most %4 x %4).")
        .arg(name)
        .arg(size.width())
        .arg(size.height())
        .arg(MaxSide);
}

bool Acceptable(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide
           && size.height() <= MaxSide && qint64(size.width()) * size.height() <= MaxPixels;
}

// FreeImage reports its errors through one process-wide callback; the last one is kept for
// the message of the failing load.
QString &LastFreeImageMessage()
{
    thread_local QString message;
    return message;
}

void OnFreeImageMessage(FREE_IMAGE_FORMAT, const char *text)
{
    LastFreeImageMessage() = QString::fromUtf8(text ? text : "");
}

void InitFreeImage()
{
    static const bool done = [] {
        FreeImage_SetOutputMessage(OnFreeImageMessage);
        return true;
    }();
    Q_UNUSED(done);
}

struct MemoryCloser
{
    void operator()(FIMEMORY *m) const { FreeImage_CloseMemory(m); }
};
struct BitmapCloser
{
    void operator()(FIBITMAP *b) const { FreeImage_Unload(b); }
};
using Memory = std::unique_ptr<FIMEMORY, MemoryCloser>;
using Bitmap = std::unique_ptr<FIBITMAP, BitmapCloser>;

QImage ToQImage(FIBITMAP *source)
{
    Bitmap bits(FreeImage_ConvertTo32Bits(source));
    if (!bits)
        return {};
    const int width = int(FreeImage_GetWidth(bits.get()));
    const int height = int(FreeImage_GetHeight(bits.get()));
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    // FreeImage keeps rows bottom-up in B, G, R, A byte order: the memory layout of ARGB32
    // on a little-endian machine.
    for (int y = 0; y < height; ++y)
        memcpy(image.scanLine(y), FreeImage_GetScanLine(bits.get(), height - 1 - y),
               size_t(width) * 4);
    return image;
}

Result DecodeWithFreeImage(const QByteArray &bytes, const QString &name)
{
    InitFreeImage();
    LastFreeImageMessage().clear();
    Memory memory(FreeImage_OpenMemory(reinterpret_cast<BYTE *>(const_cast<char *>(bytes.data())),
                                       DWORD(bytes.size())));
    if (!memory)
        return {{}, QStringLiteral("The picture %1 cannot be read.").arg(name)};
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory.get(), 0);
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return {{}, QStringLiteral("%1 is not a picture of a known format.").arg(name)};
    // Without a header-only load the declared size cannot be checked before the pixels are
    // allocated: such formats are not read.
    if (!FreeImage_FIFSupportsNoPixels(format))
        return {{}, QStringLiteral("The picture format of %1 is not supported.").arg(name)};
    {
        Bitmap header(FreeImage_LoadFromMemory(format, memory.get(), FIF_LOAD_NOPIXELS));
        if (!header)
            return {{}, QStringLiteral("The picture %1 is damaged.").arg(name)};
        const QSize size(int(qMin(FreeImage_GetWidth(header.get()), unsigned(INT_MAX))),
                         int(qMin(FreeImage_GetHeight(header.get()), unsigned(INT_MAX))));
        if (!Acceptable(size))
            return {{}, TooLarge(name, size)};
    }
    FreeImage_SeekMemory(memory.get(), 0, SEEK_SET);
    Bitmap bitmap(FreeImage_LoadFromMemory(format, memory.get(), 0));
    if (!bitmap || !FreeImage_HasPixels(bitmap.get())) {
        const QString why = LastFreeImageMessage();
        return {{}, why.isEmpty() ? QStringLiteral("The picture %1 is damaged.").arg(name)
                                  : QStringLiteral("The picture %1 is damaged: %2").arg(name, why)};
    }
    QImage image = ToQImage(bitmap.get());
    if (image.isNull())
        return {{}, QStringLiteral("The picture %1 cannot be converted.").arg(name)};
    return {image, {}};
}

} // namespace

Result LoadBytes(const QByteArray &bytes, const QString &name)
{
    if (bytes.isEmpty())
        return {{}, QStringLiteral("The picture %1 is empty.").arg(name)};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (reader.canRead()) {
        const QSize declared = reader.size();
        if (declared.isValid() && !Acceptable(declared))
            return {{}, TooLarge(name, declared)};
        reader.setAllocationLimit(int(MaxPixels * 4 / (1024 * 1024)));
        QImage image;
        if (reader.read(&image) && !image.isNull())
            return {image, {}};
        if (!declared.isValid() || reader.error() != QImageReader::UnsupportedFormatError)
            return {{}, QStringLiteral("The picture %1 is damaged: %2")
                            .arg(name, reader.errorString())};
    }
    return DecodeWithFreeImage(bytes, name);
}

Result LoadFile(const QString &path)
{
    QFile file(path);
    const QString name = QDir::toNativeSeparators(path);
    if (!QFileInfo(path).isFile())
        return {{}, QStringLiteral("The picture file %1 does not exist.").arg(name)};
    if (file.size() > MaxFileBytes)
        return {{}, QStringLiteral("The picture file %1 is too large.").arg(name)};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The picture file %1 cannot be read: %2")
                        .arg(name, file.errorString())};
    return LoadBytes(file.readAll(), name);
}

bool IsUrl(const QString &name)
{
    const QString trimmed = name.trimmed();
    return trimmed.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
           || trimmed.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

QString LocalPath(const QString &name, const QString &baseFolder)
{
    QString path = name.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        path = path.mid(7);
    const bool absolute = path.startsWith(QLatin1Char('/'))
                          || (path.size() >= 2 && path.at(1) == QLatin1Char(':')
                              && path.at(0).isLetter());
    if (!absolute && !baseFolder.isEmpty() && !path.isEmpty())
        path = QDir(baseFolder).filePath(path);
    return path;
}

QRect Placement(QSize picture, QSize box, Scale mode)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    switch (mode) {
    case Scale::Stretch:
        return QRect(QPoint(0, 0), box);
    case Scale::PreserveAspect: {
        const QSize fitted = picture.scaled(box, Qt::KeepAspectRatio);
        return QRect(QPoint((box.width() - fitted.width()) / 2,
                            (box.height() - fitted.height()) / 2),
                     fitted);
    }
    case Scale::None:
    case Scale::AutoResize:
        break;
    }
    return QRect(QPoint(0, 0), picture);
}

QImage ScaledTo(const QImage &image, QSize size)
{
    if (image.isNull() || size.isEmpty())
        return {};
    if (image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace PictureLoader
