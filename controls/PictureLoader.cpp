#include "controls/PictureLoader.h"

#include "support/RegularFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QUrl>

#include <FreeImage.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>

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

int &Shortfalls()
{
    static int count = 0;
    return count;
}

Result Refused(const QString &name, qint64 pixels, qint64 allowance)
{
    ++Shortfalls();
    return {{},
            QStringLiteral("The picture %1 is not shown: its %2 million pixels are more than "
                           "the %3 million that the pictures in use leave.")
                .arg(name)
                .arg(double(pixels) / 1e6, 0, 'f', 1)
                .arg(double(qMax<qint64>(0, allowance)) / 1e6, 0, 'f', 1),
            true};
}

// Whether the pixels of a picture of this size could be had at all: a decoder that failed on
// a picture of a sound size most likely found no memory for it.
bool MemoryFor(QSize size)
{
    void *block = std::malloc(size_t(size.width()) * size_t(size.height()) * 4);
    std::free(block);
    return block != nullptr;
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

// A null image when FreeImage cannot convert the pixels (`converted` false) or when there
// is no memory for them.
QImage ToQImage(FIBITMAP *source, bool &converted)
{
    Bitmap bits(FreeImage_ConvertTo32Bits(source));
    converted = bool(bits);
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

Result DecodeWithFreeImage(const QByteArray &bytes, const QString &name, qint64 allowance)
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
    QSize size;
    {
        Bitmap header(FreeImage_LoadFromMemory(format, memory.get(), FIF_LOAD_NOPIXELS));
        if (!header)
            return {{}, QStringLiteral("The picture %1 is damaged.").arg(name)};
        size = QSize(int(qMin(FreeImage_GetWidth(header.get()), unsigned(INT_MAX))),
                     int(qMin(FreeImage_GetHeight(header.get()), unsigned(INT_MAX))));
        if (!Acceptable(size))
            return {{}, TooLarge(name, size)};
        if (qint64(size.width()) * size.height() > allowance)
            return Refused(name, qint64(size.width()) * size.height(), allowance);
    }
    FreeImage_SeekMemory(memory.get(), 0, SEEK_SET);
    Bitmap bitmap(FreeImage_LoadFromMemory(format, memory.get(), 0));
    if (!bitmap || !FreeImage_HasPixels(bitmap.get())) {
        if (!MemoryFor(size))
            return NoMemory(name);
        const QString why = LastFreeImageMessage();
        return {{}, why.isEmpty() ? QStringLiteral("The picture %1 is damaged.").arg(name)
                                  : QStringLiteral("The picture %1 is damaged: %2").arg(name, why)};
    }
    bool converted = false;
    QImage image = ToQImage(bitmap.get(), converted);
    if (!converted)
        return {{}, QStringLiteral("The picture %1 cannot be converted.").arg(name)};
    if (image.isNull())
        return NoMemory(name);
    return {image, {}};
}

} // namespace

Result LoadBytes(const QByteArray &bytes, const QString &name, qint64 allowance)
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
        if (declared.isValid() && qint64(declared.width()) * declared.height() > allowance)
            return Refused(name, qint64(declared.width()) * declared.height(), allowance);
        reader.setAllocationLimit(int(MaxPixels * 4 / (1024 * 1024)));
        QImage image;
        if (reader.read(&image) && !image.isNull()) {
            const qint64 pixels = qint64(image.width()) * image.height();
            if (pixels > allowance)
                return Refused(name, pixels, allowance);
            return {image, {}};
        }
        if (declared.isValid() && !MemoryFor(declared))
            return NoMemory(name);
        if (!declared.isValid() || reader.error() != QImageReader::UnsupportedFormatError)
            return {{}, QStringLiteral("The picture %1 is damaged: %2")
                            .arg(name, reader.errorString())};
    }
    return DecodeWithFreeImage(bytes, name, allowance);
}

namespace {
Result LoadFileWithin(const QString &path, qint64 allowance)
{
    const QString name = QDir::toNativeSeparators(path);
    // Read as every file a user names is read: without waiting on the open, regular files
    // only, never more than the limit. A kernel file that says it is empty (/proc/self/pagemap)
    // stops at the limit; one that never answers (/proc/kmsg) stops at once.
    RegularFile::Result read = RegularFile::Read(path, MaxFileBytes);
    if (read.Ok)
        return LoadBytes(read.Bytes, name, allowance);
    if (read.Errno == ENOENT || (read.Errno == ENOTDIR && !QFileInfo::exists(path)))
        return {{}, QStringLiteral("The picture file %1 does not exist.").arg(name)};
    if (read.TooLarge)
        return {{}, QStringLiteral("The picture file %1 is too large.").arg(name)};
    // Folders, devices and pipes are not read: a device may never end.
    if (read.Errno == 0)
        return {{}, QStringLiteral("%1 is not a picture file.").arg(name)};
    return {{}, QStringLiteral("The picture file %1 cannot be read: %2").arg(name, read.Reason)};
}
} // namespace

