#pragma once

#include <QTableWidget>

// A grid of cells with a fixed heading row (column headings) and a fixed first column (row
// numbers). Cells are protected unless the grid is editable.
class GridControl : public QTableWidget
{
    Q_OBJECT
public:
    explicit GridControl(QWidget *parent = nullptr);

    void SetSize(int rows, int columns);
    void SetCell(int row, int column, const QString &text);
    QString Cell(int row, int column) const;
    void SetHeadings(const QStringList &headings);
    void SetColumnWidths(const QList<int> &pixels);
    void SetEditable(bool on);
    bool IsEditable() const { return m_editable; }

private:
    bool m_editable = false;
};
