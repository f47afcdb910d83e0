#include "controls/GridControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {
// Applies the grid's per-column read-only switches and maximum lengths to cell editors.
class ColumnRulesDelegate final : public QStyledItemDelegate
{
public:
    explicit ColumnRulesDelegate(GridControl *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        if (m_grid->IsColumnReadOnly(index.column()))
            return nullptr;
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        const int length = m_grid->ColumnMaxLength(index.column());
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && length > 0)
            line->setMaxLength(length);
        return editor;
    }

private:
    GridControl *m_grid;
};
} // namespace

GridControl::GridControl(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(RowHeightFor(fontMetrics()));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    setItemDelegate(new ColumnRulesDelegate(this));
    connect(this, &QTableWidget::cellChanged, this, [this](int row, int column) {
        // Text typed into the input row makes it a row of the grid and adds the next.
        const QTableWidgetItem *cell = item(row, column);
        if (m_editable && m_autoExtend && row == rowCount() - 1 && rowCount() < MaxRows
            && cell && !cell->text().isEmpty())
            setRowCount(rowCount() + 1);
    });
}

QFont GridControl::FontUnder(const QWidget *parent)
{
    QFont natural = QApplication::font();
    for (const QMetaObject *m = &staticMetaObject; m; m = m->superClass()) {
        const QFont own = QApplication::font(m->className());
        if (!own.isCopyOf(QApplication::font())) {
            natural = own;
            break;
        }
    }
    if (!parent)
        return natural;
    return natural.isCopyOf(QApplication::font()) ? parent->font() : parent->font().resolve(natural);
}

void GridControl::SetAutoExtend(bool on)
{
    m_autoExtend = on;
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
