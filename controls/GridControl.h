#pragma once

#include <QTableWidget>

// A grid of cells with a fixed heading row (column headings) and a fixed first column (row
// numbers). Cells are protected unless the grid is editable.
class GridControl : public QTableWidget
{
    Q_OBJECT
public:
    // A huge grid is shown up to this many rows and columns: the table keeps a slot and a
    // header section for every row, filled or not.
    static constexpr int MaxColumns = 500;
    static constexpr int MaxRows = 5000;

    explicit GridControl(QWidget *parent = nullptr);

    // The height of a row in a grid made with these font metrics, and the font a grid made
    // under `parent` starts with: the toolkit's font for item views where it has one, with
    // what the parent's font sets.
    static int RowHeightFor(const QFontMetrics &metrics) { return metrics.height() + 4; }
    static QFont FontUnder(const QWidget *parent);

    void SetSize(int rows, int columns);
    void SetCell(int row, int column, const QString &text);
    QString Cell(int row, int column) const;
    void SetHeadings(const QStringList &headings);
    void SetColumnWidths(const QList<int> &pixels);
    void SetEditable(bool on);
    bool IsEditable() const { return m_editable; }

    // Per column (0-based; columns beyond the lists have neither): cells the user may not
    // type in, and the most characters a cell takes (0 for no limit).
    void SetColumnReadOnly(const QList<bool> &readOnly) { m_readOnly = readOnly; }
    bool IsColumnReadOnly(int column) const { return m_readOnly.value(column); }
    void SetColumnMaxLength(const QList<int> &lengths) { m_maxLength = lengths; }
    int ColumnMaxLength(int column) const { return m_maxLength.value(column); }
    // An editable grid that extends keeps an empty row at its end: typing into it adds the
    // next one.
    void SetAutoExtend(bool on);
    bool AutoExtends() const { return m_autoExtend; }

private:
    bool m_editable = false;
    bool m_autoExtend = false;
    QList<bool> m_readOnly;
    QList<int> m_maxLength;
};
