#pragma once

#include <QChar>
#include <QLatin1String>
#include <QString>

// The MultiValue delimiters as the designer holds them in memory, highest level first,
// and the separator of the clipboard text format.
namespace Marks {
inline constexpr char16_t Segment = 0xF8FF;
inline constexpr char16_t Attribute = 0xF8FE;
inline constexpr char16_t Value = 0xF8FD;
inline constexpr char16_t SubValue = 0xF8FC;
inline constexpr char16_t Clip = 0x0004;

inline QString SegmentMark() { return QString(QChar(Segment)); }
inline QString AttributeMark() { return QString(QChar(Attribute)); }
inline QString ValueMark() { return QString(QChar(Value)); }
inline QString SubValueMark() { return QString(QChar(SubValue)); }
inline QString ClipSeparator() { return QString(QChar(Clip)); }

// The record separator of stored documents and the line end of program text and of the
// clipboard text.
inline constexpr QLatin1String CrLf("\r\n");

inline bool IsMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == Segment || u == Attribute || u == Value || u == SubValue;
}
} // namespace Marks
