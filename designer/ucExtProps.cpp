#include "designer/ucExtProps.h"

#include "model/ExtPropsPage.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

ucExtProps::ucExtProps(ExtPropsPage &page, QWidget *parent) : QWidget(parent), m_page(page)
{
    auto *layout = new QVBoxLayout(this);
    for (const QString &message : page.Messages()) {
        auto *label = new QLabel(message, this);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    const auto &rows = page.Rows();
    m_grid = new QTableWidget(int(rows.size()), 2, this);
    m_grid->setObjectName(QStringLiteral("ExtensionGrid"));
    m_grid->setHorizontalHeaderLabels({tr("Property"), tr("Value")});
    m_grid->verticalHeader()->setVisible(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setEnabled(page.Enabled());
    for (int r = 0; r < int(rows.size()); ++r) {
        auto *caption = new QTableWidgetItem(rows[size_t(r)].Caption);
        caption->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(r, 0, caption);
        auto *value = new QTableWidgetItem(rows[size_t(r)].Value);
        if (!page.IsRowEditable(r))
            value->setFlags(Qt::ItemIsEnabled);
        m_grid->setItem(r, 1, value);
    }
    m_grid->resizeColumnToContents(0);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (item->column() != 1 || m_page.SetRowValue(item->row(), item->text()))
            return;
        const QSignalBlocker block(m_grid);
        item->setText(m_page.Rows()[size_t(item->row())].Value);
    });
}
