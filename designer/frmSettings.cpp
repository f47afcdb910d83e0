#include "designer/frmSettings.h"

#include "panels/PropertySheetModel.h"
#include "app/clsDesignerSettings.h"
#include "designer/QtPrompter.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QLabel *BuddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout *WithButton(QLineEdit *edit, QPushButton *button)
{
    auto *row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}
} // namespace

frmSettings::frmSettings(clsDesignerSettings &settings, const QString &programFolder, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_model(settings, programFolder)
{
    setWindowTitle(QStringLiteral("Preferences"));
    setObjectName(QStringLiteral("frmSettings"));
    auto *layout = new QVBoxLayout(this);

    // Defaults a new application starts with.
    auto *defaults = new QGroupBox(QStringLiteral("Defaults for new applications"), this);
    auto *form = new QFormLayout(defaults);
    m_author = new QLineEdit(m_model.Author, defaults);
    form->addRow(BuddyLabel(QStringLiteral("&Author:"), m_author, defaults), m_author);
    m_copyright = new QLineEdit(m_model.Copyright, defaults);
    form->addRow(BuddyLabel(QStringLiteral("&Copyright:"), m_copyright, defaults), m_copyright);
    m_logo = new QLineEdit(m_model.Logo, defaults);
    m_logoButton = new QPushButton(QStringLiteral("..."), defaults);
    m_logoButton->setFixedWidth(m_logoButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    m_logoButton->setToolTip(QStringLiteral("Choose the logo picture file"));
    m_logoButton->setAccessibleName(QStringLiteral("Choose logo"));
    form->addRow(BuddyLabel(QStringLiteral("&Logo:"), m_logo, defaults), WithButton(m_logo, m_logoButton));

    auto *enterBox = new QGroupBox(QStringLiteral("Behavior of Enter key"), defaults);
    auto *enterLayout = new QVBoxLayout(enterBox);
    const QStringList captions = SettingsDialogModel::EnterKeyCaptions();
    for (int i = 0; i < SettingsDialogModel::EnterKeyOptions; ++i) {
        m_enter[i] = new QRadioButton(captions[i], enterBox);
        enterLayout->addWidget(m_enter[i]);
    }
    m_enter[m_model.EnterKey]->setChecked(true);
    form->addRow(enterBox);
    m_autoSelect = new QCheckBox(QStringLiteral("Auto &select text fields"), defaults);
    m_autoSelect->setChecked(m_model.AutoSelect);
    form->addRow(m_autoSelect);
    m_noAutoTips = new QCheckBox(
        QStringLiteral("&Disable automatic tooltips for items with truncated text"), defaults);
    m_noAutoTips->setChecked(m_model.NoAutoTips);
    form->addRow(m_noAutoTips);
    layout->addWidget(defaults);

    auto *designer = new QGroupBox(QStringLiteral("Designer"), this);
    auto *form2 = new QFormLayout(designer);
    m_template = new QLineEdit(m_model.TemplatePath, designer);
    m_template->setToolTip(QStringLiteral("Folder of the code templates; a relative folder is "
                                          "taken from the program folder"));
    m_templateButton = new QPushButton(QStringLiteral("..."), designer);
    m_templateButton->setFixedWidth(m_logoButton->width());
    m_logoButton->setAutoDefault(false);
    m_templateButton->setAutoDefault(false);
    m_templateButton->setToolTip(QStringLiteral("Choose the code template folder"));
    m_templateButton->setAccessibleName(QStringLiteral("Choose template folder"));
    form2->addRow(BuddyLabel(QStringLiteral("Code te&mplate folder:"), m_template, designer),
                  WithButton(m_template, m_templateButton));
    m_recentSize = new QLineEdit(m_model.RecentSizeText, designer);
    // Digits only (and a sign: a negative size counts as none); the range is checked on OK.
    m_recentSize->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,4}")), m_recentSize));
    m_recentSize->setMaximumWidth(m_recentSize->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    m_recentSize->setToolTip(QStringLiteral("How many recently used projects the File menu lists (0 to 25)"));
    form2->addRow(BuddyLabel(QStringLiteral("&Recent file list size:"), m_recentSize, designer), m_recentSize);
    m_locking = new QCheckBox(QStringLiteral("Loc&k host items while they are open"), designer);
    m_locking->setObjectName(QStringLiteral("chkLocking"));
    m_locking->setChecked(m_model.RecordLocking);
    form2->addRow(m_locking);
    // Autosave every N minutes; 0 switches it off.
    m_autosave = new QSpinBox(designer);
    m_autosave->setObjectName(QStringLiteral("txtAutosave"));
    m_autosave->setRange(0, clsDesignerSettings::MaxAutosaveMinutes);
    m_autosave->setValue(m_model.AutosaveMinutes);
    m_autosave->setToolTip(QStringLiteral("Unsaved work is kept for recovery after a crash; 0 switches autosave off"));
    auto *autosaveRow = new QHBoxLayout;
    autosaveRow->addWidget(m_autosave);
    autosaveRow->addWidget(new QLabel(QStringLiteral("minutes"), designer));
    autosaveRow->addStretch(1);
    form2->addRow(BuddyLabel(QStringLiteral("A&utosave every"), m_autosave, designer), autosaveRow);
    layout->addWidget(designer);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_cancel = buttons->button(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_logoButton, &QPushButton::clicked, this, [this] {
        const QString filter = PropertySheetModel::FileFilter(PropertySheetModel::Chooser::Logo);
        const QString start = m_logo->text();
        const QString file = ChooseLogo ? ChooseLogo(filter, start)
                                        : QFileDialog::getOpenFileName(this, QStringLiteral("Logo"), start, filter);
        if (!file.isEmpty())
            m_logo->setText(file);
    });
    connect(m_templateButton, &QPushButton::clicked, this, [this] {
        ToModel();
        const QString title = QStringLiteral("GUI Code Template Folder");
        const QString start = m_model.TemplateFolderAbsolute();
        const QString folder = ChooseFolder ? ChooseFolder(title, start)
                                            : QFileDialog::getExistingDirectory(this, title, start);
        if (folder.isEmpty())
            return;
        m_model.SetTemplateFolder(folder);
        m_template->setText(m_model.TemplatePath);
    });

    m_author->setFocus();
    setMinimumWidth(480);
    adjustSize();
}

void frmSettings::ToModel()
{
    for (int i = 0; i < SettingsDialogModel::EnterKeyOptions; ++i)
        if (m_enter[i]->isChecked())
            m_model.EnterKey = i;
    m_model.AutoSelect = m_autoSelect->isChecked();
    m_model.NoAutoTips = m_noAutoTips->isChecked();
    m_model.RecordLocking = m_locking->isChecked();
    m_model.AutosaveMinutes = m_autosave->value();
    m_model.Author = m_author->text();
    m_model.Copyright = m_copyright->text();
    m_model.Logo = m_logo->text().trimmed();
    m_model.TemplatePath = m_template->text().trimmed();
    m_model.RecentSizeText = m_recentSize->text();
}

void frmSettings::accept()
{
    ToModel();
    if (m_model.ProblemField() == SettingsDialogModel::Field::RecentSize) {
        QtPrompter(this).ShowMessage(m_model.Problem(), MessageIcon::Exclamation);
        m_recentSize->setFocus();
        m_recentSize->selectAll();
        return;
    }
    // A template folder left empty means the shipped one, as on a first start.
    if (m_model.TemplatePath.isEmpty())
        m_model.TemplatePath = QStringLiteral("GuiLib");
    m_model.Apply(m_settings);
    // Stored at once, so a crash later loses nothing and code reading the store sees them.
    m_settings.SaveSettings();
    QDialog::accept();
}

bool frmSettings::Run(clsDesignerSettings &settings, const QString &programFolder, QWidget *parent,
                      const std::function<void()> &applied)
{
    frmSettings dialog(settings, programFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (applied)
        applied();
    return true;
}
