#pragma once

#include "designer/DrawnFrame.h"

#include <QHash>
#include <QStringList>

class GridControl;

// A grid on a design form. It holds what the grid shows (its size, column headings, widths,
// cells and heading row) and draws as a grid of the toolkit told the same things. Rows and
// columns are 0-based here, and bounded as the grid bounds them.
class DesignGrid : public DrawnFrame
{
    Q_OBJECT
public:
    explicit DesignGrid(QWidget *parent = nullptr);

    void SetSize(int rows, int columns);
    int RowCount() const { return m_rows; }
    int ColumnCount() const { return m_columns; }
    // A cell outside the grid is passed over.
    void SetCell(int row, int column, const QString &text);
    QString Cell(int row, int column) const;
    // Every column gets a heading, empty past the list; a longer list adds columns.
    void SetHeadings(const QStringList &headings);
    QStringList Headings() const { return m_headings; }
    // Pixels per column; a missing or non-positive width leaves the column as it is.
    void SetColumnWidths(const QList<int> &pixels);
    void SetHeadingRowVisible(bool on);
    bool HeadingRowVisible() const { return m_headingRow; }
    // Whether the user may type in the cells (never on a design form); it draws the same, so
    // the drawing grid is not told.
    void SetEditable(bool on) { m_editable = on; }
    bool IsEditable() const { return m_editable; }

    // The grid that draws this one, set up as this one is now: good until the next grid or
    // list is drawn.
    GridControl &Drawn() const;

protected:
    std::unique_ptr<QAbstractScrollArea> MakeDrawer() const override;
    void SetUp(QAbstractScrollArea &drawer) const override;

private:
    // A cell's place as one key, and back.
    static quint64 Key(int row, int column) { return quint64(quint32(row)) << 32 | quint32(column); }
    static int RowOf(quint64 key) { return int(key >> 32); }
    static int ColumnOf(quint64 key) { return int(key & 0xffffffffu); }

    int m_rows = 0;
    int m_columns = 0;
    // The headings of the first columns: a column past them shows its number.
    QStringList m_headings;
    QList<int> m_widths; // 0: as the grid makes it
    QHash<quint64, QString> m_cells;
    // The font the grid had when made, which sets the height of its rows.
    QFont m_madeWith;
    bool m_headingRow = true;
    bool m_editable = false;
};
