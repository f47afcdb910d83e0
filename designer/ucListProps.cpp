#include "designer/ucListProps.h"

#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    m_sizable = new QCheckBox(tr("Si&zable"), columns);
    m_maxLen = new QLineEdit(columns);
    m_maxLen->setValidator(new QIntValidator(0, 1000000, m_maxLen));
    m_required = new QCheckBox(tr("Re&quired"), columns);
    m_readOnly = new QCheckBox(tr("&Read only"), columns);
    m_dataColumn = new QCheckBox(tr("Data col&umn"), columns);
    cf->addRow(tr("C&olumn:"), m_column);
    cf->addRow(tr("&Heading:"), m_heading);
    cf->addRow(tr("Column &type:"), m_fieldType);
    cf->addRow(tr("A&lignment:"), m_align);
    cf->addRow(tr("&Data type:"), m_dataType);
    m_widthLabel = new QLabel(tr("&Width:"), columns);
    m_widthLabel->setBuddy(m_width);
    cf->addRow(m_widthLabel, m_width);
    cf->addRow(tr("Max len&gth:"), m_maxLen);
    cf->addRow(tr("Loc&ked columns:"), m_locked);
    cf->addRow(tr("Column help hint te&xt:"), m_hint);
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_required);
    checks->addWidget(m_sizable);
    checks->addWidget(m_readOnly);
    checks->addWidget(m_dataColumn);
    checks->addStretch(1);
    cf->addRow(checks);
    auto *cb = new QHBoxLayout;
    m_addColumn = Button(tr("Add colum&n"), columns, cb);
    m_insertColumn = Button(tr("Ins&ert column"), columns, cb);
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
    m_headings = new QCheckBox(tr("Show column &headings"), items);
    m_defaultRowBox = new QCheckBox(tr("De&fault row"), items);
    m_autoExtend = new QCheckBox(tr("A&utomatically add new lines to grid"), items);
    m_icons = new QCheckBox(tr("Show icon in first colu&mn"), items);
    m_headings->setToolTip(tr("Show the row of column headings above the cells"));
    m_autoExtend->setToolTip(tr("An editable grid keeps an empty row at its end; typing into it "
                                "adds the next line"));
    m_icons->setToolTip(tr("Switched off, the items' icons are removed when the sheet is applied"));
    m_iconSize = new QComboBox(items);
    m_iconSize->addItems({tr("Small"), tr("Large")});
    m_cellIconLabel = new QLabel(tr("C&ell icon file name or URL:"), items);
    m_cellIcon = new QLineEdit(items);
    m_cellIcon->setPlaceholderText(tr("Enter icon file name or URL"));
    m_cellIconLabel->setBuddy(m_cellIcon);
    m_cellIconButton = new QPushButton(tr("..."), items);
    m_cellIconButton->setFixedWidth(m_cellIconButton->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    auto *iconRow = new QHBoxLayout;
    iconRow->addWidget(m_cellIcon, 1);
    iconRow->addWidget(m_cellIconButton);
    auto *itemFields = m_itemFields = new QFormLayout;
    itemFields->addRow(tr("&Grid lines:"), m_gridLines);
    itemFields->addRow(tr("Max dropdown &lines:"), m_maxDrop);
    itemFields->addRow(tr("Icon si&ze:"), m_iconSize);
    itemFields->addRow(m_cellIconLabel, iconRow);
    auto *switches = new QGridLayout;
    switches->addWidget(m_headings, 0, 0);
    switches->addWidget(m_defaultRowBox, 0, 1);
    switches->addWidget(m_icons, 1, 0);
    switches->addWidget(m_autoExtend, 1, 1);
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
    il->addLayout(switches);
    il->addWidget(help);
    m_pages->addTab(items, tr("Items"));

    // ---- Dropdown list
    auto *drop = new QWidget;
    m_dropFor = new QLabel(drop);
    m_dropColumns = new QSpinBox(drop);
    m_dropColumns->setRange(1, 50);
    m_dropRows = new QSpinBox(drop);
    m_dropRows->setRange(0, 10000);
    m_dropGrid = new QTableWidget(drop);
    m_dropDataColumn = new QSpinBox(drop);
    m_dropDataColumn->setRange(1, 50);
    m_dropHeading = new QLineEdit(drop);
    m_dropHeading->setPlaceholderText(tr("Heading of the current dropdown column"));
    auto *df = new QFormLayout;
    df->addRow(tr("Dropdown list for column:"), m_dropFor);
    df->addRow(tr("C&olumns in dropdown list:"), m_dropColumns);
    df->addRow(tr("Ro&ws in dropdown list:"), m_dropRows);
    df->addRow(tr("Data colum&n:"), m_dropDataColumn);
    df->addRow(tr("Headin&g:"), m_dropHeading);
    auto *dropHelp = new QLabel(tr("Each row is one entry of the list; its cells are stored with "
                                   "\"|\" between them. The data column's value goes into the "
                                   "grid cell; the heading belongs to the current dropdown "
                                   "column."), drop);
    dropHelp->setWordWrap(true);
    auto *dl = new QVBoxLayout(drop);
    dl->addLayout(df);
    dl->addWidget(m_dropGrid, 1);
    dl->addWidget(dropHelp);
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
    connect(m_items, &QTableWidget::currentCellChanged, this, [this] {
        RefreshRowLabel();
        ShowCellIcon();
    });
    connect(m_cellIcon, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.SetCellIcon(std::max(0, m_items->currentRow()),
                            m_model.IsGrid() ? std::max(0, m_items->currentColumn()) : 0, text);
    });
    connect(m_cellIconButton, &QPushButton::clicked, this, [this] { ChooseCellIcon(); });
    connect(m_headings, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetShowHeadings(on);
        m_items->horizontalHeader()->setVisible(m_model.ShowHeadings());
    });
    connect(m_autoExtend, &QCheckBox::toggled, this, [this](bool on) { m_model.SetAddsNewLines(on); });
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
    auto resizeDrop = [this] {
        if (m_filling)
            return;
        m_dropEdited = true;
        m_dropGrid->setColumnCount(m_dropColumns->value());
        m_dropGrid->setRowCount(m_dropRows->value());
        m_dropDataColumn->setMaximum(m_dropColumns->value());
        ShowDropHeadings();
    };
    connect(m_dropGrid, &QTableWidget::itemChanged, this, [this] {
        if (!m_filling)
            m_dropEdited = true;
    });
    connect(m_dropDataColumn, &QSpinBox::valueChanged, this, [this] {
        if (!m_filling)
            m_dropEdited = true;
    });
    connect(m_dropGrid, &QTableWidget::currentCellChanged, this, [this] {
        const bool was = m_filling;
        m_filling = true;
        m_dropHeading->setText(m_dropHeadings.value(std::max(0, m_dropGrid->currentColumn())));
        m_filling = was;
    });
    connect(m_dropHeading, &QLineEdit::textEdited, this, [this](const QString &text) {
        const int c = std::max(0, m_dropGrid->currentColumn());
        while (m_dropHeadings.size() <= c)
            m_dropHeadings.append(QString());
        m_dropHeadings[c] = QString(text).remove(QLatin1Char('|'));
        m_dropEdited = true;
        ShowDropHeadings();
    });
    connect(m_dropColumns, &QSpinBox::valueChanged, this, resizeDrop);
    connect(m_dropRows, &QSpinBox::valueChanged, this, resizeDrop);
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
    ListPropsModel shape;
    shape.LoadProps(ctlType, {});
    ListPropsModel::Values values;
    if (item) {
        std::vector<int> codes = shape.ColumnCodes();
        for (int code : {1, 26, 27, 28, 31, 33, 39, 53, 55, 56, 70, 97, 98})
            codes.push_back(code);
        for (int code : codes)
            if (item->IsNonDefault(code))
                values[code] = item->GetProperty(code);
    }
    m_model.LoadProps(ctlType, values);
    const bool grid = m_model.IsGrid();
    for (QWidget *w : std::initializer_list<QWidget *>{m_fieldType, m_locked, m_hint, m_sizable,
                                                       m_maxLen, m_required, m_readOnly})
        w->setEnabled(grid);
    // The items page shows only what the type has, leaving the room to the items grid.
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
    m_iconSize->setCurrentIndex(std::clamp(m_model.Scalar(ListPropsModel::IconSize).toInt(), 0, 1));
    m_filling = false;
    m_items->horizontalHeader()->setVisible(m_model.ShowHeadings());
    SetScaleMode(m_model.ScaleMode());
    m_dataColumn->setEnabled(ctlType == 23);
    m_maxDrop->setEnabled(!grid);
    m_pages->setTabVisible(2, grid);
    m_maxDrop->setEditText(m_model.MaxDropText());
    // What the object shows, its default included.
    m_initialGridLines = std::clamp(item ? item->GetProperty(ListPropsModel::GridLines).toInt()
                                         : m_model.Scalar(ListPropsModel::GridLines).toInt(), 0, 3);
    m_gridLines->setCurrentIndex(m_initialGridLines);
    m_locked->setValue(m_model.Scalar(ListPropsModel::FixedCols).toInt());
    m_shownColumn = -1;
    FillItems();
    ShowColumn();
}

