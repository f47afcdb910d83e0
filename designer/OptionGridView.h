#pragma once

#include "panels/OptionGridModel.h"
#include "designer/ContentEditorPage.h"

class QPushButton;
class QTableWidget;

// The "Options" page's option grid: "Item", "Caption", "Enabled", "Default" and
// "Help hint text" per option; add, insert, delete. The group's columns, rows and
// arrangement are the sheet's own fields above the grid.
class OptionGridView final : public ContentEditorPage
{
public:
    OptionGridView(iPrompter &prompter, QWidget *parent = nullptr);

    void Load(clsControl *item, int type) override;
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    OptionGridModel &Model() { return m_model; }
    QTableWidget *Grid() const { return m_grid; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *InsertButton() const { return m_insert; }
    QPushButton *DeleteButton() const { return m_delete; }

private:
    void Fill(int select);
    void CellEdited(int row, int column);

    OptionGridModel m_model;
    QTableWidget *m_grid;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
    bool m_filling = false;
};
