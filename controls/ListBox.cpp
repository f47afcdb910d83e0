#include "controls/ListBox.h"

#include <QHeaderView>
#include <QPainter>

ListBox::ListBox(QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
}

void ListBox::SetRows(const QStringList &rows)
{
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    int widest = m_columns;
    for (const QString &row : rows) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        widest = qMax(widest, int(cells.size()));
        items.append(new QTreeWidgetItem(cells));
    }
    if (widest > columnCount())
        setColumnCount(widest);
    addTopLevelItems(items);
    ApplyCheckBoxes();
    setUpdatesEnabled(true);
}

QStringList ListBox::Rows() const
{
    QStringList rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < item->columnCount(); ++c)
            cells << item->text(c);
        rows << cells.join(QLatin1Char('\t'));
    }
    return rows;
}

void ListBox::SetColumns(int count)
{
    m_columns = qBound(1, count, 256);
    setColumnCount(qMax(m_columns, columnCount()));
}

void ListBox::SetHeadings(const QStringList &headings)
{
    const bool any = std::any_of(headings.begin(), headings.end(),
                                 [](const QString &h) { return !h.isEmpty(); });
    if (headings.size() > columnCount())
        setColumnCount(int(headings.size()));
    setHeaderLabels(headings);
    setHeaderHidden(!any);
}

void ListBox::SetColumnWidths(const QList<int> &pixels)
{
    for (int c = 0; c < pixels.size() && c < columnCount(); ++c)
        if (pixels.at(c) > 0)
            setColumnWidth(c, pixels.at(c));
}

void ListBox::SetMultiSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

void ListBox::SetCheckBoxes(bool on)
{
    m_checkBoxes = on;
    ApplyCheckBoxes();
}

void ListBox::ApplyCheckBoxes()
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        if (m_checkBoxes) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            if (!item->data(0, Qt::CheckStateRole).isValid())
                item->setCheckState(0, Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setData(0, Qt::CheckStateRole, QVariant());
        }
    }
}

void ListBox::SetPlaceholder(const QString &text)
{
    m_placeholder = text;
    viewport()->update();
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QTreeWidget::paintEvent(event);
    if (m_placeholder.isEmpty() || topLevelItemCount() > 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect().adjusted(3, 1, -3, -1), Qt::AlignLeft | Qt::AlignTop,
                     m_placeholder);
}
