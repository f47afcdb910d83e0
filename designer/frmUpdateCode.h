#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;
class UpdateCodeModel;
class clsDesignerSettings;

// The update dialog ("Update Code"): the code sections with an Update button each, the
// missing event handlers (double-click adds one, the button adds all) and the unused ones
// (Delete removes one, the button removes all). A view over UpdateCodeModel; it closes by
// itself when the project's code is no longer there.
class frmUpdateCode final : public QDialog
{
    Q_OBJECT
public:
    frmUpdateCode(UpdateCodeModel &model, clsDesignerSettings *settings, QWidget *parent = nullptr);

    static void Show(UpdateCodeModel &model, clsDesignerSettings *settings, QWidget *parent);

    QTabWidget *Tabs() const { return m_tabs; }
    QLabel *StructureLabel() const { return m_structure; }
    QLabel *StartupLabel() const { return m_startup; }
    QLabel *DecoderLabel() const { return m_decoder; }
    QPushButton *StructureButton() const { return m_structureButton; }
    QPushButton *StartupButton() const { return m_startupButton; }
    QPushButton *DecoderButton() const { return m_decoderButton; }
    QListWidget *MissingList() const { return m_missing; }
    QListWidget *UnusedList() const { return m_unused; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *RemoveButton() const { return m_remove; }
    QCheckBox *AddCheck() const { return m_addCheck; }
    QCheckBox *RemoveCheck() const { return m_removeCheck; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FromModel();
    void After(bool ok);

    UpdateCodeModel &m_model;
    clsDesignerSettings *m_settings;
    QTabWidget *m_tabs = nullptr;
    QLabel *m_structure = nullptr;
    QLabel *m_startup = nullptr;
    QLabel *m_decoder = nullptr;
    QPushButton *m_structureButton = nullptr;
    QPushButton *m_startupButton = nullptr;
    QPushButton *m_decoderButton = nullptr;
    QListWidget *m_missing = nullptr;
    QListWidget *m_unused = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QCheckBox *m_addCheck = nullptr;
    QCheckBox *m_removeCheck = nullptr;
};
