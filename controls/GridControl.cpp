#include "controls/GridControl.h"

#include <QHeaderView>

namespace {
// A huge grid is shown up to this many rows and columns: the table keeps a slot and a
// header section for every row, filled or not.
constexpr int MaxColumns = 500;
constexpr int MaxRows = 5000;
} // namespace

GridControl::GridControl(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
}

void GridControl::SetSize(int rows, int columns)
{
    setColumnCount(qBound(0, columns, MaxColumns));
    setRowCount(qBound(0, rows, MaxRows));
}

void GridControl::SetCell(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    if (QTableWidgetItem *cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

QString GridControl::Cell(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void GridControl::SetHeadings(const QStringList &headings)
{
    if (headings.size() > columnCount())
        setColumnCount(int(qMin(headings.size(), qsizetype(MaxColumns))));
    for (int c = 0; c < columnCount(); ++c) {
        const QString text = c < headings.size() ? headings.at(c) : QString();
        if (QTableWidgetItem *head = horizontalHeaderItem(c))
            head->setText(text);
        else
            setHorizontalHeaderItem(c, new QTableWidgetItem(text));
    }
}

void GridControl::SetColumnWidths(const QList<int> &pixels)
{
    for (int c = 0; c < pixels.size() && c < columnCount(); ++c)
        if (pixels.at(c) > 0)
            setColumnWidth(c, pixels.at(c));
}

void GridControl::SetEditable(bool on)
{
    m_editable = on;
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}
