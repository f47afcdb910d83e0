#pragma once

#include "panels/BarEditorModel.h"
#include "designer/ContentEditorPage.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QRadioButton;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The "Menu" page's editor of a menu, pop-up menu, tool bar or status bar: the bar as a
// tree (the root stands for the bar), the fields of the selected entry beside it.
class BarEditorView final : public ContentEditorPage
{
public:
    BarEditorView(iPrompter &prompter, QWidget *parent = nullptr);

    void Load(clsControl *item, int type) override;
    void LoadItems(const QString &items, int type);
    bool Check() override;
    void Apply(clsControl &item, clsDesigner &designer) override;

    BarEditorModel &Model() { return *m_model; }
    QTreeWidget *Tree() const { return m_tree; }
    QComboBox *IdField() const { return m_id; }
    QLineEdit *CaptionField() const { return m_caption; }
    QComboBox *ShortcutField() const { return m_shortcut; }
    QComboBox *PositionField() const { return m_position; }
    QGroupBox *BarSettings() const { return m_barBox; }
    QCheckBox *BeginGroupBox() const { return m_beginGroup; }
    QPushButton *NewItemButton() const { return m_newItem; }
    QPushButton *NewSubButton() const { return m_newSub; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *UpButton() const { return m_up; }
    QPushButton *DownButton() const { return m_down; }
    // The model index of the selected entry, -1 for the root.
    int Current() const;
    void Select(int index);
    // Takes the ID field's text for the current entry; false (message shown, focus back on
    // the field) when it cannot have it.
    bool CommitId();

private:
    void Rebuild(int select);
    void ShowEntry();
    void EntryEdited();
    void RefreshLabel(int index);

    std::unique_ptr<BarEditorModel> m_model;
    QTreeWidget *m_tree;
    QFormLayout *m_fields;
    QComboBox *m_id;
    QLineEdit *m_caption;
    QLineEdit *m_hint;
    QComboBox *m_shortcut;
    QLineEdit *m_icon;
    QCheckBox *m_visible;
    QCheckBox *m_enabled;
    QCheckBox *m_beginGroup;
    QCheckBox *m_validation;
    QComboBox *m_size;
    QComboBox *m_align;
    QPushButton *m_newItem;
    QPushButton *m_newSub;
    QPushButton *m_delete;
    QPushButton *m_up;
    QPushButton *m_down;
    // The whole bar: band position, icon size, captions beside buttons, visible.
    QGroupBox *m_barBox;
    QComboBox *m_position;
    QRadioButton *m_large;
    QRadioButton *m_small;
    QCheckBox *m_captions;
    QCheckBox *m_barVisible;
    struct BarSettingsShown { int Position = 1; bool Large = false; bool Captions = false; bool Visible = true; };
    BarSettingsShown m_barLoaded;
    bool m_iconSizeSupported = false;
    bool m_styleSupported = false;
    QString m_loaded;
    bool m_showing = false;
    int m_shown = -1;
};
