// PictureLoader: pictures Qt and FreeImage decode, and files that must fail cleanly (missing,
// truncated, not pictures, or declaring a huge size in their header) without a crash and
// without allocating what the header claims.
#include "controls/PictureLoader.h"
#include "tests/BigPicture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using big_picture::Be32;
using big_picture::Chunk;

QByteArray Le16(quint16 v)
{
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray Le32(quint32 v)
{
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray PngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A PNG whose header declares a size; with `complete`, a few bytes of (bad) pixel data and
// the end chunk follow, so the file is whole but its pixels would need gigabytes.
QByteArray PngHeader(quint32 width, quint32 height, bool complete = true)
{
    const QByteArray ihdr = Be32(width) + Be32(height) + QByteArray("\x08\x06\x00\x00\x00", 5);
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", ihdr);
    if (complete)
        png += Chunk("IDAT", QByteArray("\x78\x9c\x03\x00", 4)) + Chunk("IEND", {});
    return png;
}

// A little-endian TIFF of 8-bit grey pixels, one strip; Qt has no reader for it here, so it
// goes to FreeImage. `pixels` may be shorter than the header claims.
QByteArray Tiff(quint32 width, quint32 height, const QByteArray &pixels)
{
    struct Tag { quint16 id, type; quint32 count, value; };
    const quint32 entries = 9;
    const quint32 dataAt = 8 + 2 + entries * 12 + 4;
    const Tag tags[entries] = {
        {256, 4, 1, width}, {257, 4, 1, height}, {258, 3, 1, 8}, {259, 3, 1, 1},
        {262, 3, 1, 1}, {273, 4, 1, dataAt}, {277, 3, 1, 1}, {278, 4, 1, height},
        {279, 4, 1, width * height},
    };
    QByteArray out = QByteArray("II*\0", 4) + Le32(8) + Le16(quint16(entries));
    for (const Tag &t : tags)
        out += Le16(t.id) + Le16(t.type) + Le32(t.count) + Le32(t.value);
    return out + Le32(0) + pixels;
}

QByteArray BmpHeader(qint32 width, qint32 height)
{
    QByteArray info = Le32(40) + Le32(quint32(width)) + Le32(quint32(height)) + Le16(1)
                      + Le16(24) + Le32(0) + Le32(0) + Le32(2835) + Le32(2835) + Le32(0)
                      + Le32(0);
    return QByteArray("BM") + Le32(54) + Le32(0) + Le32(54) + info;
}

// Runs `body` in a child process with `spare` bytes of address space beyond what it has and
// `seconds` to live; true when the body returned true.
bool InBoundedChild(qint64 spare, int seconds, const std::function<bool()> &body)
{
    qint64 pages = 0;
    if (QFile statm("/proc/self/statm"); statm.open(QIODevice::ReadOnly))
        pages = statm.readAll().split(' ').value(0).toLongLong();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const rlim_t bytes = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + spare);
        const struct rlimit limit{bytes, bytes};
        ::setrlimit(RLIMIT_AS, &limit);
        ::alarm(unsigned(seconds));
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(PictureLoader, DecodesWithQtAndWithFreeImage)
{
    QImage source(3, 2, QImage::Format_ARGB32);
    source.fill(QColor(10, 200, 30));
    const PictureLoader::Result png = PictureLoader::LoadBytes(PngBytes(source), "a.png");
    ASSERT_TRUE(png.Ok()) << png.Error.toStdString();
    EXPECT_EQ(png.Image.size(), QSize(3, 2));

    // 2 x 2 grey TIFF: rows come out top-down, not in FreeImage's bottom-up order.
    const QByteArray grey("\x10\x20\x30\x40", 4);
    const PictureLoader::Result tiff = PictureLoader::LoadBytes(Tiff(2, 2, grey), "a.tif");
    ASSERT_TRUE(tiff.Ok()) << tiff.Error.toStdString();
    EXPECT_EQ(tiff.Image.size(), QSize(2, 2));
    EXPECT_EQ(qGray(tiff.Image.pixel(0, 0)), 0x10);
    EXPECT_EQ(qGray(tiff.Image.pixel(1, 1)), 0x40);
}

TEST(PictureLoader, BadInputGivesAMessageAndNoPicture)
{
    QImage source(64, 64, QImage::Format_RGB32);
    source.fill(Qt::red);
    const QByteArray good = PngBytes(source);
    struct Case { const char *name; QByteArray bytes; const char *needle; };
    const Case cases[] = {
        {"empty", QByteArray(), "empty"},
        {"text", QByteArray("This is not a picture at all.\n"), "not a picture"},
        {"huge PNG", PngHeader(20000, 20000), "too large"},
        {"wide PNG", PngHeader(100000, 1), "too large"},
        {"huge PNG header only", PngHeader(20000, 20000, false), "damaged"},
        {"huge BMP header only", BmpHeader(20000, 20000), "damaged"},
        {"huge TIFF", Tiff(20000, 20000, QByteArray(16, 'x')), "too large"},
        {"truncated PNG", good.left(good.size() / 2), "damaged"},
        {"PNG header only", good.left(40), "damaged"},
        {"truncated TIFF", Tiff(64, 64, QByteArray(10, 'x')), ""},
        {"random", QByteArray(300, '\xfe'), "not a picture"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PictureLoader::Result result = PictureLoader::LoadBytes(c.bytes, "pic");
        if (QByteArray(c.name) == "truncated TIFF") {
            // FreeImage may fill the missing rows; either way no crash and a sane size.
            EXPECT_TRUE(result.Ok() ? result.Image.size() == QSize(64, 64) : !result.Error.isEmpty());
            continue;
        }
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.Error.contains(QLatin1String(c.needle), Qt::CaseInsensitive))
            << result.Error.toStdString();
        EXPECT_TRUE(result.Error.contains(QLatin1String("pic"))) << result.Error.toStdString();
    }
}

TEST(PictureLoader, FilesAndNames)
{
    QTemporaryDir dir;
    const PictureLoader::Result missing = PictureLoader::LoadFile(dir.filePath("none.png"));
    EXPECT_FALSE(missing.Ok());
    EXPECT_TRUE(missing.Error.contains(QLatin1String("does not exist")));
    const QString fifo = dir.filePath("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &notFile : {dir.path(), QStringLiteral("/dev/zero"), fifo}) {
        const PictureLoader::Result result = PictureLoader::LoadFile(notFile);
        EXPECT_FALSE(result.Ok());
        EXPECT_TRUE(result.Error.contains(QLatin1String("not a picture file"))) << result.Error.toStdString();
    }
    // A kernel file that says it is empty but never ends is read up to the file limit and no
    // further: in a child with half a gigabyte to spare and ten seconds, it is refused.
    EXPECT_TRUE(InBoundedChild(512 << 20, 10, [] {
        const PictureLoader::Result result = PictureLoader::LoadFile("/proc/self/pagemap");
        return !result.Ok() && result.Error.contains(QLatin1String("pagemap"));
    }));

    QImage source(5, 4, QImage::Format_RGB32);
    source.fill(Qt::blue);
    QDir(dir.path()).mkpath("img");
    ASSERT_TRUE(source.save(dir.filePath("img/logo.png")));
    const QString name = PictureLoader::LocalPath("FILE://img\\logo.png", dir.path());
    EXPECT_EQ(name, dir.filePath("img/logo.png"));
    EXPECT_EQ(PictureLoader::LoadFile(name).Image.size(), QSize(5, 4));
    EXPECT_EQ(PictureLoader::LocalPath("C:\\pics\\a.bmp", dir.path()), "C:/pics/a.bmp");
    EXPECT_EQ(PictureLoader::LocalPath("/abs/a.bmp", dir.path()), "/abs/a.bmp");

    EXPECT_TRUE(PictureLoader::IsUrl(" HTTPS://example.test/a.png"));
    EXPECT_TRUE(PictureLoader::IsUrl("http://example.test/a.png"));
    EXPECT_FALSE(PictureLoader::IsUrl("ftp://example.test/a.png"));
    EXPECT_FALSE(PictureLoader::IsUrl("file:///etc/passwd"));
}

TEST(PictureLoader, PlacementOfTheFourScalingModes)
{
    using PictureLoader::Scale;
    struct Case { Scale mode; QSize picture, box; QRect expected; };
    const Case cases[] = {
        {Scale::None, {40, 20}, {100, 100}, {0, 0, 40, 20}},
        {Scale::None, {400, 200}, {100, 100}, {0, 0, 400, 200}},
        {Scale::PreserveAspect, {40, 20}, {100, 100}, {0, 25, 100, 50}},
        {Scale::PreserveAspect, {20, 40}, {100, 100}, {25, 0, 50, 100}},
        {Scale::Stretch, {40, 20}, {100, 100}, {0, 0, 100, 100}},
        {Scale::AutoResize, {40, 20}, {100, 100}, {0, 0, 40, 20}},
        {Scale::Stretch, {40, 20}, {0, 100}, {}},
        {Scale::PreserveAspect, {0, 0}, {100, 100}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PictureLoader::Placement(c.picture, c.box, c.mode), c.expected)
            << int(c.mode) << " " << c.picture.width() << "x" << c.picture.height();
}
