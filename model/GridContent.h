#pragma once

#include "model/ListContent.h"

#include <QString>
#include <QStringList>
#include <vector>

// The field types a grid column can have (ColFieldType).
// The per-column settings the grid's editing commands consult.
//
// Rules:
// - A column is read-only when it is marked so or when its field type is one of the label
//   kinds (label, label+ellipsis, label+icon, label+button): those cells are never typed in.
// - Copying never changes data and is always allowed.
// - Cutting text out of a cell needs a cell that holds free text: an editable text box or
//   drop-down combo column.
// - Cutting a range empties whole cells: allowed for every editable column (an empty check
//   box is unchecked, an empty drop-down list has no choice).
// - Pasting is allowed into every editable column; whether a given text fits is told by
//   CanPasteValue: anything for free-text columns, a Boolean form or nothing for check boxes,
//   nothing or one of the drop-down entries for drop-down lists. A text holding marks never
//   fits one cell.
class clsGridColProps
{
public:
    int FieldType = GridFieldTypes::TextBox;
    bool ReadOnly = false;
    bool TabStop = true;

    bool IsReadOnly() const;
    bool CanCopy() const { return true; }
    bool CanCut() const;
    bool CanPaste() const { return !IsReadOnly(); }
    bool CanCutRange() const { return !IsReadOnly(); }
    // listValues are the column's drop-down entries; an entry of a multi-column drop-down
    // ("a|b") also matches on the value of its data column (1-based, the first by default).
    bool CanPasteValue(const QString &value, const QStringList &listValues = {},
                       int dataColumn = 1) const;
};

// The drop-down list of one grid column, as its ColItems entry holds it: one row per subvalue,
// the row's values separated by "|". A first row of the form
//   *DROPDOWN|<data column>|<heading 1>|<heading 2>...
// carries the list's data column (the value that goes into the cell; empty for the first) and
// its column headings. Entries without it read as before: no headings, the first column.
struct GridDropDown
{
    static constexpr QLatin1StringView Keyword{"*DROPDOWN"};

    int DataColumn = 0; // 1-based; 0 for the first
    QStringList Headings;
    QStringList Rows; // "a|b|c"

    // Splits a ColItems entry (rows separated by the subvalue mark).
    static GridDropDown Parse(const QString &entry);
    // The entry again; the heading row only when there is a data column or a heading.
    QString Format() const;
    // The data column's value of a row.
    QString DataValue(const QString &row) const;
    int EffectiveDataColumn() const { return DataColumn > 0 ? DataColumn : 1; }
};

// Data kept for one grid row.
class clsGridRowProps
{
public:
    bool Changed = false;
    QString ItemID;
};

// Data kept for one grid cell.
class clsGridCellProps
{
public:
    bool Changed = false;
    QString ItemID;
};

// The content of a grid: the counts of data columns and rows, the cell texts and the
// per-column settings. The editable grid shows one more, empty, row for new input; it is
// not part of the content.
//
// Value addressing: index 1 is a column, index 2 a row; both give one cell, one gives that
// column (one entry per row) or that row (one part per column), neither the whole table
// (row-major: one entry per row, its cells as parts). Per-column properties take index 1 as
// the column. An index outside the current columns or rows raises 380. Every failing call
// leaves the content unchanged.
class GridContent
{
public:
    explicit GridContent(bool editable = false, double twipsPerUnit = 120.0);

    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }
    // Whether the editable grid keeps its empty input row (new lines added by typing there).
    void SetAutoExtend(bool on) { m_autoExtend = on; }
    bool AutoExtends() const { return m_editable && m_autoExtend; }
    void SetTwipsPerUnit(double twipsPerUnit);
    double TwipsPerUnit() const { return m_twipsPerUnit; }

    // Columns (27) and Rows (28). Resizing keeps the cells that stay inside the grid;
    // shrinking the columns also drops the per-column entries beyond the new count.
    void SetColumns(const QString &value);
    QString GetColumns() const { return QString::number(m_columns); }
    void SetRows(const QString &value);
    QString GetRows() const { return QString::number(m_rowCount); }
    int ColumnCount() const { return m_columns; }
    int RowCount() const { return m_rowCount; }
    // The rows the design control shows below the heading, the input row included.
    int DisplayRowCount() const { return m_rowCount + (AutoExtends() ? 1 : 0); }

    // Value (1). Setting the whole table grows the grid to fit it; cells the value does not
    // reach become empty.
    void SetValue(const QString &value, int index1 = 0, int index2 = 0);
    QString GetValue(int index1 = 0, int index2 = 0) const;
    // One cell, 1-based; empty outside the grid.
    QString Cell(int column, int row) const;

    // Rows as the Insert and Remove methods change them. value holds the row's cells as
    // parts; before = 0 or RowCount() + 1 appends.
    void InsertRow(int before, const QString &value);
    void RemoveRow(int row);
    // Empties every cell; the counts stay.
    void ClearCells();

    // ColHeading, ColFieldType, ColDataType, ColItems, ColWidth, ColAlign, ColSizable,
    // ColHint, ColTabStop, and the per-column ReadOnly, Required and MaxLen when the wrapper
    // routes them here.
    static bool IsColumnProperty(int code);
    void SetColumnProperty(int code, const QString &value, int index1 = 0);
    // The whole stored list, or with index1 that column's entry (its default when unset).
    QString GetColumnProperty(int code, int index1 = 0) const;
    QString ColumnDefault(int code) const;
    // The drop-down rows of a column (its ColItems entry split at the subvalue mark, without
    // the heading row), and the whole drop-down list.
    QStringList ColumnItems(int column) const;
    GridDropDown ColumnDropDown(int column) const;
    // ReadOnly, Required and MaxLen: one value stands for every column, a list of two or more
    // entries holds one per column (a missing entry is the default).
    static bool IsGridWideOrPerColumn(int code);

    // The heading and the width in twips of each column, as the design control shows them.
    QStringList DisplayHeadings() const;
    QList<int> DisplayWidths() const;

    // The editing record of a column, built from its settings.
    clsGridColProps ColProps(int column) const;

    // Row and cell records; they follow their rows through inserts, removals and resizing.
    clsGridRowProps RowProps(int row) const;
    void SetRowProps(int row, const clsGridRowProps &props);
    clsGridCellProps CellProps(int column, int row) const;
    void SetCellProps(int column, int row, const clsGridCellProps &props);

private:
    struct Row {
        QStringList Cells;                     // may be shorter than the column count
        clsGridRowProps Props;
        std::vector<clsGridCellProps> CellProps; // may be shorter than the column count
    };
    struct ColumnSetting {
        int Code;
        QStringList Entries;
    };

    static void CheckSize(qint64 columns, qint64 rows);
    QStringList *ColumnList(int code);
    const QStringList *ColumnList(int code) const;
    QString RowText(const Row &row) const;
    void Resize(int columns, int rows);

    bool m_editable;
    bool m_autoExtend = true;
    double m_twipsPerUnit;
    int m_columns = 0;
    int m_rowCount = 0;
    std::vector<Row> m_rows; // always m_rowCount rows
    std::vector<ColumnSetting> m_columnSettings;
};
