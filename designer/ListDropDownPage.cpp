#include "designer/ListDropDownPage.h"

#include "panels/ListPropsModel.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

ListDropDownPage::ListDropDownPage(ListPropsModel &model, bool &filling)
    : m_model(model), m_filling(filling)
{
    m_for = new QLabel(this);
    m_columns = new QSpinBox(this);
    m_columns->setRange(1, 50);
    m_rows = new QSpinBox(this);
    m_rows->setRange(0, 10000);
    m_grid = new QTableWidget(this);
    m_dataColumn = new QSpinBox(this);
    m_dataColumn->setRange(1, 50);
    m_heading = new QLineEdit(this);
    m_heading->setPlaceholderText(tr("Heading of the current dropdown column"));
    auto *df = new QFormLayout;
    df->addRow(tr("Dropdown list for column:"), m_for);
    df->addRow(tr("C&olumns in dropdown list:"), m_columns);
    df->addRow(tr("Ro&ws in dropdown list:"), m_rows);
    df->addRow(tr("Data colum&n:"), m_dataColumn);
    df->addRow(tr("Headin&g:"), m_heading);
    auto *help = new QLabel(tr("Each row is one entry of the list; its cells are stored with "
                               "\"|\" between them. The data column's value goes into the "
                               "grid cell; the heading belongs to the current dropdown "
                               "column."),
                            this);
    help->setWordWrap(true);
    auto *dl = new QVBoxLayout(this);
    dl->addLayout(df);
    dl->addWidget(m_grid, 1);
    dl->addWidget(help);

    connect(m_grid, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling)
            m_edited = true;
    });
    connect(m_dataColumn, &QSpinBox::valueChanged, this, [this] {
        if (!m_filling)
            m_edited = true;
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this] {
        const bool was = m_filling;
        m_filling = true;
        m_heading->setText(m_headings.value(std::max(0, m_grid->currentColumn())));
        m_filling = was;
    });
    connect(m_heading, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int c = std::max(0, m_grid->currentColumn());
        while (m_headings.size() <= c)
            m_headings.append(QString());
        m_headings[c] = QString(text).remove(QLatin1Char('|'));
        m_edited = true;
        ShowHeadings();
    });
    connect(m_columns, &QSpinBox::valueChanged, this, &ListDropDownPage::Resize);
    connect(m_rows, &QSpinBox::valueChanged, this, &ListDropDownPage::Resize);
}

void ListDropDownPage::Resize()
{
    if (m_filling)
        return;
    m_edited = true;
    m_grid->setColumnCount(m_columns->value());
    m_grid->setRowCount(m_rows->value());
    m_dataColumn->setMaximum(m_columns->value());
    ShowHeadings();
}

void ListDropDownPage::ShowHeadings()
{
    QStringList labels;
    for (int c = 0; c < m_grid->columnCount(); ++c) {
        const QString heading = m_headings.value(c);
        labels << (heading.isEmpty() ? QString::number(c + 1) : heading);
    }
    m_grid->setHorizontalHeaderLabels(labels);
}

void ListDropDownPage::Show(int c)
{
    m_filling = true;
    m_for->setText(QString::number(c + 1));
    const GridDropDown list = m_model.DropDown(c);
    QList<QStringList> rows;
    int widest = std::max<int>(1, std::max<int>(list.Headings.size(), list.DataColumn));
    for (const QString &entry : list.Rows) {
        rows << entry.split(QLatin1Char('|'));
        widest = std::max(widest, int(rows.back().size()));
    }
    m_headings = list.Headings;
    m_edited = false;
    m_columns->setValue(widest);
    m_dataColumn->setMaximum(widest);
    m_dataColumn->setValue(list.EffectiveDataColumn());
    m_rows->setValue(int(rows.size()));
    m_grid->clear();
    m_grid->setColumnCount(widest);
    m_grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int cell = 0; cell < rows[r].size(); ++cell)
            m_grid->setItem(r, cell, new QTableWidgetItem(rows[r][cell]));
    ShowHeadings();
    m_heading->setText(m_headings.value(std::max(0, m_grid->currentColumn())));
    m_filling = false;
}

void ListDropDownPage::Store(int c)
{
    // A list the user left alone stays as stored, spelling included.
    if (!m_edited)
        return;
    // A row keeps as many cells as it had or has filled, so "a|b" with one column shown
    // loses nothing the user did not remove.
    QStringList entries;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        QStringList cells;
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem *cell = m_grid->item(r, column);
            cells << (cell ? cell->text().remove(QLatin1Char('|')) : QString());
        }
        while (cells.size() > 1 && cells.back().isEmpty())
            cells.removeLast();
        entries << cells.join(QLatin1Char('|'));
    }
    GridDropDown list;
    list.Rows = entries;
    list.DataColumn = m_dataColumn->value();
    list.Headings = m_headings.mid(0, m_grid->columnCount());
    m_model.SetDropDown(c, list);
}
