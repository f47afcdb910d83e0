#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The property codes that compound content answers to. They are the shared vocabulary numbers;
// the content classes keep their own copy so that they stay free of the wrapper layer.
namespace ContentCodes {
inline constexpr int Value = 1;
inline constexpr int ReadOnly = 12;
inline constexpr int Items = 26;
inline constexpr int Columns = 27;
inline constexpr int Rows = 28;
inline constexpr int ColHeading = 32;
inline constexpr int ColFieldType = 34;
inline constexpr int ColDataType = 35;
inline constexpr int ColItems = 36;
inline constexpr int ColWidth = 37;
inline constexpr int ColAlign = 38;
inline constexpr int MaxLen = 51;
inline constexpr int Required = 54;
inline constexpr int ColSizable = 63;
inline constexpr int ColHint = 64;
inline constexpr int ColTabStop = 77;
} // namespace ContentCodes

// The field types of a grid column (ColFieldType).
namespace GridFieldTypes {
inline constexpr int Label = 0;
inline constexpr int TextBox = 1;
inline constexpr int CheckBox = 2;
inline constexpr int DropDownList = 3;
inline constexpr int DropDownCombo = 4;
inline constexpr int LabelEllipsis = 5;
inline constexpr int LabelIcon = 6;
inline constexpr int LabelButton = 7;
} // namespace GridFieldTypes

// Reading and writing the list-value layout shared by all compound content: entries
// separated by the value mark, the parts of an entry by the subvalue mark. Every routine is
// linear in the length of the text.
namespace ListValue {

// Upper bounds that keep a single property value from exhausting memory.
inline constexpr int MaxColumns = 10000;
inline constexpr int MaxRows = 1000000;
inline constexpr qint64 MaxCells = 10000000;

// The entries of a list value; the empty value is the empty list.
QStringList SplitEntries(const QString &value);
QString JoinEntries(const QStringList &entries);
// The parts of one entry; an empty entry has one empty part.
QStringList SplitParts(const QString &entry);
QString JoinParts(const QStringList &parts);

// True when the text holds the value mark or a higher mark (it would add entries), or with
// orSubValue also the subvalue mark (it would add parts).
bool HasEntryMarks(const QString &text, bool orSubValue);
// Attribute and segment marks never belong in a property value: they would split the
// record that stores it. Raises 380 when the text holds one.
void RejectRecordMarks(const QString &text);

// Raises 380: a value or index the content does not take.
[[noreturn]] void InvalidValue();
// Raises 380 unless the scale factor is a finite positive number.
void CheckTwipsPerUnit(double twipsPerUnit);

// Raises 380 unless 1 <= index <= count.
void CheckIndex(qint64 index, qint64 count);

// A whole number in the given range; empty text is not a number.
bool ParseInt(const QString &text, qint64 minimum, qint64 maximum, int *result = nullptr);
// A finite number with a point as decimal separator.
bool ParseNumber(const QString &text, double *result = nullptr);
// "1", "-1" (true) or "0" (false).
bool ParseFlag(const QString &text, bool *result = nullptr);
// One of the data-type codes.
bool IsDataTypeCode(int code);

// The default column width: 1000 twips expressed in the scale unit, two decimals at most.
inline constexpr int DefaultColumnWidthTwips = 1000;
QString DefaultColumnWidth(double twipsPerUnit);
// The width of each of `columns` columns in twips: a stored entry times the factor, the
// default where the entry is empty.
QList<int> ColumnWidthsInTwips(const QStringList &entries, int columns, double twipsPerUnit);

// A per-column property kept as one entry per column: the whole list with index 0, else the
// entry of column index (1 .. columns). checkEntry raises 380 for an entry the property does
// not take; nothing changes then. An empty entry reads as the default.
void SetColumnEntry(QStringList &list, const QString &value, int index, int columns,
                    const std::function<void(const QString &)> &checkEntry);
QString GetColumnEntry(const QStringList &list, int index, int columns,
                       const std::function<QString()> &defaultValue);
// Raises 380 for an entry a per-column property (of a list or a grid) does not take. An empty
// entry stands for the column's default and is always accepted; a ColItems entry holds the
// column's drop-down entries separated by subvalue marks.
void CheckColumnEntry(int code, const QString &entry);

} // namespace ListValue

// The content of a list box, combo box, drop-down list or option group: the rows of Items
// (each row's parts are its columns), the column count and the per-column settings
// ColHeading, ColWidth, ColAlign and ColDataType, one entry per column.
//
// Addressing: Items with no index is the whole list; index 1 is a row; index 1 and index 2
// a column of that row. A per-column property with index 1 is that column. An index outside
// the current rows or columns raises 380. Every failing call leaves the content unchanged.
class ListContent
{
public:
    // twipsPerUnit is the horizontal twips-per-unit factor of the form's scale unit; it
    // decides the default column width.
    explicit ListContent(double twipsPerUnit = 120.0);

    void SetTwipsPerUnit(double twipsPerUnit);
    double TwipsPerUnit() const { return m_twipsPerUnit; }

    // Items (26).
    void SetItems(const QString &value, int index1 = 0, int index2 = 0);
    QString GetItems(int index1 = 0, int index2 = 0) const;
    int RowCount() const { return int(m_rows.size()); }
    // A new row before row `before` (1-based); 0 or RowCount() + 1 appends.
    void InsertRow(int before, const QString &value);
    void RemoveRow(int row);
    void Clear();

    // Columns (27): "0" or "1" for a single column.
    void SetColumns(const QString &value);
    QString GetColumns() const { return QString::number(m_columns); }
    // The number of addressable columns: at least 1.
    int ColumnCount() const { return m_columns > 1 ? m_columns : 1; }

    // ColHeading (32), ColDataType (35), ColWidth (37), ColAlign (38).
    static bool IsColumnProperty(int code);
    void SetColumnProperty(int code, const QString &value, int index1 = 0);
    // The whole stored list, or with index1 that column's entry (its default when unset).
    QString GetColumnProperty(int code, int index1 = 0) const;
    // The value an unset column entry stands for.
    QString ColumnDefault(int code) const;

    // What the design control shows: one line per row, its parts joined by a tab.
    QStringList DisplayRows() const;
    QString DisplayRow(int row) const;
    // The heading and the width in twips of each of ColumnCount() columns.
    QStringList DisplayHeadings() const;
    QList<int> DisplayWidths() const;

private:
    QStringList *ColumnList(int code);
    const QStringList *ColumnList(int code) const;

    double m_twipsPerUnit;
    std::vector<QStringList> m_rows; // the parts of each row
    int m_columns = 0;
    QStringList m_headings;
    QStringList m_dataTypes;
    QStringList m_widths;
    QStringList m_aligns;
};
