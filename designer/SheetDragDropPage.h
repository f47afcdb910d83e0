#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QVBoxLayout;
class SheetEditors;

// The Drag && Drop page of the property sheet, over the model's drag-and-drop state: the drag
// source tick with its drag ID (or the control's own ID), and the drop target tick with the
// drop IDs it accepts, chosen from the drag IDs the project uses or typed.
class SheetDragDropPage final : public QWidget
{
public:
    explicit SheetDragDropPage(SheetEditors &editors);

    QCheckBox *SourceBox() const { return m_source; }
    QCheckBox *TargetBox() const { return m_target; }
    QListWidget *DropList() const { return m_dropList; }
    // Shows the state the model holds.
    void Refresh();
    // The control's ID changed: a drag ID that follows it follows it.
    void IdChanged();

private:
    void BuildSource(QVBoxLayout *layout);
    void BuildTarget(QVBoxLayout *layout);

    SheetEditors &m_editors;
    QCheckBox *m_source = nullptr;
    QLineEdit *m_dragId = nullptr;
    QCheckBox *m_useControlId = nullptr;
    QCheckBox *m_target = nullptr;
    QListWidget *m_dropList = nullptr;
    QComboBox *m_dropIdCombo = nullptr;
};
