#include "designer/frmLoadCode.h"

#include "code/LoadCodeModel.h"
#include "designer/DialogPosition.h"
#include "support/ProgramTitle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr QLatin1String LeftKey("LoadCodeLeft");
constexpr QLatin1String TopKey("LoadCodeTop");
} // namespace

frmLoadCode::frmLoadCode(LoadCodeModel &model, clsDesignerSettings *settings, QWidget *parent)
    : QDialog(parent), m_model(model), m_settings(settings)
{
    setWindowTitle(LoadCodeModel::Caption());
    auto *layout = new QVBoxLayout(this);

    auto *explain = new QLabel(LoadCodeModel::ExplainText(), this);
    explain->setWordWrap(true);
    layout->addWidget(explain);

    m_new = new QRadioButton(QStringLiteral("Create &new code item"), this);
    m_existing = new QRadioButton(QStringLiteral("Open &existing code item"), this);
    auto *options = new QHBoxLayout;
    options->addWidget(m_new);
    options->addWidget(m_existing);
    options->addStretch(1);
    layout->addLayout(options);

    auto *form = new QFormLayout;
    m_file = new QLineEdit(this);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    auto *fileLabel = new QLabel(QStringLiteral("&File Name:"), this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    m_item = new QLineEdit(this);
    m_itemLabel = new QLabel(QStringLiteral("&Item ID:"), this);
    m_itemLabel->setBuddy(m_item);
    form->addRow(m_itemLabel, m_item);

    m_templates = new QComboBox(this);
    auto *templateLabel = new QLabel(QStringLiteral("Code &template:"), this);
    templateLabel->setBuddy(m_templates);
    form->addRow(templateLabel, m_templates);
    m_desc = new QLabel(this);
    m_desc->setWordWrap(true);
    m_desc->setMinimumHeight(m_desc->fontMetrics().height() * 2);
    m_desc->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    form->addRow(QString(), m_desc);
    m_casing = new QComboBox(this);
    m_casing->addItems(LoadCodeModel::CasingNames());
    auto *casingLabel = new QLabel(QStringLiteral("Casing &style:"), this);
    casingLabel->setBuddy(m_casing);
    form->addRow(casingLabel, m_casing);
    layout->addLayout(form);

    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #a00000"));
    layout->addWidget(m_problem);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    FromModel();
    connect(m_new, &QRadioButton::toggled, this, [this] { m_model.NewItem = m_new->isChecked(); Update(); });
    connect(m_file, &QLineEdit::textChanged, this, [this](const QString &t) { m_model.FileName = t; Update(); });
    connect(m_item, &QLineEdit::textChanged, this, [this](const QString &t) { m_model.ItemId = t; Update(); });
    connect(m_templates, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.TemplateIndex = i; Update(); });
    connect(m_casing, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.CasingIndex = i; });
    connect(m_browse, &QPushButton::clicked, this, [this] {
        if (m_model.Browse(this))
            FromModel();
    });

    setMinimumWidth(460);
    adjustSize();
    DialogPosition::Restore(*this, m_settings, LeftKey, TopKey);
}

void frmLoadCode::FromModel()
{
    const QSignalBlocker b1(m_new), b2(m_existing), b3(m_file), b4(m_item), b5(m_templates), b6(m_casing);
    m_new->setChecked(m_model.NewItem);
    m_existing->setChecked(!m_model.NewItem);
    m_file->setText(m_model.FileName);
    m_item->setText(m_model.ItemId);
    m_templates->clear();
    m_templates->addItems(m_model.TemplateNames());
    m_templates->setCurrentIndex(m_model.TemplateIndex);
    m_casing->setCurrentIndex(m_model.CasingIndex);
    Update();
}

void frmLoadCode::Update()
{
    // A local program is one path; the item ID box then names a file inside a folder, rarely.
    m_item->setPlaceholderText(m_model.IsLocal() ? QStringLiteral("(not needed for a local file)") : QString());
    m_templates->setEnabled(m_model.HasTemplates());
    m_desc->setText(m_model.TemplateDescription());
    const QString problem = m_model.Problem();
    // Nothing typed yet is no error to shout about; the OK button says enough.
    m_problem->setText(m_model.FileName.trimmed().isEmpty() ? QString() : problem);
    if (!m_model.HasTemplates())
        m_problem->setText(m_model.TemplateMessage());
    m_ok->setEnabled(problem.isEmpty());
}

void frmLoadCode::done(int result)
{
    DialogPosition::Store(*this, m_settings, LeftKey, TopKey);
    QDialog::done(result);
}

bool frmLoadCode::Ask(LoadCodeModel &model, clsDesignerSettings *settings, QWidget *parent)
{
    frmLoadCode dialog(model, settings, parent);
    return dialog.exec() == QDialog::Accepted;
}
