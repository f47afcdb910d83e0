#pragma once

#include "panels/TreeEditorModel.h"
#include "designer/ContentEditorPage.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The "Tree" page's node editor: the tree's nodes as a tree ("caption (ID)", keyed by their
// ID paths), the fields of the selected node beside it.
class TreeEditorView final : public ContentEditorPage
{
public:
    TreeEditorView(iPrompter &prompter, QWidget *parent = nullptr);

    void Load(clsControl *item, int type) override;
    void LoadItems(const QString &items);
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    TreeEditorModel &Model() { return m_model; }
    QTreeWidget *Tree() const { return m_tree; }
    QLineEdit *IdField() const { return m_id; }
    QLineEdit *CaptionField() const { return m_caption; }
    QPushButton *SiblingButton() const { return m_sibling; }
    QPushButton *ChildButton() const { return m_child; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *UpButton() const { return m_up; }
    int Current() const;
    void Select(int index);
    bool CommitId();

private:
    void Rebuild(int select);
    void ShowNode();
    void NodeEdited();

    TreeEditorModel m_model;
    QTreeWidget *m_tree;
    QLineEdit *m_id;
    QLineEdit *m_caption;
    QLineEdit *m_hint;
    QLineEdit *m_icon;
    QCheckBox *m_expanded;
    QCheckBox *m_selected;
    QPushButton *m_sibling;
    QPushButton *m_child;
    QPushButton *m_delete;
    QPushButton *m_up;
    QPushButton *m_down;
    QString m_untouchedStart; // the lone new root an empty tree starts with
    bool m_showing = false;
    int m_shown = -1;
};
