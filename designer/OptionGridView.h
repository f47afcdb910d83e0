#pragma once

#include "app/OptionGridModel.h"
#include "designer/ContentEditorPage.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

// The "Options" page's option grid: "Item", "Caption", "Enabled", "Default" and
// "Help hint text" per option, columns and rows ("auto" by default), add, insert, delete.
class OptionGridView final : public ContentEditorPage
{
public:
    OptionGridView(iPrompter &prompter, QWidget *parent = nullptr);

    void Load(clsControl *item, int type) override;
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    OptionGridModel &Model() { return m_model; }
    QTableWidget *Grid() const { return m_grid; }
    QLineEdit *ColumnsField() const { return m_columns; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *InsertButton() const { return m_insert; }
    QPushButton *DeleteButton() const { return m_delete; }

private:
    void Fill(int select);
    void CellEdited(int row, int column);

    OptionGridModel m_model;
    QTableWidget *m_grid;
    QLineEdit *m_columns;
    QLineEdit *m_rows;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
    bool m_filling = false;
};
