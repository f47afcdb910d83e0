#include "designer/ucListProps.h"

#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

ucListProps::ucListProps(iPrompter &prompter, QWidget *parent) : ContentEditorPage(prompter, parent)
{
    m_pages = new QTabWidget(this);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pages);
    m_columnsPage = new ListColumnsPage(m_model);
    m_itemsPage = new ListItemsPage(m_model, m_filling);
    m_dropPage = new ListDropDownPage(m_model, m_filling);
    m_pages->addTab(m_columnsPage, tr("Columns"));
    m_pages->addTab(m_itemsPage, tr("Items"));
    m_pages->addTab(m_dropPage, tr("Dropdown List"));
    m_itemsPage->Grid()->installEventFilter(this);

    connect(ColumnField(), &QSpinBox::valueChanged, this, [this] {
        if (m_filling)
            return;
        StoreColumn();
        ShowColumn();
    });
    connect(CellIconButton(), &QPushButton::clicked, this, [this] { ChooseCellIcon(); });
    // A row added or removed can change the columns a list has.
    for (QPushButton *rowButton :
         {AddRowButton(), m_itemsPage->InsertRowButton(), DeleteRowButton()})
        connect(rowButton, &QPushButton::clicked, this, &ucListProps::FitColumnChoice);
    auto columnOp = [this](auto op) {
        StoreColumn();
        const int at = op();
        FillItems();
        ColumnField()->setValue(at + 1);
        ShowColumn();
    };
    const auto column = [this] { return ColumnField()->value() - 1; };
    connect(m_columnsPage->AddColumnButton(), &QPushButton::clicked, this,
            [=, this] { columnOp([this] { return m_model.AddColumn(); }); });
    connect(m_columnsPage->InsertColumnButton(), &QPushButton::clicked, this,
            [=, this] { columnOp([=, this] { return m_model.InsertColumn(column()); }); });
    connect(m_columnsPage->DeleteColumnButton(), &QPushButton::clicked, this, [=, this] {
        columnOp([=, this] {
            m_model.DeleteColumn(column());
            m_shownColumn = -1;
            return std::max(0, std::min(column(), m_model.ColumnCount() - 1));
        });
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
    m_columnsPage->Load(ctlType);
    m_itemsPage->Load(item, ctlType);
    SetScaleMode(m_model.ScaleMode());
    m_pages->setTabVisible(2, m_model.IsGrid());
    m_shownColumn = -1;
    FillItems();
    ShowColumn();
}

void ucListProps::FitColumnChoice()
{
    m_filling = true;
    m_columnsPage->SetColumnCount(m_model.ColumnCount());
    m_filling = false;
}

void ucListProps::FillItems()
{
    FitColumnChoice();
    m_itemsPage->Fill();
}

void ucListProps::ChooseCellIcon()
{
    const QString caption =
        m_model.IsGrid() ? tr("Cell icon file or URL:") : tr("Item icon file or URL:");
    const QString file = ChooseIcon(caption);
    if (!file.isEmpty())
        m_itemsPage->SetCellIcon(file);
}

void ucListProps::SetScaleMode(int unit)
{
    m_model.SetScaleMode(Vocabulary::IsScaleUnit(unit) ? unit : 0);
    m_columnsPage->ShowScale();
}

void ucListProps::ShowColumn()
{
    const int c = ColumnField()->value() - 1;
    m_shownColumn = c;
    m_filling = true;
    m_columnsPage->Show(c);
    m_filling = false;
    m_dropPage->Show(c);
}

void ucListProps::StoreColumn()
{
    const int c = m_shownColumn;
    if (c < 0 || c >= std::max(m_model.ColumnCount(), 1))
        return;
    m_columnsPage->Store(c);
    if (m_model.IsGrid())
        m_dropPage->Store(c);
}

void ucListProps::PasteText(const QString &text)
{
    const int row = std::max(0, ItemsGrid()->currentRow());
    const int column = std::max(0, ItemsGrid()->currentColumn());
    m_model.Paste(row, column, text);
    FillItems();
    ItemsGrid()->setCurrentCell(row, column);
}

bool ucListProps::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ItemsGrid() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
        PasteText(QApplication::clipboard()->text());
        return true;
    }
    return ContentEditorPage::eventFilter(watched, event);
}

bool ucListProps::Check()
{
    StoreColumn();
    if (!m_itemsPage->Store()) {
        m_pages->setCurrentIndex(1);
        m_prompter.ShowMessage(tr("Please enter a number or \"auto\"."),
                               MessageIcon::Exclamation);
        MaxDropField()->setFocus();
        return false;
    }
    const int locked = m_columnsPage->LockedColumns();
    if (m_model.IsGrid() && locked != m_model.Scalar(ListPropsModel::FixedCols).toInt())
        m_model.SetScalar(ListPropsModel::FixedCols, QString::number(locked));
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
QString ucListProps::MaxDrop() { return MaxDropField()->currentText().trimmed(); }
QString ucListProps::MaxLens() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::MaxLen); }
QString ucListProps::Picture() { return m_model.Store()[ListPropsModel::Icon]; }
// One value holds for every column until the columns differ.
QString ucListProps::ReadOnly(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::ReadOnly, Index(column)); }
QString ucListProps::ReadOnlys() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::ReadOnly); }
QString ucListProps::Required(int column) { StoreColumn(); return m_model.ColumnValue(ListPropsModel::Required, Index(column)); }
QString ucListProps::Requireds() { StoreColumn(); return m_model.ColumnValues(ListPropsModel::Required); }
