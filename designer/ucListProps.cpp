#include "designer/ucListProps.h"

#include "app/iPrompter.h"
#include "model/clsControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The data-type choices; the number before the dash is the stored code.
const char *const DataTypes[] = {"0-Any", "1-Alpha", "2-Alpha Numeric", "8-Numeric",
                                 "5-Currency", "7-Financial", "9-Percent", "3-Boolean", "6-Date",
                                 "13-Time", "10-Phone", "11-SSN", "12-State", "4-Country",
                                 "14-Zip Code"};

int Code(const QString &text)
{
    return text.section(QLatin1Char('-'), 0, 0).toInt();
}

QPushButton *Button(const QString &text, QWidget *parent, QHBoxLayout *row)
{
    auto *b = new QPushButton(text, parent);
    row->addWidget(b);
    return b;
}

} // namespace

ucListProps::ucListProps(iPrompter &prompter, QWidget *parent) : ContentEditorPage(prompter, parent)
{
    m_pages = new QTabWidget(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pages);

    // ---- Columns
    auto *columns = new QWidget;
    auto *cf = new QFormLayout;
    m_column = new QSpinBox(columns);
    m_heading = new QLineEdit(columns);
    m_fieldType = new QComboBox(columns);
    m_fieldType->addItems({tr("Label"), tr("Text box"), tr("Check box"), tr("Dropdown list"),
                           tr("Dropdown combo"), tr("Label+ellipsis"), tr("Label+icon"),
                           tr("Label+button")});
    m_align = new QComboBox(columns);
    m_align->addItems({tr("Left"), tr("Right"), tr("Center")});
    m_dataType = new QComboBox(columns);
    for (const char *t : DataTypes)
        m_dataType->addItem(QString::fromLatin1(t));
    m_width = new QLineEdit(columns);
    m_locked = new QSpinBox(columns);
    m_hint = new QLineEdit(columns);
    m_sizable = new QCheckBox(tr("&Sizable"), columns);
    m_dataColumn = new QCheckBox(tr("Data col&umn"), columns);
    cf->addRow(tr("&Column:"), m_column);
    cf->addRow(tr("&Heading:"), m_heading);
    cf->addRow(tr("Column &type:"), m_fieldType);
    cf->addRow(tr("&Alignment:"), m_align);
    cf->addRow(tr("&Data type:"), m_dataType);
    cf->addRow(tr("&Width:"), m_width);
    cf->addRow(tr("&Locked columns:"), m_locked);
    cf->addRow(tr("Column help hint te&xt:"), m_hint);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_sizable);
    checks->addWidget(m_dataColumn);
    checks->addStretch(1);
    cf->addRow(checks);
    auto *cb = new QHBoxLayout;
    m_addColumn = Button(tr("Add colum&n"), columns, cb);
    m_insertColumn = Button(tr("&Insert column"), columns, cb);
    m_deleteColumn = Button(tr("Delete colu&mn"), columns, cb);
    cb->addStretch(1);
    auto *cl = new QVBoxLayout(columns);
    cl->addLayout(cf);
    cl->addStretch(1);
    cl->addLayout(cb);
    m_pages->addTab(columns, tr("Columns"));

    // ---- Items
    auto *items = new QWidget;
    m_items = new QTableWidget(items);
    m_items->installEventFilter(this);
    m_gridLines = new QComboBox(items);
    m_gridLines->addItems({tr("None"), tr("Horizontal"), tr("Vertical"), tr("Both")});
    m_rowLabel = new QLabel(items);
    m_maxDrop = new QComboBox(items);
    m_maxDrop->setEditable(true);
    m_maxDrop->addItem(QStringLiteral("auto"));
    auto *itemFields = new QFormLayout;
    itemFields->addRow(tr("&Grid lines:"), m_gridLines);
    itemFields->addRow(tr("Max dropdown &lines:"), m_maxDrop);
    auto *help = new QLabel(tr("Paste (Ctrl+V) fills the grid from the current cell: each line "
                               "becomes a row, tabs separate the cells, a last line break adds "
                               "no row; rows and columns are added as needed."),
                            items);
    help->setWordWrap(true);
    auto *ib = new QHBoxLayout;
    m_addRow = Button(tr("Add &row"), items, ib);
    m_insertRow = Button(tr("Insert ro&w"), items, ib);
    m_deleteRow = Button(tr("Delete r&ow"), items, ib);
    ib->addStretch(1);
    ib->addWidget(m_rowLabel);
    auto *il = new QVBoxLayout(items);
    auto *itemsLabel = new QLabel(tr("I&tems:"), items);
    itemsLabel->setBuddy(m_items);
    il->addWidget(itemsLabel);
    il->addWidget(m_items, 1);
    il->addLayout(ib);
    il->addLayout(itemFields);
    il->addWidget(help);
    m_pages->addTab(items, tr("Items"));

    // ---- Dropdown list
    auto *drop = new QWidget;
    m_dropFor = new QLabel(drop);
    m_dropItems = new QPlainTextEdit(drop);
    m_dropItems->setPlaceholderText(tr("One entry per line; \"|\" between the columns of an entry"));
    auto *dl = new QVBoxLayout(drop);
    dl->addWidget(m_dropFor);
    dl->addWidget(m_dropItems, 1);
    m_pages->addTab(drop, tr("Dropdown List"));

    connect(m_column, &QSpinBox::valueChanged, this, [this] {
        if (m_filling)
            return;
        StoreColumn();
        ShowColumn();
    });
    connect(m_items, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!m_filling)
            m_model.SetCell(row, column, m_items->item(row, column)->text());
    });
    connect(m_items, &QTableWidget::currentCellChanged, this, [this] { RefreshRowLabel(); });
    auto columnOp = [this](auto op) {
        StoreColumn();
        const int at = op();
        FillItems();
        m_column->setValue(at + 1);
        ShowColumn();
    };
    connect(m_addColumn, &QPushButton::clicked, this, [=, this] { columnOp([this] { return m_model.AddColumn(); }); });
    connect(m_insertColumn, &QPushButton::clicked, this,
            [=, this] { columnOp([this] { return m_model.InsertColumn(m_column->value() - 1); }); });
    connect(m_deleteColumn, &QPushButton::clicked, this, [=, this] {
        columnOp([this] {
            m_model.DeleteColumn(m_column->value() - 1);
            m_shownColumn = -1;
            return std::max(0, std::min(m_column->value() - 1, m_model.ColumnCount() - 1));
        });
    });
    auto rowOp = [this](int row) {
        FillItems();
        m_items->setCurrentCell(row, std::max(0, m_items->currentColumn()));
    };
    connect(m_addRow, &QPushButton::clicked, this, [=, this] { rowOp(m_model.AddRow()); });
    connect(m_insertRow, &QPushButton::clicked, this,
            [=, this] { rowOp(m_model.InsertRow(std::max(0, m_items->currentRow()))); });
    connect(m_deleteRow, &QPushButton::clicked, this, [=, this] {
        const int row = m_items->currentRow();
        if (row < 0)
            return;
        m_model.DeleteRow(row);
        rowOp(std::min(row, m_items->rowCount() - 2));
    });
}

