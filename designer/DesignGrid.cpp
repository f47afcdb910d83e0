#include "designer/DesignGrid.h"

#include "controls/GridControl.h"

#include <QHeaderView>

DesignGrid::DesignGrid(QWidget *parent)
    : DrawnFrame(parent), m_madeWith(GridControl::FontUnder(parent))
{
}

void DesignGrid::SetSize(int rows, int columns)
{
    rows = qBound(0, rows, GridControl::MaxRows);
    columns = qBound(0, columns, GridControl::MaxColumns);
    if (rows == m_rows && columns == m_columns)
        return;
    // What falls outside goes, as the grid's own rows and columns go.
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (RowOf(it.key()) >= rows || ColumnOf(it.key()) >= columns)
            it = m_cells.erase(it);
        else
            ++it;
    }
    if (m_headings.size() > columns)
        m_headings.resize(columns);
    if (m_widths.size() > columns)
        m_widths.resize(columns);
    m_rows = rows;
    m_columns = columns;
    Changed();
}

void DesignGrid::SetCell(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return;
    const auto it = m_cells.constFind(Key(row, column));
    if (it != m_cells.cend() && *it == text)
        return;
    m_cells.insert(Key(row, column), text);
    Changed();
}

QString DesignGrid::Cell(int row, int column) const
{
    return m_cells.value(Key(row, column));
}

void DesignGrid::SetHeadings(const QStringList &headings)
{
    const int columns = qMax(m_columns, int(qMin(headings.size(), qsizetype(GridControl::MaxColumns))));
    QStringList all;
    for (int c = 0; c < columns; ++c)
        all << headings.value(c);
    if (columns == m_columns && all == m_headings)
        return;
    m_columns = columns;
    m_headings = all;
    Changed();
}

void DesignGrid::SetColumnWidths(const QList<int> &pixels)
{
    QList<int> widths = m_widths;
    const int given = int(qMin(pixels.size(), qsizetype(m_columns)));
    if (widths.size() < given)
        widths.resize(given);
    for (int c = 0; c < given; ++c)
        if (pixels.at(c) > 0)
            widths[c] = pixels.at(c);
    Set(m_widths, widths);
}

void DesignGrid::SetHeadingRowVisible(bool on)
{
    Set(m_headingRow, on);
}

std::unique_ptr<QAbstractScrollArea> DesignGrid::MakeDrawer() const
{
    return std::make_unique<GridControl>();
}

void DesignGrid::SetUp(QAbstractScrollArea &drawer) const
{
    auto &drawn = static_cast<GridControl &>(drawer);
    // Rows as high as a grid made here makes them, from the font it starts with; then the
    // grid's own font, before the headings: a heading row given its items before a new font
    // keeps the font it had.
    drawn.setFont(m_madeWith);
    drawn.verticalHeader()->setDefaultSectionSize(GridControl::RowHeightFor(drawn.fontMetrics()));
    drawn.setFont(font());
    drawn.SetSize(m_rows, m_columns);
    for (int c = 0; c < m_headings.size(); ++c)
        drawn.setHorizontalHeaderItem(c, new QTableWidgetItem(m_headings.at(c)));
    drawn.SetColumnWidths(m_widths);
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
        drawn.SetCell(RowOf(it.key()), ColumnOf(it.key()), it.value());
    drawn.horizontalHeader()->setVisible(m_headingRow);
}

GridControl &DesignGrid::Drawn() const
{
    return static_cast<GridControl &>(Drawer());
}
