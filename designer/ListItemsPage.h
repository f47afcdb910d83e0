#pragma once

#include <QWidget>

class ListPropsModel;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class clsControl;

// The "Items" page of the item list editor: the items (a grid's cells) with the buttons that
// add, insert and delete rows, the row shown, the grid lines, the longest drop-down, the icons
// and the switches of a grid (headings, default row, lines added as the user types).
class ListItemsPage final : public QWidget
{
public:
    // filling is the editor's "filling the fields" flag: edits that arrive while it is set
    // are the editor's own and are not stored.
    ListItemsPage(ListPropsModel &model, bool &filling);

    // Shows the fields the type has, as the object (none: a new one) holds them.
    void Load(clsControl *item, int ctlType);
    // Fills the items from the model.
    void Fill();
    // The icon the user chose for the current item.
    void SetCellIcon(const QString &file);
    // Writes the page's settings to the model; false when the longest drop-down is neither a
    // number nor "auto".
    bool Store();

    QTableWidget *Grid() const { return m_items; }
    QComboBox *MaxDropField() const { return m_maxDrop; }
    QPushButton *AddRowButton() const { return m_addRow; }
    QPushButton *InsertRowButton() const { return m_insertRow; }
    QPushButton *DeleteRowButton() const { return m_deleteRow; }
    QCheckBox *HeadingsField() const { return m_headings; }
    QCheckBox *DefaultRowField() const { return m_defaultRowBox; }
    QCheckBox *AutoExtendField() const { return m_autoExtend; }
    QCheckBox *IconsField() const { return m_icons; }
    QComboBox *IconSizeField() const { return m_iconSize; }
    QLineEdit *CellIconField() const { return m_cellIcon; }
    QPushButton *CellIconButton() const { return m_cellIconButton; }

private:
    void RefreshRowLabel();
    void ShowCellIcon();
    void EnableIconFields();
    // The current item's column in the model: a list's icons sit in its first column.
    int IconColumn() const;
    void GoToRow(int row);

    ListPropsModel &m_model;
    bool &m_filling;
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
    int m_initialGridLines = 0;
};
