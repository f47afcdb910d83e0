#include "designer/ListItemsPage.h"

#include "model/clsControl.h"
#include "panels/ListPropsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ListItemsPage::ListItemsPage(ListPropsModel &model, bool &filling)
    : m_model(model), m_filling(filling)
{
    m_items = new QTableWidget(this);
    m_gridLines = new QComboBox(this);
    m_gridLines->addItems({tr("None"), tr("Horizontal"), tr("Vertical"), tr("Both")});
    m_rowLabel = new QLabel(this);
    m_maxDrop = new QComboBox(this);
    m_maxDrop->setEditable(true);
    m_maxDrop->addItem(QStringLiteral("auto"));
    m_headings = new QCheckBox(tr("Show column &headings"), this);
    m_defaultRowBox = new QCheckBox(tr("De&fault row"), this);
    m_autoExtend = new QCheckBox(tr("A&utomatically add new lines to grid"), this);
    m_icons = new QCheckBox(tr("Show icon in first colu&mn"), this);
    m_headings->setToolTip(tr("Show the row of column headings above the cells"));
    m_autoExtend->setToolTip(tr("An editable grid keeps an empty row at its end; typing into it "
                                "adds the next line"));
    m_icons->setToolTip(tr("Switched off, the items' icons are removed when the sheet is applied"));
    m_iconSize = new QComboBox(this);
    m_iconSize->addItems({tr("Small"), tr("Large")});
    m_cellIconLabel = new QLabel(tr("C&ell icon file name or URL:"), this);
    m_cellIcon = new QLineEdit(this);
    m_cellIcon->setPlaceholderText(tr("Enter icon file name or URL"));
    m_cellIconLabel->setBuddy(m_cellIcon);
    m_cellIconButton = new QPushButton(tr("..."), this);
    m_cellIconButton->setFixedWidth(
        m_cellIconButton->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    auto *iconRow = new QHBoxLayout;
    iconRow->addWidget(m_cellIcon, 1);
    iconRow->addWidget(m_cellIconButton);
    m_itemFields = new QFormLayout;
    m_itemFields->addRow(tr("&Grid lines:"), m_gridLines);
    m_itemFields->addRow(tr("Max dropdown &lines:"), m_maxDrop);
    m_itemFields->addRow(tr("Icon si&ze:"), m_iconSize);
    m_itemFields->addRow(m_cellIconLabel, iconRow);
    auto *switches = new QGridLayout;
    switches->addWidget(m_headings, 0, 0);
    switches->addWidget(m_defaultRowBox, 0, 1);
    switches->addWidget(m_icons, 1, 0);
    switches->addWidget(m_autoExtend, 1, 1);
    auto *help = new QLabel(tr("Paste (Ctrl+V) fills the grid from the current cell: each line "
                               "becomes a row, tabs separate the cells, a last line break adds "
                               "no row; rows and columns are added as needed."),
                            this);
    help->setWordWrap(true);
    auto *ib = new QHBoxLayout;
    for (auto [button, text] : {std::pair{&m_addRow, tr("Add &row")},
                                std::pair{&m_insertRow, tr("Insert ro&w")},
                                std::pair{&m_deleteRow, tr("Delete r&ow")}}) {
        *button = new QPushButton(text, this);
        ib->addWidget(*button);
    }
    ib->addStretch(1);
    ib->addWidget(m_rowLabel);
    auto *il = new QVBoxLayout(this);
    auto *itemsLabel = new QLabel(tr("I&tems:"), this);
    itemsLabel->setBuddy(m_items);
    il->addWidget(itemsLabel);
    il->addWidget(m_items, 1);
    il->addLayout(ib);
    il->addLayout(m_itemFields);
    il->addLayout(switches);
    il->addWidget(help);

    connect(m_items, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling)
            m_model.SetCell(row, column, m_items->item(row, column)->text());
    });
    connect(m_items, &QTableWidget::currentCellChanged, this, [this] {
        RefreshRowLabel();
        ShowCellIcon();
    });
    connect(m_cellIcon, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.SetCellIcon(std::max(0, m_items->currentRow()), IconColumn(), text);
    });
    connect(m_headings, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetShowHeadings(on);
        m_items->horizontalHeader()->setVisible(m_model.ShowHeadings());
    });
    connect(m_autoExtend, &QCheckBox::toggled, this,
            [this](bool on) { m_model.SetAddsNewLines(on); });
    connect(m_icons, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetShowIcons(on);
        EnableIconFields();
    });
    connect(m_defaultRowBox, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        const int row = m_items->currentRow() + 1;
        if (on && row > 0)
            m_model.SetDefaultRow(row);
        else if (!on && m_model.DefaultRow() == row)
            m_model.SetDefaultRow(0);
    });
    connect(m_addRow, &QPushButton::clicked, this, [this] { GoToRow(m_model.AddRow()); });
    connect(m_insertRow, &QPushButton::clicked, this,
            [this] { GoToRow(m_model.InsertRow(std::max(0, m_items->currentRow()))); });
    connect(m_deleteRow, &QPushButton::clicked, this, [this] {
        const int row = m_items->currentRow();
        if (row < 0)
            return;
        m_model.DeleteRow(row);
        GoToRow(std::min(row, m_items->rowCount() - 2));
    });
}