void ucListProps::FillItems()
{
    m_filling = true;
    const int columns = m_model.ColumnCount();
    const int rows = m_model.IsGrid()
                         ? std::max(m_model.RowCount(), m_model.Scalar(ListPropsModel::Rows).toInt())
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
    m_column->setRange(1, std::max(columns, 1));
    m_locked->setRange(0, std::max(columns, 0));
    m_filling = false;
    RefreshRowLabel();
    ShowCellIcon();
}

void ucListProps::RefreshRowLabel()
{
    const int row = m_items->currentRow() + 1;
    m_rowLabel->setText(tr("Row: %1 of %2").arg(std::max(0, row)).arg(m_items->rowCount()));
    const bool was = m_filling;
    m_filling = true;
    m_defaultRowBox->setChecked(row > 0 && m_model.DefaultRow() == row);
    m_filling = was;
}

void ucListProps::ShowCellIcon()
{
    const int row = std::max(0, m_items->currentRow());
    m_cellIcon->setText(m_model.CellIcon(row, m_model.IsGrid() ? std::max(0, m_items->currentColumn()) : 0));
}

void ucListProps::ChooseCellIcon()
{
    const QString caption = m_model.IsGrid() ? tr("Cell icon file or URL:") : tr("Item icon file or URL:");
    const QString file = ChooseIcon(caption);
    if (file.isEmpty())
        return;
    m_cellIcon->setText(file);
    m_model.SetCellIcon(std::max(0, m_items->currentRow()),
                        m_model.IsGrid() ? std::max(0, m_items->currentColumn()) : 0, file);
    m_filling = true;
    m_icons->setChecked(m_model.ShowIcons());
    m_filling = false;
    EnableIconFields();
}

