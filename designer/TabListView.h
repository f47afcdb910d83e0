#pragma once

#include "panels/TabListModel.h"
#include "designer/ContentEditorPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabBar;

// The "Tabs" page's tab list editor: a tab strip mirroring the group's tabs and the fields of
// the current tab. On Apply each tab becomes a tab-panel item of the group: new tabs are
// added, deleted ones removed with their controls, renamed and reordered ones follow.
class TabListView final : public ContentEditorPage
{
public:
    TabListView(iPrompter &prompter, QWidget *parent = nullptr);

    void Load(clsControl *item, int type) override;
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    TabListModel &Model() { return m_model; }
    QTabBar *Strip() const { return m_strip; }
    QLabel *PositionLabel() const { return m_position; }
    QLineEdit *IdField() const { return m_id; }
    QLineEdit *CaptionField() const { return m_caption; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *InsertButton() const { return m_insert; }
    QPushButton *DeleteButton() const { return m_delete; }
    // The number of tabs: more adds tabs at the end, fewer deletes the last ones (asking
    // first about each one whose panel holds controls).
    QSpinBox *CountField() const { return m_count; }
    bool CommitId();

private:
    void Fill(int select);
    void ShowTab();
    void TabEdited();
    bool Taken(const QString &id) const;

    TabListModel m_model;
    clsControl *m_group = nullptr;
    QTabBar *m_strip;
    QLabel *m_position;
    QSpinBox *m_count;
    QLineEdit *m_id;
    QLineEdit *m_caption;
    QLineEdit *m_hint;
    QLineEdit *m_icon;
    QCheckBox *m_visible;
    QCheckBox *m_enabled;
    QPushButton *m_add;
    QPushButton *m_insert;
    QPushButton *m_delete;
    QPushButton *m_left;
    QPushButton *m_right;
    int m_shown = -1;
    void SetCount(int count);
    bool m_filling = false;
};
