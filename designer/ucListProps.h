#pragma once

#include "panels/ListPropsModel.h"
#include "designer/ContentEditorPage.h"
#include "designer/ListColumnsPage.h"
#include "designer/ListDropDownPage.h"
#include "designer/ListItemsPage.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

// The item list editor of list boxes, combo boxes and grids ("List" page): the pages
// "Columns", "Items" and "Dropdown List" over an ListPropsModel.
class ucListProps final : public ContentEditorPage
{
public:
    ucListProps(iPrompter &prompter, QWidget *parent = nullptr);

    // Fills the editor from the item (or the defaults of a new one) and shows the fields of
    // the type.
    void LoadProps(clsControl *item, int ctlType);
    void Load(clsControl *item, int type) override { LoadProps(item, type); }
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    ListPropsModel &Model() { return m_model; }

    // The editor's values: the singular members give one column's stored entry (columns
    // count from 1), the plural ones every column's, as the object stores them. Each reads
    // the fields shown first, so it answers what the user sees.
    QString ColAlign(int column);
    QString ColAligns();
    QString ColDataType(int column);
    QString ColDataTypes();
    QString ColFieldType(int column);
    QString ColFieldTypes();
    QString ColHeading(int column);
    QString ColHeadings();
    QString ColHints();
    QString ColItems(int column);
    int Cols() const { return m_model.ColumnCount(); }
    QString ColSizable(int column);
    QString ColSizables();
    QString ColWidth(int column);
    QString ColWidths();
    int CtlType() const { return m_model.CtlType(); }
    void SetCtlType(int type) { LoadProps(nullptr, type); }
    bool DataCol(int column);
    QString DataCols();
    int DefaultRow() const { return m_model.DefaultRow(); }
    QString FixedCols();
    QString GridLines();
    QString IconSize();
    bool Icons() const { return m_model.ShowIcons(); }
    QString Items();
    QString MaxDrop();
    QString MaxLens();
    QString Picture();
    QString ReadOnly(int column);
    QString ReadOnlys();
    QString Required(int column);
    QString Requireds();
    int ScaleMode() const { return m_model.ScaleMode(); }
    void SetScaleMode(int unit);
    int Style() const { return m_model.CtlType(); }
    QTabWidget *Pages() const { return m_pages; }
    QTableWidget *ItemsGrid() const { return m_itemsPage->Grid(); }
    QSpinBox *ColumnField() const { return m_columnsPage->ColumnField(); }
    QLineEdit *HeadingField() const { return m_columnsPage->HeadingField(); }
    QLineEdit *WidthField() const { return m_columnsPage->WidthField(); }
    QComboBox *MaxDropField() const { return m_itemsPage->MaxDropField(); }
    QPushButton *AddColumnButton() const { return m_columnsPage->AddColumnButton(); }
    QPushButton *AddRowButton() const { return m_itemsPage->AddRowButton(); }
    QPushButton *DeleteRowButton() const { return m_itemsPage->DeleteRowButton(); }
    QLineEdit *MaxLengthField() const { return m_columnsPage->MaxLengthField(); }
    QCheckBox *RequiredField() const { return m_columnsPage->RequiredField(); }
    QCheckBox *ReadOnlyField() const { return m_columnsPage->ReadOnlyField(); }
    QCheckBox *HeadingsField() const { return m_itemsPage->HeadingsField(); }
    QCheckBox *DefaultRowField() const { return m_itemsPage->DefaultRowField(); }
    QCheckBox *AutoExtendField() const { return m_itemsPage->AutoExtendField(); }
    QCheckBox *IconsField() const { return m_itemsPage->IconsField(); }
    QComboBox *IconSizeField() const { return m_itemsPage->IconSizeField(); }
    QLineEdit *CellIconField() const { return m_itemsPage->CellIconField(); }
    QPushButton *CellIconButton() const { return m_itemsPage->CellIconButton(); }
    QSpinBox *DropColumnsField() const { return m_dropPage->ColumnsField(); }
    QSpinBox *DropRowsField() const { return m_dropPage->RowsField(); }
    QTableWidget *DropGrid() const { return m_dropPage->Grid(); }
    QSpinBox *DropDataColumnField() const { return m_dropPage->DataColumnField(); }
    QLineEdit *DropHeadingField() const { return m_dropPage->HeadingField(); }

    // Pastes text at the current cell of the items grid.
    void PasteText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Fills the items and fits the column choice to the columns.
    void FillItems();
    void FitColumnChoice();
    void ShowColumn();
    void StoreColumn();
    void ChooseCellIcon();

    ListPropsModel m_model;
    // Set while the editor fills its fields, so that what they report is not taken as the
    // user's edit.
    bool m_filling = false;
    QTabWidget *m_pages;
    ListColumnsPage *m_columnsPage;
    ListItemsPage *m_itemsPage;
    ListDropDownPage *m_dropPage;
    int m_shownColumn = -1;
};