void ListItemsPage::Load(clsControl *item, int ctlType)
{
    const bool grid = m_model.IsGrid();
    // The page shows only what the type has, leaving the room to the items grid.
    m_itemFields->setRowVisible(m_maxDrop, !grid);
    m_itemFields->setRowVisible(m_iconSize, !grid);
    m_icons->setVisible(!grid);
    for (QWidget *w : std::initializer_list<QWidget *>{m_headings, m_defaultRowBox, m_autoExtend})
        w->setVisible(grid);
    m_cellIconLabel->setText(grid ? tr("C&ell icon file name or URL:")
                                  : tr("It&em icon file name or URL:"));
    // Only an editable grid has an input row that can add lines.
    m_autoExtend->setEnabled(ctlType == 28);
    m_filling = true;
    m_headings->setChecked(m_model.ShowHeadings());
    m_autoExtend->setChecked(m_model.AddsNewLines());
    m_icons->setChecked(m_model.ShowIcons());
    EnableIconFields();
    m_iconSize->setCurrentIndex(
        std::clamp(m_model.Scalar(ListPropsModel::IconSize).toInt(), 0, 1));
    m_filling = false;
    m_items->horizontalHeader()->setVisible(m_model.ShowHeadings());
    m_maxDrop->setEnabled(!grid);
    m_maxDrop->setEditText(m_model.MaxDropText());
    // What the object shows, its default included.
    m_initialGridLines =
        std::clamp(item ? item->GetProperty(ListPropsModel::GridLines).toInt()
                        : m_model.Scalar(ListPropsModel::GridLines).toInt(),
                   0, 3);
    m_gridLines->setCurrentIndex(m_initialGridLines);
}

void ListItemsPage::Fill()
{
    const bool was = m_filling;
    m_filling = true;
    const int columns = m_model.ColumnCount();
    const int rows = m_model.IsGrid() ? std::max(m_model.RowCount(),
                                                 m_model.Scalar(ListPropsModel::Rows).toInt())
                                      : m_model.RowCount();
    m_items->setColumnCount(std::max(columns, 1));
    m_items->setRowCount(rows);
    QStringList headings;
    for (int c = 0; c < std::max(columns, 1); ++c) {
        const QString h = m_model.ColumnValue(ListPropsModel::ColHeading, c);
        headings << (h.isEmpty() ? QString::number(c + 1) : h);
    }
    m_items->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            m_items->setItem(r, c, new QTableWidgetItem(m_model.Cell(r, c)));
    m_filling = was;
    RefreshRowLabel();
    ShowCellIcon();
}

void ListItemsPage::GoToRow(int row)
{
    Fill();
    m_items->setCurrentCell(row, std::max(0, m_items->currentColumn()));
}

int ListItemsPage::IconColumn() const
{
    return m_model.IsGrid() ? std::max(0, m_items->currentColumn()) : 0;
}

void ListItemsPage::RefreshRowLabel()
{
    const int row = m_items->currentRow() + 1;
    m_rowLabel->setText(tr("Row: %1 of %2").arg(std::max(0, row)).arg(m_items->rowCount()));
    const bool was = m_filling;
    m_filling = true;
    m_defaultRowBox->setChecked(row > 0 && m_model.DefaultRow() == row);
    m_filling = was;
}

void ListItemsPage::ShowCellIcon()
{
    m_cellIcon->setText(m_model.CellIcon(std::max(0, m_items->currentRow()), IconColumn()));
}

void ListItemsPage::SetCellIcon(const QString &file)
{
    m_cellIcon->setText(file);
    m_model.SetCellIcon(std::max(0, m_items->currentRow()), IconColumn(), file);
    m_filling = true;
    m_icons->setChecked(m_model.ShowIcons());
    m_filling = false;
    EnableIconFields();
}

void ListItemsPage::EnableIconFields()
{
    // A list without its icon column has no item icons to edit.
    const bool on = m_model.IsGrid() || m_model.ShowIcons();
    m_iconSize->setEnabled(on);
    m_cellIcon->setEnabled(on);
    m_cellIconLabel->setEnabled(on);
}

bool ListItemsPage::Store()
{
    if (!m_model.SetMaxDropText(m_maxDrop->currentText()))
        return false;
    if (m_gridLines->currentIndex() != m_initialGridLines)
        m_model.SetScalar(ListPropsModel::GridLines, QString::number(m_gridLines->currentIndex()));
    if (!m_model.IsGrid()
        && m_iconSize->currentIndex()
               != std::clamp(m_model.Scalar(ListPropsModel::IconSize).toInt(), 0, 1))
        m_model.SetScalar(ListPropsModel::IconSize, QString::number(m_iconSize->currentIndex()));
    return true;
}
