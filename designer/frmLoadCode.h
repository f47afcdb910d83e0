#pragma once

#include <QDialog>

class LoadCodeModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsDesignerSettings;

// The code item dialog ("Load Code"): new or existing program item, its file name and item ID
// (or a local path), the code template and the casing. A view over LoadCodeModel: the boxes
// write into the model, OK is offered only when the model has no objection.
class frmLoadCode final : public QDialog
{
    Q_OBJECT
public:
    frmLoadCode(LoadCodeModel &model, clsDesignerSettings *settings, QWidget *parent = nullptr);

    // Shows the dialog modally; true when the user confirmed (the model holds the answer).
    static bool Ask(LoadCodeModel &model, clsDesignerSettings *settings, QWidget *parent);

    QRadioButton *NewOption() const { return m_new; }
    QRadioButton *ExistingOption() const { return m_existing; }
    QLineEdit *FileNameBox() const { return m_file; }
    QLineEdit *ItemIdBox() const { return m_item; }
    QPushButton *BrowseButton() const { return m_browse; }
    QComboBox *TemplateList() const { return m_templates; }
    QLabel *TemplateDescription() const { return m_desc; }
    QComboBox *CasingList() const { return m_casing; }
    QPushButton *OkButton() const { return m_ok; }
    QLabel *ProblemLabel() const { return m_problem; }

    void done(int result) override;

private:
    void FromModel();
    void Update();

    LoadCodeModel &m_model;
    clsDesignerSettings *m_settings;
    QRadioButton *m_new = nullptr;
    QRadioButton *m_existing = nullptr;
    QLineEdit *m_file = nullptr;
    QLineEdit *m_item = nullptr;
    QLabel *m_itemLabel = nullptr;
    QPushButton *m_browse = nullptr;
    QComboBox *m_templates = nullptr;
    QLabel *m_desc = nullptr;
    QComboBox *m_casing = nullptr;
    QLabel *m_problem = nullptr;
    QPushButton *m_ok = nullptr;
};
