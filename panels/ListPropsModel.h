#pragma once

#include "model/GridContent.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <map>
#include <vector>

// The headless model of the item list editor (ucListProps): the items of a list box, combo
// box or drop-down list, or the columns, column settings and cells of a grid.
//
// Everything is kept in the stored layout: the rows with their parts (the list's Items or
// the grid's Value), one stored entry list per per-column property, and the scalar settings.
// Stored lists are never padded or normalised, so untouched content comes back byte for byte.
class ListPropsModel
{
public:
    // Stored values by property code.
    using Values = std::map<int, QString>;

    // Property codes the editor reads and writes.
    enum Code {
        Value = 1, ReadOnly = 12, Picture = 23, Items = 26, Columns = 27, Rows = 28, Row = 31,
        ColHeading = 32, GridLines = 33, ColFieldType = 34, ColDataType = 35, ColItems = 36,
        ColWidth = 37, ColAlign = 38, DataCol = 39, MaxLen = 51, MaxDrop = 53, Required = 54,
        FixedCols = 55, Icon = 56, ColSizable = 63, ColHint = 64, IconSize = 70,
        ColTabStop = 77, AutoExtend = 97, HeadingRow = 98,
    };

    // Fills the model from the item's stored values (the codes it holds); ctlType decides
    // whether the rows are a list's Items or a grid's Value.
    void LoadProps(int ctlType, const Values &values);
    // Every code the editor handles for the type, with its value to store.
    Values Store() const;
    // Only the values that differ from what was loaded.
    Values Changes() const;

    int CtlType() const { return m_type; }
    bool IsGrid() const { return m_type == 27 || m_type == 28; }
    // The per-column properties the type keeps.
    std::vector<int> ColumnCodes() const;

    // Columns: a grid's Columns, a list's column count (at least 1).
    int ColumnCount() const;
    int RowCount() const { return int(m_rows.size()); }

    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString &text);
    // The stored entry of a per-column property for a column (empty when unset). A grid's
    // ReadOnly, Required and MaxLen hold one value for every column until the columns differ;
    // then one entry per column (equal again, they become one value).
    QString ColumnValue(int code, int column) const;
    void SetColumnValue(int code, int column, const QString &text);
    // The whole stored list of a per-column property (the plural members).
    QString ColumnValues(int code) const;

    QString Scalar(int code) const;
    void SetScalar(int code, const QString &text);
    // "auto" when no number is set.
    QString MaxDropText() const;
    // "auto" or empty clears it; false for anything but a whole number from 1.
    bool SetMaxDropText(const QString &text);
    // The combo's data column (1-based; 0 when unset).
    int DataColumn() const;

    // Rows and columns; each returns the new index (0-based).
    int InsertRow(int before);
    int AddRow() { return InsertRow(RowCount()); }
    void DeleteRow(int row);
    int InsertColumn(int before);
    int AddColumn() { return InsertColumn(ColumnCount()); }
    void DeleteColumn(int column);

    // Pastes tab-separated text with its top-left cell at (row, column): lines become rows,
    // tabs separate cells, a trailing line break adds no row; rows and (grid) columns are
    // added as needed. Marks are dropped. Returns the number of cells written.
    int Paste(int row, int column, const QString &text);

    // Icons of the items (lists) or cells (grids), kept under Icon in the layout of the
    // rows: one entry per row, one part per column. Empty when the cell has none.
    QString CellIcon(int row, int column) const;
    void SetCellIcon(int row, int column, const QString &file);
    bool HasIcons() const;

    // The row current when the grid opens (1-based, 0 none): the grid's stored Row.
    int DefaultRow() const;
    void SetDefaultRow(int row);
    // The grid's heading row (HeadingRow) and the input row of an editable grid that adds new
    // lines (AutoExtend): both on unless stored "0"; only an editable grid extends.
    bool ShowHeadings() const;
    void SetShowHeadings(bool on);
    bool AddsNewLines() const;
    void SetAddsNewLines(bool on);
    // The icon column of a list is there when its items have icons: switched off, the icons
    // are not stored (the editor keeps them until then, so switching on again brings them
    // back).
    bool ShowIcons() const { return m_showIcons; }
    void SetShowIcons(bool on) { m_showIcons = on; }

    // The scale unit column widths are shown and entered in (0 characters ... 7 centimetres),
    // and the width of a new column in that unit.
    int ScaleMode() const { return m_scaleMode; }
    void SetScaleMode(int unit) { m_scaleMode = unit; }
    QString DefaultWidthText() const;

    // The drop-down list of a grid column (its ColItems entry): rows of "|"-separated values,
    // the data column and the headings. Stored again only when one of them changed.
    GridDropDown DropDown(int column) const;
    void SetDropDown(int column, const GridDropDown &list);
    QStringList DropDownItems(int column) const { return DropDown(column).Rows; }
    void SetDropDownItems(int column, const QStringList &items);

private:
    QStringList &List(int code);
    const QStringList *FindList(int code) const;
    void SetColumnCount(int count);
    bool IsGridWide(int code) const;
    void CompactGridWide(QStringList &list) const;
    void SetSwitch(int code, bool on);
    void SyncRowCount();
    void ShiftIconRows(int at, bool insert);

    int m_type = 21;
    Values m_loaded;
    std::vector<QStringList> m_rows;
    std::map<int, QStringList> m_columnLists;
    Values m_scalars;
    std::vector<QStringList> m_icons;
    bool m_showIcons = false;
    int m_scaleMode = 0;
};