void ucListProps::LoadProps(clsControl *item, int ctlType)
{
    ItemListModel shape;
    shape.LoadProps(ctlType, {});
    ItemListModel::Values values;
    if (item) {
        std::vector<int> codes = shape.ColumnCodes();
        for (int code : {1, 26, 27, 28, 33, 39, 53, 55})
            codes.push_back(code);
        for (int code : codes)
            if (item->IsNonDefault(code))
                values[code] = item->GetProperty(code);
    }
    m_model.LoadProps(ctlType, values);
    const bool grid = m_model.IsGrid();
    for (QWidget *w : std::initializer_list<QWidget *>{m_fieldType, m_locked, m_hint, m_sizable})
        w->setEnabled(grid);
    m_dataColumn->setEnabled(ctlType == 23);
    m_maxDrop->setEnabled(!grid);
    m_pages->setTabVisible(2, grid);
    m_maxDrop->setEditText(m_model.MaxDropText());
    // What the object shows, its default included.
    m_initialGridLines = std::clamp(item ? item->GetProperty(ItemListModel::GridLines).toInt()
                                         : m_model.Scalar(ItemListModel::GridLines).toInt(), 0, 3);
    m_gridLines->setCurrentIndex(m_initialGridLines);
    m_locked->setValue(m_model.Scalar(ItemListModel::FixedCols).toInt());
    m_shownColumn = -1;
    FillItems();
    ShowColumn();
}

void ucListProps::FillItems()
{
    m_filling = true;
    const int columns = m_model.ColumnCount();
    const int rows = m_model.IsGrid()
                         ? std::max(m_model.RowCount(), m_model.Scalar(ItemListModel::Rows).toInt())
                         : m_model.RowCount();
    m_items->setColumnCount(std::max(columns, 1));
    m_items->setRowCount(rows);
    QStringList headings;
    for (int c = 0; c < std::max(columns, 1); ++c) {
        const QString h = m_model.ColumnValue(ItemListModel::ColHeading, c);
        headings << (h.isEmpty() ? QString::number(c + 1) : h);
    }
    m_items->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            m_items->setItem(r, c, new QTableWidgetItem(m_model.Cell(r, c)));
    m_column->setRange(1, std::max(columns, 1));
    m_locked->setRange(0, std::max(columns, 0));
    m_filling = false;
    RefreshRowLabel();
}

void ucListProps::RefreshRowLabel()
{
    m_rowLabel->setText(tr("Row %1 of %2").arg(std::max(0, m_items->currentRow() + 1)).arg(m_items->rowCount()));
}

