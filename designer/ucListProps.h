#pragma once

#include "app/ItemListModel.h"
#include "designer/ContentEditorPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

// The item list editor of list boxes, combo boxes and grids ("List" page): the pages
// "Columns", "Items" and "Dropdown List" over an ItemListModel.
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

    ItemListModel &Model() { return m_model; }
    int CtlType() const { return m_model.CtlType(); }
    QTabWidget *Pages() const { return m_pages; }
    QTableWidget *ItemsGrid() const { return m_items; }
    QSpinBox *ColumnField() const { return m_column; }
    QLineEdit *HeadingField() const { return m_heading; }
    QLineEdit *WidthField() const { return m_width; }
    QComboBox *MaxDropField() const { return m_maxDrop; }
    QPushButton *AddColumnButton() const { return m_addColumn; }
    QPushButton *AddRowButton() const { return m_addRow; }
    QPushButton *DeleteRowButton() const { return m_deleteRow; }
    // Pastes text at the current cell of the items grid.
    void PasteText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillItems();
    void ShowColumn();
    void StoreColumn();
    void RefreshRowLabel();

    ItemListModel m_model;
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
    // Dropdown list
    QLabel *m_dropFor;
    QPlainTextEdit *m_dropItems;
    int m_initialGridLines = 0;
    int m_shownColumn = -1;
    bool m_filling = false;
};
