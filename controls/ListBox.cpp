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
        auto *item = new QTreeWidgetItem(cells);
        // Made complete before they join the list: an item changed inside the list tells
        // the view, one notice per row.
        if (m_checkBoxes)
            ShowCheckBox(item, true);
        items.append(item);
    }
    if (widest > columnCount())
        setColumnCount(widest);
    addTopLevelItems(items);
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
    // The rows always follow the setting: nothing to do when it stays.
    if (on == m_checkBoxes)
        return;
    m_checkBoxes = on;
    ApplyCheckBoxes();
}

void ListBox::ShowCheckBox(QTreeWidgetItem *item, bool on)
{
    if (on) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        if (!item->data(0, Qt::CheckStateRole).isValid())
            item->setCheckState(0, Qt::Unchecked);
    } else {
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(0, Qt::CheckStateRole, QVariant());
    }
}

void ListBox::ApplyCheckBoxes()
{
    // The rows leave the list while they change and come back together: two notices in all,
    // however long the list.
    setUpdatesEnabled(false);
    const QList<QTreeWidgetItem *> items = invisibleRootItem()->takeChildren();
    for (QTreeWidgetItem *item : items)
        ShowCheckBox(item, m_checkBoxes);
    addTopLevelItems(items);
    setUpdatesEnabled(true);
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