void ucListProps::ShowColumn()
{
    m_filling = true;
    const int c = m_column->value() - 1;
    m_shownColumn = c;
    m_heading->setText(m_model.ColumnValue(ItemListModel::ColHeading, c));
    m_fieldType->setCurrentIndex(std::clamp(
        m_model.ColumnValue(ItemListModel::ColFieldType, c).isEmpty()
            ? 1 : m_model.ColumnValue(ItemListModel::ColFieldType, c).toInt(), 0, 7));
    m_align->setCurrentIndex(std::clamp(m_model.ColumnValue(ItemListModel::ColAlign, c).toInt(), 0, 2));
    const int dataType = m_model.ColumnValue(ItemListModel::ColDataType, c).toInt();
    m_dataType->setCurrentIndex(0);
    for (int i = 0; i < m_dataType->count(); ++i)
        if (Code(m_dataType->itemText(i)) == dataType)
            m_dataType->setCurrentIndex(i);
    const QString width = m_model.ColumnValue(ItemListModel::ColWidth, c);
    m_width->setText(width);
    m_width->setPlaceholderText(QStringLiteral("1000"));
    m_hint->setText(m_model.ColumnValue(ItemListModel::ColHint, c));
    m_sizable->setChecked(m_model.ColumnValue(ItemListModel::ColSizable, c) != QLatin1String("0"));
    m_dataColumn->setChecked(m_model.DataColumn() == c + 1);
    m_dropFor->setText(tr("Dropdown list for column: %1").arg(c + 1));
    m_dropItems->setPlainText(m_model.DropDownItems(c).join(QLatin1Char('\n')));
    m_filling = false;
}

void ucListProps::StoreColumn()
{
    const int c = m_shownColumn;
    if (c < 0 || c >= std::max(m_model.ColumnCount(), 1))
        return;
    auto set = [&](int code, const QString &text, const QString &byDefault) {
        // A value equal to the default is written only where one was stored.
        if (text == byDefault && m_model.ColumnValue(code, c).isEmpty())
            return;
        m_model.SetColumnValue(code, c, text);
    };
    set(ItemListModel::ColHeading, m_heading->text(), QString());
    set(ItemListModel::ColAlign, QString::number(m_align->currentIndex()), QStringLiteral("0"));
    set(ItemListModel::ColDataType, QString::number(Code(m_dataType->currentText())), QStringLiteral("0"));
    set(ItemListModel::ColWidth, m_width->text().trimmed(), QString());
    if (m_model.IsGrid()) {
        set(ItemListModel::ColFieldType, QString::number(m_fieldType->currentIndex()), QStringLiteral("1"));
        set(ItemListModel::ColHint, m_hint->text(), QString());
        set(ItemListModel::ColSizable, m_sizable->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("1"));
        QStringList entries = m_dropItems->toPlainText().split(QLatin1Char('\n'));
        if (entries == QStringList{QString()})
            entries.clear();
        if (entries != m_model.DropDownItems(c))
            m_model.SetDropDownItems(c, entries);
    }
    if (m_model.CtlType() == 23) {
        if (m_dataColumn->isChecked() && m_model.DataColumn() != c + 1)
            m_model.SetScalar(ItemListModel::DataCol, QString::number(c + 1));
        else if (!m_dataColumn->isChecked() && m_model.DataColumn() == c + 1)
            m_model.SetScalar(ItemListModel::DataCol, QString());
    }
}

void ucListProps::PasteText(const QString &text)
{
    const int row = std::max(0, m_items->currentRow());
    const int column = std::max(0, m_items->currentColumn());
    m_model.Paste(row, column, text);
    FillItems();
    m_items->setCurrentCell(row, column);
}

bool ucListProps::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_items && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
        PasteText(QApplication::clipboard()->text());
        return true;
    }
    return ContentEditorPage::eventFilter(watched, event);
}

bool ucListProps::Check()
{
    StoreColumn();
    if (!m_model.SetMaxDropText(m_maxDrop->currentText())) {
        m_pages->setCurrentIndex(1);
        m_prompter.ShowMessage(tr("Please enter a number or \"auto\"."), MessageIcon::Exclamation);
        m_maxDrop->setFocus();
        return false;
    }
    if (m_gridLines->currentIndex() != m_initialGridLines)
        m_model.SetScalar(ItemListModel::GridLines, QString::number(m_gridLines->currentIndex()));
    if (m_model.IsGrid() && m_locked->value() != m_model.Scalar(ItemListModel::FixedCols).toInt())
        m_model.SetScalar(ItemListModel::FixedCols, QString::number(m_locked->value()));
    return true;
}

void ucListProps::Apply(clsControl &item, clsDesigner &)
{
    // Counts first, so that the per-column settings and cells find their columns.
    const auto changes = m_model.Changes();
    for (int code : {ItemListModel::Columns, ItemListModel::Rows})
        if (auto it = changes.find(code); it != changes.end())
            item.SetProperty(code, it->second.isEmpty() ? QStringLiteral("0") : it->second);
    for (const auto &[code, value] : changes)
        if (code != ItemListModel::Columns && code != ItemListModel::Rows)
            item.SetProperty(code, value);
}
