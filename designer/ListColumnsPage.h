#pragma once

#include <QWidget>

class ListPropsModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The "Columns" page of the item list editor: the settings of one column at a time (heading,
// type, alignment, data type, width in the application's unit, length, locked columns, hint,
// the ticks) and the buttons that add, insert and delete columns. The editor decides which
// column it shows and when the shown one is stored.
class ListColumnsPage final : public QWidget
{
public:
    explicit ListColumnsPage(ListPropsModel &model);

    // Enables what the type has: the grid's own fields, the data column of a combo box.
    void Load(int ctlType);
    // Shows column c (from 0) of the model; Store writes the fields back to it.
    void Show(int c);
    void Store(int c);
    // The column choice and the locked columns follow the number of columns.
    void SetColumnCount(int columns);
    // The width's unit, after the application's scale changed.
    void ShowScale();

    int LockedColumns() const;
    QSpinBox *ColumnField() const { return m_column; }
    QLineEdit *HeadingField() const { return m_heading; }
    QLineEdit *WidthField() const { return m_width; }
    QLineEdit *MaxLengthField() const { return m_maxLen; }
    QCheckBox *RequiredField() const { return m_required; }
    QCheckBox *ReadOnlyField() const { return m_readOnly; }
    QPushButton *AddColumnButton() const { return m_addColumn; }
    QPushButton *InsertColumnButton() const { return m_insertColumn; }
    QPushButton *DeleteColumnButton() const { return m_deleteColumn; }

private:
    ListPropsModel &m_model;
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
};