Result LoadFile(const QString &path)
{
    return LoadFileWithin(path, MaxPixels);
}

namespace {

// What tells one version of a file from the next: a picture edited on disk is decoded anew.
struct FileStamp
{
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    qint64 Modified = 0;
    bool operator==(const FileStamp &) const = default;
};

struct SharedPicture
{
    QImage Image;
    QString Error;  // a file that gave no picture, kept while the file is unchanged
    FileStamp Stamp;
    bool Kept = false;  // a download: kept for the run
};

QHash<QString, SharedPicture> &Store()
{
    static QHash<QString, SharedPicture> store;
    return store;
}

// The pixels of the pictures in the store when last counted, plus those added since. Pictures
// let go of in between are still counted: the figure errs on the side of the budget, and a
// picture is only refused after an exact count.
qint64 &Counted()
{
    static qint64 pixels = 0;
    return pixels;
}

qsizetype &CountedAtSize()
{
    static qsizetype size = 0;
    return size;
}

qint64 Pixels(const QImage &image) { return qint64(image.width()) * image.height(); }

// Drops the pictures nobody shows any more (only the store holds their pixels) and counts
// the pixels of the rest.
qint64 Tidy()
{
    qint64 inUse = 0;
    auto &store = Store();
    for (auto it = store.begin(); it != store.end();) {
        if (!it->Kept && (it->Image.isNull() ? it->Error.isEmpty() : it->Image.isDetached())) {
            it = store.erase(it);
            continue;
        }
        inUse += Pixels(it->Image);
        ++it;
    }
    CountedAtSize() = store.size();
    return Counted() = inUse;
}

// The pixels in use: counted anew when the store has doubled since the last count (so that
// a project of many pictures costs no square), or when `exact` is asked for.
qint64 InUse(bool exact)
{
    if (exact || Store().size() > 2 * CountedAtSize() + 64)
        return Tidy();
    return Counted();
}

void Insert(const QString &key, const SharedPicture &picture)
{
    Store().insert(key, picture);
    Counted() += Pixels(picture.Image);
}

// What a new picture may have: the budget's rest, counted exactly when it runs short.
qint64 Allowance()
{
    qint64 inUse = InUse(false);
    if (MaxPixelsInUse - inUse < MaxPixels)
        inUse = InUse(true);
    return qMin(MaxPixels, MaxPixelsInUse - inUse);
}

QString FileKey(const QString &path) { return QStringLiteral("file:") + path; }

QString ScaledKey(const QImage &image, QSize size)
{
    return QStringLiteral("scaled:%1:%2x%3").arg(image.cacheKey()).arg(size.width()).arg(size.height());
}

} // namespace

Result NoMemory(const QString &name)
{
    ++Shortfalls();
    return {{}, QStringLiteral("The picture %1 cannot be shown: there is not enough memory.").arg(name),
            true};
}

Result LoadShared(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return LoadFile(path);
    const FileStamp stamp{st.st_dev, st.st_ino, st.st_size,
                          qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    const QString key = FileKey(path);
    if (const auto known = Store().constFind(key);
        known != Store().constEnd() && known->Stamp == stamp)
        return {known->Image, known->Error};
    Store().remove(key);
    // The budget is checked on the size the picture declares, before its pixels exist.
    const Result result = LoadFileWithin(path, Allowance());
    if (!result.OutOfMemory)
        Insert(key, {result.Image, result.Error, stamp, false});
    return result;
}

Result KeepBytes(const QByteArray &bytes, const QString &key)
{
    Result result = LoadBytes(bytes, key, Allowance());
    if (result.Ok())
        Insert(QStringLiteral("url:") + key, {result.Image, {}, {}, true});
    return result;
}

QImage ScaledShared(const QImage &image, QSize size)
{
    if (image.isNull() || size.isEmpty())
        return {};
    if (image.size() == size)
        return image;
    InUse(false);
    const QString key = ScaledKey(image, size);
    if (const auto known = Store().constFind(key); known != Store().constEnd())
        return known->Image;
    const QImage scaled = ScaledTo(image, size);
    if (scaled.isNull()) {
        ++Shortfalls();
        return {};
    }
    Insert(key, {scaled, {}, {}, false});
    return scaled;
}

QImage Kept(const QString &key)
{
    return Store().value(QStringLiteral("url:") + key).Image;
}

void ForgetShared()
{
    Store().clear();
    Counted() = 0;
    CountedAtSize() = 0;
}

qint64 PixelsInUse()
{
    return InUse(true);
}

int MemoryShortfalls()
{
    return Shortfalls();
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
