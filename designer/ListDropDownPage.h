#pragma once

#include <QStringList>
#include <QWidget>

class ListPropsModel;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// The "Dropdown List" page of the item list editor: the drop-down list of one grid column,
// one entry a row with its cells, the column whose value goes into the grid cell and the
// headings of the list's columns.
class ListDropDownPage final : public QWidget
{
public:
    // filling is the editor's "filling the fields" flag: edits that arrive while it is set
    // are the editor's own and do not count as the user's.
    ListDropDownPage(ListPropsModel &model, bool &filling);

    // Shows the list of grid column c (from 0); Store writes it back if the user changed it.
    void Show(int c);
    void Store(int c);

    QSpinBox *ColumnsField() const { return m_columns; }
    QSpinBox *RowsField() const { return m_rows; }
    QTableWidget *Grid() const { return m_grid; }
    QSpinBox *DataColumnField() const { return m_dataColumn; }
    QLineEdit *HeadingField() const { return m_heading; }

private:
    void ShowHeadings();
    void Resize();

    ListPropsModel &m_model;
    bool &m_filling;
    QLabel *m_for;
    QSpinBox *m_columns;
    QSpinBox *m_rows;
    QTableWidget *m_grid;
    QSpinBox *m_dataColumn;
    QLineEdit *m_heading;
    QStringList m_headings;  // of the list shown
    bool m_edited = false;   // the user changed the list shown
};
