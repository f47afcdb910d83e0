#pragma once

#include <QDateTime>
#include <QString>

class clsControl;
class clsItems;

// Writes design items as project text (in-memory form: records by AttributeMark, fields by
// ValueMark, parts by SubValueMark). Record 1 names the document, record 2 the version and
// scale; then each object's create record and its property records, depth first in child
// order; a closing record ends the text.
class ProjectWriter
{
public:
    // The text of the object with that full ID (any case) and everything below it. With
    // appOnly > 0 the forms below the object are left out. version is in tenths and goes
    // into record 2. Error 5004 when no object has the ID.
    static QString GetTemplate(const clsItems &items, const QString &id, const QString &header,
                               int appOnly, int version = 14);
    // Appends the records of one object and its descendants (each record preceded by an
    // AttributeMark).
    static void WriteObject(QString &out, const clsControl &item, int appOnly);
    // The records of the object alone, its descendants left out: its create record, then one
    // record per property that differs from its default, joined by AttributeMark.
    static QString OwnRecords(const clsControl &item);

    // Record 1 field 2: now (or SOURCE_DATE_EPOCH, read as UTC, when set) as a day count
    // from 30 December 1899 with the time as fraction, at most five decimals, point as
    // decimal separator.
    static QString TimeOfWriting();
    static QString DayNumber(const QDateTime &when);
    // The version in tenths as text: 14 gives "1.4".
    static QString VersionText(int version);
};
