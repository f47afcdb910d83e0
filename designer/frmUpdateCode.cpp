#include "designer/frmUpdateCode.h"

#include "code/UpdateCodeModel.h"
#include "designer/DialogPosition.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr QLatin1String LeftKey("UpdateLeft");
constexpr QLatin1String TopKey("UpdateTop");

QLabel *Wrapped(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setMinimumWidth(340);
    return label;
}

// One events tab: heading, list, hint, check box and button.
QWidget *EventsTab(QWidget *parent, const QString &heading, QListWidget *&list, const QString &hint,
                   QCheckBox *&check, const QString &checkText, QPushButton *&button,
                   const QString &buttonText)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *head = new QLabel(heading, page);
    list = new QListWidget(page);
    head->setBuddy(list);
    layout->addWidget(head);
    layout->addWidget(list, 1);
    auto *hintLabel = new QLabel(hint, page);
    hintLabel->setStyleSheet(QStringLiteral("color: palette(dark)"));
    layout->addWidget(hintLabel);
    check = new QCheckBox(checkText, page);
    layout->addWidget(check);
    button = new QPushButton(buttonText, page);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    layout->addLayout(row);
    return page;
}
} // namespace

frmUpdateCode::frmUpdateCode(UpdateCodeModel &model, clsDesignerSettings *settings, QWidget *parent)
    : QDialog(parent), m_model(model), m_settings(settings)
{
    setWindowTitle(UpdateCodeModel::Caption());
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs, 1);

    auto *sections = new QWidget(m_tabs);
    auto *grid = new QGridLayout(sections);
    m_structure = Wrapped(sections);
    m_startup = Wrapped(sections);
    m_decoder = Wrapped(sections);
    m_structureButton = new QPushButton(QStringLiteral("Update"), sections);
    m_startupButton = new QPushButton(QStringLiteral("Update"), sections);
    m_decoderButton = new QPushButton(QStringLiteral("Update"), sections);
    int row = 0;
    for (auto [label, button] : {std::pair{m_structure, m_structureButton},
                                 std::pair{m_startup, m_startupButton},
                                 std::pair{m_decoder, m_decoderButton}}) {
        grid->addWidget(label, row, 0);
        grid->addWidget(button, row, 1, Qt::AlignTop);
        ++row;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(0, 1);
    grid->setVerticalSpacing(12);
    m_tabs->addTab(sections, QStringLiteral("Code sections"));

    m_tabs->addTab(EventsTab(m_tabs, UpdateCodeModel::MissingHeading(), m_missing,
                             UpdateCodeModel::MissingHint(), m_addCheck,
                             UpdateCodeModel::AddCheckText(), m_add, UpdateCodeModel::AddButtonText()),
                   QStringLiteral("Missing events"));
    m_tabs->addTab(EventsTab(m_tabs, UpdateCodeModel::UnusedHeading(), m_unused,
                             UpdateCodeModel::UnusedHint(), m_removeCheck,
                             UpdateCodeModel::RemoveCheckText(), m_remove,
                             UpdateCodeModel::RemoveButtonText()),
                   QStringLiteral("Unused events"));
    m_unused->installEventFilter(this);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(m_structureButton, &QPushButton::clicked, this, [this] { After(m_model.RepairStructure()); });
    connect(m_startupButton, &QPushButton::clicked, this, [this] { After(m_model.UpdateStartup()); });
    connect(m_decoderButton, &QPushButton::clicked, this, [this] { After(m_model.RebuildDecoder()); });
    connect(m_add, &QPushButton::clicked, this, [this] { After(m_model.AddMissing()); });
    connect(m_remove, &QPushButton::clicked, this, [this] { After(m_model.RemoveUnused()); });
    connect(m_missing, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        After(m_model.AddMissing(item->text()));
    });
    connect(m_addCheck, &QCheckBox::toggled, this, [this](bool on) { m_model.AddRebuildsDecoder = on; });
    connect(m_removeCheck, &QCheckBox::toggled, this, [this](bool on) { m_model.RemoveRebuildsDecoder = on; });

    FromModel();
    resize(520, 360);
    DialogPosition::Restore(*this, m_settings, LeftKey, TopKey);
}

void frmUpdateCode::FromModel()
{
    m_structure->setText(m_model.Structure.Text);
    m_structureButton->setEnabled(m_model.Structure.CanUpdate);
    m_startup->setText(m_model.Startup.Text);
    m_startupButton->setEnabled(m_model.Startup.CanUpdate);
    m_startupButton->setVisible(!m_model.Startup.Text.isEmpty());
    m_decoder->setText(m_model.Decoder.Text);
    m_decoderButton->setEnabled(m_model.Decoder.CanUpdate);
    m_decoderButton->setVisible(!m_model.Decoder.Text.isEmpty());
    m_missing->clear();
    m_missing->addItems(m_model.Missing);
    m_unused->clear();
    m_unused->addItems(m_model.Unused);
    m_add->setEnabled(!m_model.Missing.isEmpty());
    m_remove->setEnabled(!m_model.Unused.isEmpty());
    m_addCheck->setChecked(m_model.AddRebuildsDecoder);
    m_removeCheck->setChecked(m_model.RemoveRebuildsDecoder);
}

void frmUpdateCode::After(bool ok)
{
    Q_UNUSED(ok);
    if (m_model.MustClose()) {
        reject();
        return;
    }
    FromModel();
}

bool frmUpdateCode::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_unused && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && !(key->modifiers() & Qt::ShiftModifier)) {
            if (QListWidgetItem *item = m_unused->currentItem()) {
                const int row = m_unused->currentRow();
                After(m_model.RemoveUnused(item->text()));
                if (m_unused->count() > 0)
                    m_unused->setCurrentRow(qMin(row, m_unused->count() - 1));
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmUpdateCode::done(int result)
{
    DialogPosition::Store(*this, m_settings, LeftKey, TopKey);
    QDialog::done(result);
}

void frmUpdateCode::Show(UpdateCodeModel &model, clsDesignerSettings *settings, QWidget *parent)
{
    frmUpdateCode dialog(model, settings, parent);
    dialog.exec();
}
