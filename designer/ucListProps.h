#pragma once

#include "panels/ListPropsModel.h"
#include "designer/ContentEditorPage.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
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
    QTableWidget *ItemsGrid() const { return m_items; }
    QSpinBox *ColumnField() const { return m_column; }
    QLineEdit *HeadingField() const { return m_heading; }
    QLineEdit *WidthField() const { return m_width; }
    QComboBox *MaxDropField() const { return m_maxDrop; }
    QPushButton *AddColumnButton() const { return m_addColumn; }
    QPushButton *AddRowButton() const { return m_addRow; }
    QPushButton *DeleteRowButton() const { return m_deleteRow; }
    QLineEdit *MaxLengthField() const { return m_maxLen; }
    QCheckBox *RequiredField() const { return m_required; }
    QCheckBox *ReadOnlyField() const { return m_readOnly; }
    QCheckBox *HeadingsField() const { return m_headings; }
    QCheckBox *DefaultRowField() const { return m_defaultRowBox; }
    QCheckBox *AutoExtendField() const { return m_autoExtend; }
    QCheckBox *IconsField() const { return m_icons; }
    QComboBox *IconSizeField() const { return m_iconSize; }
    QLineEdit *CellIconField() const { return m_cellIcon; }
    QPushButton *CellIconButton() const { return m_cellIconButton; }
    QSpinBox *DropColumnsField() const { return m_dropColumns; }
    QSpinBox *DropRowsField() const { return m_dropRows; }
    QTableWidget *DropGrid() const { return m_dropGrid; }
    QSpinBox *DropDataColumnField() const { return m_dropDataColumn; }
    QLineEdit *DropHeadingField() const { return m_dropHeading; }

    // Pastes text at the current cell of the items grid.
    void PasteText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillItems();
    void ShowColumn();
    void StoreColumn();
    void RefreshRowLabel();
    void ShowDropDown(int column);
    void StoreDropDown(int column);
    void ShowCellIcon();
    void ChooseCellIcon();
    void EnableIconFields();
    void ShowDropHeadings();

    ListPropsModel m_model;
    QTabWidget *m_pages;
    // Columns
    QSpinBox *m_column;
    QLineEdit *m_heading;
    QComboBox *m_fieldType;
    QComboBox *m_align;
    QComboBox *m_dataType;
    QLineEdit *m_width;
    QSpinBox *m_locked;
    QLineEdit *m_hint;
    QCheckBox *m_sizable;
    QCheckBox *m_dataColumn;
    QLabel *m_widthLabel;
    QLineEdit *m_maxLen;
    QCheckBox *m_required;
    QCheckBox *m_readOnly;
    QPushButton *m_addColumn;
    QPushButton *m_insertColumn;
    QPushButton *m_deleteColumn;
    // Items
    QTableWidget *m_items;
    QComboBox *m_gridLines;
    QLabel *m_rowLabel;
    QComboBox *m_maxDrop;
    QPushButton *m_addRow;
    QPushButton *m_insertRow;
    QPushButton *m_deleteRow;
    QFormLayout *m_itemFields;
    QCheckBox *m_headings;
    QCheckBox *m_defaultRowBox;
    QCheckBox *m_autoExtend;
    QCheckBox *m_icons;
    QComboBox *m_iconSize;
    QLabel *m_cellIconLabel;
    QLineEdit *m_cellIcon;
    QPushButton *m_cellIconButton;
    // Dropdown list
    QLabel *m_dropFor;
    QSpinBox *m_dropColumns;
    QSpinBox *m_dropRows;
    QTableWidget *m_dropGrid;
    QSpinBox *m_dropDataColumn;
    QLineEdit *m_dropHeading;
    QStringList m_dropHeadings; // of the drop-down list shown
    bool m_dropEdited = false;  // the user changed the drop-down list shown
    int m_initialGridLines = 0;
    int m_shownColumn = -1;
    bool m_filling = false;
};