void ucListProps::EnableIconFields()
{
    // A list without its icon column has no item icons to edit.
    const bool on = m_model.IsGrid() || m_model.ShowIcons();
    m_iconSize->setEnabled(on);
    m_cellIcon->setEnabled(on);
    m_cellIconLabel->setEnabled(on);
}

void ucListProps::SetScaleMode(int unit)
{
    m_model.SetScaleMode(Vocabulary::IsScaleUnit(unit) ? unit : 0);
    const QString name = Vocabulary::ScaleUnitName(m_model.ScaleMode());
    m_widthLabel->setText(name.isEmpty() ? tr("&Width:") : tr("&Width (%1):").arg(name));
    m_width->setPlaceholderText(m_model.DefaultWidthText());
}

void ucListProps::ShowDropHeadings()
{
    QStringList labels;
    for (int c = 0; c < m_dropGrid->columnCount(); ++c) {
        const QString heading = m_dropHeadings.value(c);
        labels << (heading.isEmpty() ? QString::number(c + 1) : heading);
    }
    m_dropGrid->setHorizontalHeaderLabels(labels);
}

void ucListProps::ShowDropDown(int column)
{
    m_filling = true;
    const GridDropDown list = m_model.DropDown(column);
    QList<QStringList> rows;
    int widest = std::max<int>(1, std::max<int>(list.Headings.size(), list.DataColumn));
    for (const QString &entry : list.Rows) {
        rows << entry.split(QLatin1Char('|'));
        widest = std::max(widest, int(rows.back().size()));
    }
    m_dropHeadings = list.Headings;
    m_dropEdited = false;
    m_dropColumns->setValue(widest);
    m_dropDataColumn->setMaximum(widest);
    m_dropDataColumn->setValue(list.EffectiveDataColumn());
    m_dropRows->setValue(int(rows.size()));
    m_dropGrid->clear();
    m_dropGrid->setColumnCount(widest);
    m_dropGrid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            m_dropGrid->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    ShowDropHeadings();
    m_dropHeading->setText(m_dropHeadings.value(std::max(0, m_dropGrid->currentColumn())));
    m_filling = false;
}

