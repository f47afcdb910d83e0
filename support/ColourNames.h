#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Colour values are signed 32-bit: 0 or more is an RGB value laid out as 0x00BBGGRR; a
// negative value is a system colour, 0x80000000 plus the platform's system-colour index.
//
// The property sheet offers colours by name from two process-wide tables: the 16 standard
// colours and the system colours the platform accepts (in alphabetical order of name).

namespace ColourNames {
inline constexpr qint32 SystemColourBase = qint32(0x80000000u);
inline constexpr int StandardColourCount = 16;
inline constexpr int SystemColourCandidateCount = 31;
} // namespace ColourNames

// Fills both tables. The system table keeps only the candidates the installed platform
// metrics accept. A second call does nothing while the system table holds any row.
// The accessors below build the tables on first use, so calling this is optional.
void BuildColourTables();

// Forgets the system table, so that the next build reads the installed metrics again (after
// PlatformMetrics::Install has replaced the metrics the table was built from).
void ClearColourTables();

// Names and values in table order.
QStringList StandardColourNames();
QList<qint32> StandardColourValues();
QStringList SystemColourNames();
QList<qint32> SystemColourValues();
int SystemColourTableCount();

// RGB (0x00BBGGRR) of a colour value: an RGB value unchanged, a system colour as the
// platform currently reports it for index (value AND 0xFFFF); an index the platform does not
// know gives black.
qint32 ColourToRGB(qint32 value);

// The one-line description the property sheet shows, e.g.
// "Dark Red (standard color) R=128 G=0 B=0" or "custom color: R=86 G=52 B=18".
QString DescribeColour(qint32 value);

// Reads a colour value as project texts store it: decimal ("-2147483643", "255") or
// hexadecimal after "&H" ("&H80000005", "&HFF&"; a trailing "&" is allowed), surrounding
// blanks ignored. Hexadecimal takes up to eight digits and decimal the range of 32 bits
// (values above 0x7FFFFFFF wrap to their signed form). Returns false, leaving value as it
// was, for anything else.
bool ParseColourValue(const QString &text, qint32 &value);

// Writes a colour value back: system colours as "&H" with eight hexadecimal digits
// ("&H80000005", the form the defaults use), RGB values in decimal.
QString FormatColourValue(qint32 value);
