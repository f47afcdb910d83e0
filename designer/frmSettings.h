#pragma once

#include "panels/SettingsDialogModel.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QSpinBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsDesignerSettings;

// The preferences dialog: defaults for new applications (author, copyright, logo, Enter key,
// auto-select, automatic tips), the code template folder, record locking and the size of the
// recent file list. It edits a copy (SettingsDialogModel); OK writes the copy back into the
// settings and tells the main window through `applied`, Cancel leaves the settings as they were.
class frmSettings final : public QDialog
{
    Q_OBJECT
public:
    frmSettings(clsDesignerSettings &settings, const QString &programFolder, QWidget *parent = nullptr);

    // Shows the dialog modally over parent. True when the user pressed OK: the settings then
    // hold the entries and `applied` has run, so the main window can take them up.
    static bool Run(clsDesignerSettings &settings, const QString &programFolder, QWidget *parent,
                    const std::function<void()> &applied = {});

    // Replaceable choosers (tests); the defaults are Qt's file and folder dialogs. Each gets
    // its starting point and returns the choice, empty when cancelled.
    std::function<QString(const QString &filter, const QString &start)> ChooseLogo;
    std::function<QString(const QString &title, const QString &start)> ChooseFolder;

    QRadioButton *EnterKeyOption(int index) const { return m_enter[index]; }
    QCheckBox *AutoSelectBox() const { return m_autoSelect; }
    QCheckBox *NoAutoTipsBox() const { return m_noAutoTips; }
    QCheckBox *LockingBox() const { return m_locking; }
    QSpinBox *AutosaveBox() const { return m_autosave; }
    QLineEdit *AuthorBox() const { return m_author; }
    QLineEdit *CopyrightBox() const { return m_copyright; }
    QLineEdit *LogoBox() const { return m_logo; }
    QPushButton *LogoButton() const { return m_logoButton; }
    QLineEdit *TemplateBox() const { return m_template; }
    QPushButton *TemplateButton() const { return m_templateButton; }
    QLineEdit *RecentSizeBox() const { return m_recentSize; }
    QPushButton *OkButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

    void accept() override;

private:
    void ToModel();

    clsDesignerSettings &m_settings;
    SettingsDialogModel m_model;
    QRadioButton *m_enter[SettingsDialogModel::EnterKeyOptions] = {};
    QCheckBox *m_autoSelect = nullptr;
    QCheckBox *m_noAutoTips = nullptr;
    QCheckBox *m_locking = nullptr;
    QSpinBox *m_autosave = nullptr;
    QLineEdit *m_author = nullptr;
    QLineEdit *m_copyright = nullptr;
    QLineEdit *m_logo = nullptr;
    QPushButton *m_logoButton = nullptr;
    QLineEdit *m_template = nullptr;
    QPushButton *m_templateButton = nullptr;
    QLineEdit *m_recentSize = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
