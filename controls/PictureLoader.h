#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Decoding and scaling of the pictures that forms, picture controls, icons and rendered
// forms show. Qt decodes what it can; FreeImage decodes the rest (TIFF, PCX, TGA, ...).
// The size a picture declares in its header is checked before any pixel is decoded, so a
// hostile or broken file costs neither a crash nor gigabytes of memory.
namespace PictureLoader {

// The largest picture decoded: either side, and the whole area.
inline constexpr int MaxSide = 16384;
inline constexpr qint64 MaxPixels = qint64(8192) * 8192;
// The largest picture file read into memory.
inline constexpr qint64 MaxFileBytes = qint64(64) * 1024 * 1024;

// Decoded pictures in use at one time, together: the pictures of every open form and the
// downloads of the run. A picture past it is not decoded; its control shows why.
inline constexpr qint64 MaxPixelsInUse = 4 * MaxPixels;

struct Result
{
    QImage Image;   // null on failure
    QString Error;  // why there is no picture; empty on success
    // The picture was refused or failed for lack of memory (the budget above, or the
    // machine's), not for what the file holds.
    bool OutOfMemory = false;
    bool Ok() const { return !Image.isNull(); }
};

// The picture in a file. A missing, unreadable, truncated, oversized or non-picture file
// gives a null image and a message naming the file.
Result LoadFile(const QString &path);
// The picture in bytes (a downloaded file); `name` only appears in messages. A picture of
// more than `allowance` pixels is refused for lack of memory.
Result LoadBytes(const QByteArray &bytes, const QString &name, qint64 allowance = MaxPixels);

// The picture of a file, decoded once for all who show it: while any control holds the image,
// a second control naming the same unchanged file gets the same pixels. New pictures are
// decoded within what MaxPixelsInUse leaves.
Result LoadShared(const QString &path);
// A downloaded picture, decoded within the budget and kept for the rest of the run under
// `key` (its URL).
Result KeepBytes(const QByteArray &bytes, const QString &key);
// The picture kept under `key`; a null image when there is none.
QImage Kept(const QString &key);
// Forgets every shared and kept picture (pictures still shown stay with their controls).
void ForgetShared();
// Pixels of the shared and kept pictures in use.
qint64 PixelsInUse();
// How many pictures in this run could not be decoded or shown for lack of memory.
int MemoryShortfalls();
// Counts one more of them (a control that could not scale its picture).
Result NoMemory(const QString &name);

// The file a picture name stands for: "\" and "/" alike, a "FILE://" prefix dropped, a
// relative name taken from `baseFolder` (when given).
QString LocalPath(const QString &name, const QString &baseFolder = {});
// Whether a picture name is a URL that is downloaded (http or https).
bool IsUrl(const QString &name);

// How a picture fills a box: the picture control's scaling modes.
enum class Scale { None = 0, PreserveAspect = 1, Stretch = 2, AutoResize = 3 };

// The picture's rectangle inside a box of `box` for a mode: at the top left in its natural
// size (None, AutoResize), the largest centred rectangle of the picture's proportions
// (PreserveAspect), or the whole box (Stretch).
QRect Placement(QSize picture, QSize box, Scale mode);
// The picture scaled to exactly `size` (smooth); a null image for an empty size.
QImage ScaledTo(const QImage &image, QSize size);
// The same, made once for every control that shows this picture at this size, while one of
// them does; a null image when there is no memory for it (counted as a shortfall).
QImage ScaledShared(const QImage &image, QSize size);

} // namespace PictureLoader