void ucListProps::StoreDropDown(int column)
{
    // A list the user left alone stays as stored, spelling included.
    if (!m_dropEdited)
        return;
    // A row keeps as many cells as it had or has filled, so "a|b" with one column shown
    // loses nothing the user did not remove.
    QStringList entries;
    for (int r = 0; r < m_dropGrid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_dropGrid->columnCount(); ++c) {
            const QTableWidgetItem *cell = m_dropGrid->item(r, c);
            cells << (cell ? cell->text().remove(QLatin1Char('|')) : QString());
        }
        while (cells.size() > 1 && cells.back().isEmpty())
            cells.removeLast();
        entries << cells.join(QLatin1Char('|'));
    }
    GridDropDown list;
    list.Rows = entries;
    list.DataColumn = m_dropDataColumn->value();
    list.Headings = m_dropHeadings.mid(0, m_dropGrid->columnCount());
    m_model.SetDropDown(column, list);
}

void ucListProps::ShowColumn()
{
    m_filling = true;
    const int c = m_column->value() - 1;
    m_shownColumn = c;
    m_heading->setText(m_model.ColumnValue(ListPropsModel::ColHeading, c));
    m_fieldType->setCurrentIndex(std::clamp(
        m_model.ColumnValue(ListPropsModel::ColFieldType, c).isEmpty()
            ? 1 : m_model.ColumnValue(ListPropsModel::ColFieldType, c).toInt(), 0, 7));
    m_align->setCurrentIndex(std::clamp(m_model.ColumnValue(ListPropsModel::ColAlign, c).toInt(), 0, 2));
    const int dataType = m_model.ColumnValue(ListPropsModel::ColDataType, c).toInt();
    m_dataType->setCurrentIndex(0);
    for (int i = 0; i < m_dataType->count(); ++i)
        if (Code(m_dataType->itemText(i)) == dataType)
            m_dataType->setCurrentIndex(i);
    const QString width = m_model.ColumnValue(ListPropsModel::ColWidth, c);
    m_width->setText(width);
    m_width->setPlaceholderText(m_model.DefaultWidthText());
    m_hint->setText(m_model.ColumnValue(ListPropsModel::ColHint, c));
    m_sizable->setChecked(m_model.ColumnValue(ListPropsModel::ColSizable, c) != QLatin1String("0"));
    const QString maxLen = m_model.ColumnValue(ListPropsModel::MaxLen, c);
    m_maxLen->setText(maxLen == QLatin1String("0") ? QString() : maxLen);
    m_required->setChecked(m_model.ColumnValue(ListPropsModel::Required, c) == QLatin1String("1"));
    m_readOnly->setChecked(m_model.ColumnValue(ListPropsModel::ReadOnly, c) == QLatin1String("1"));
    m_dataColumn->setChecked(m_model.DataColumn() == c + 1);
    m_dropFor->setText(QString::number(c + 1));
    m_filling = false;
    ShowDropDown(c);
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
    set(ListPropsModel::ColHeading, m_heading->text(), QString());
    set(ListPropsModel::ColAlign, QString::number(m_align->currentIndex()), QStringLiteral("0"));
    set(ListPropsModel::ColDataType, QString::number(Code(m_dataType->currentText())), QStringLiteral("0"));
    set(ListPropsModel::ColWidth, m_width->text().trimmed(), QString());
    if (m_model.IsGrid()) {
        set(ListPropsModel::ColFieldType, QString::number(m_fieldType->currentIndex()), QStringLiteral("1"));
        set(ListPropsModel::ColHint, m_hint->text(), QString());
        set(ListPropsModel::ColSizable, m_sizable->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("1"));
        const QString maxLen = m_maxLen->text().trimmed();
        set(ListPropsModel::MaxLen, maxLen.isEmpty() ? QStringLiteral("0") : maxLen, QStringLiteral("0"));
        set(ListPropsModel::Required, m_required->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("0"));
        set(ListPropsModel::ReadOnly, m_readOnly->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
            QStringLiteral("0"));
        StoreDropDown(c);
    }
    if (m_model.CtlType() == 23) {
        if (m_dataColumn->isChecked() && m_model.DataColumn() != c + 1)
            m_model.SetScalar(ListPropsModel::DataCol, QString::number(c + 1));
        else if (!m_dataColumn->isChecked() && m_model.DataColumn() == c + 1)
            m_model.SetScalar(ListPropsModel::DataCol, QString());
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
        m_model.SetScalar(ListPropsModel::GridLines, QString::number(m_gridLines->currentIndex()));
    if (!m_model.IsGrid() && m_iconSize->currentIndex() != std::clamp(m_model.Scalar(ListPropsModel::IconSize).toInt(), 0, 1))
        m_model.SetScalar(ListPropsModel::IconSize, QString::number(m_iconSize->currentIndex()));
    if (m_model.IsGrid() && m_locked->value() != m_model.Scalar(ListPropsModel::FixedCols).toInt())
        m_model.SetScalar(ListPropsModel::FixedCols, QString::number(m_locked->value()));
    return true;
}

void ucListProps::Apply(clsControl &item, clsDesigner &)
{
    // Counts first, so that the per-column settings and cells find their columns.
    const auto changes = m_model.Changes();
    for (int code : {ListPropsModel::Columns, ListPropsModel::Rows})
        if (auto it = changes.find(code); it != changes.end())
            item.SetProperty(code, it->second.isEmpty() ? QStringLiteral("0") : it->second);
    for (const auto &[code, value] : changes)
        if (code != ListPropsModel::Columns && code != ListPropsModel::Rows)
            item.SetProperty(code, value);
}

// ---- the editor's values

namespace {
int Index(int column) { return column - 1; }
} // namespace

QString ucListProps::ColAlign(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColAlign, Index(column)); }
QString ucListProps::ColAligns() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColAlign); }
QString ucListProps::ColDataType(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColDataType, Index(column)); }
QString ucListProps::ColDataTypes() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColDataType); }
QString ucListProps::ColFieldType(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColFieldType, Index(column)); }
QString ucListProps::ColFieldTypes() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColFieldType); }
QString ucListProps::ColHeading(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColHeading, Index(column)); }
QString ucListProps::ColHeadings() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColHeading); }
QString ucListProps::ColHints() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColHint); }
QString ucListProps::ColItems(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColItems, Index(column)); }
QString ucListProps::ColSizable(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColSizable, Index(column)); }
QString ucListProps::ColSizables() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColSizable); }
QString ucListProps::ColWidth(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ColWidth, Index(column)); }
QString ucListProps::ColWidths() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ColWidth); }
bool ucListProps::DataCol(int column) { StoreColumn(); return m_model.DataColumn() == column; }
QString ucListProps::DataCols() { StoreColumn(); return m_model.Scalar(ListPropsModel::DataCol); }
QString ucListProps::FixedCols() { Check(); return m_model.Scalar(ListPropsModel::FixedCols); }
QString ucListProps::GridLines() { Check(); return m_model.Scalar(ListPropsModel::GridLines); }
QString ucListProps::IconSize() { Check(); return m_model.Scalar(ListPropsModel::IconSize); }
QString ucListProps::Items() { return m_model.Store()[m_model.IsGrid() ? ListPropsModel::Value : ListPropsModel::Items]; }
QString ucListProps::MaxDrop() { return m_maxDrop->currentText().trimmed(); }
QString ucListProps::MaxLens() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::MaxLen); }
QString ucListProps::Picture() { return m_model.Store()[ListPropsModel::Icon]; }
// One value holds for every column until the columns differ.
QString ucListProps::ReadOnly(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ReadOnly, Index(column)); }
QString ucListProps::ReadOnlys() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ReadOnly); }
QString ucListProps::Required(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::Required, Index(column)); }
QString ucListProps::Requireds() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::Required); }
