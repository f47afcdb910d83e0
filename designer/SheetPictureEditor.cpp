#include "designer/SheetPictureEditor.h"

#include "controls/PictureLoader.h"
#include "designer/SheetEditors.h"

#include "app/iPrompter.h"
#include "model/Vocabulary.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Vocabulary;

SheetPictureEditor::SheetPictureEditor(SheetEditors &editors,
                                       const PropertySheetModel::Field &field, QWidget *parent)
    : QWidget(parent), m_editors(editors), m_code(field.Code),
      m_icon(field.Type == PropertySheetModel::Kind::Icon)
{
    PropertySheetModel &model = editors.Model();
    const int code = m_code;
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_edit = new QLineEdit(model.UsesDefault(code) ? QString() : model.Text(code), this);
    m_edit->setObjectName(QStringLiteral("Field") + QString::number(code));
    editors.AddField(code, m_edit);
    auto *browse = new QPushButton(editors.WithAccessKey(tr("Browse...")), this);
    auto *clear = new QPushButton(m_icon || code == Prop::Logo ? editors.WithAccessKey(tr("Clear"))
                                                               : tr("C&lear Picture"),
                                  this);
    browse->setAutoDefault(false);
    clear->setAutoDefault(false);
    grid->addWidget(m_edit, 0, 0);
    grid->addWidget(browse, 0, 1);
    grid->addWidget(clear, 0, 2);
    if (m_icon) {
        grid->addWidget(new QLabel(tr("Icon image:"), this), 1, 0);
        m_preview = new QLabel(this);
        m_preview->setFixedSize(36, 36);
        m_preview->setFrameShape(QFrame::StyledPanel);
        m_preview->setAlignment(Qt::AlignCenter);
        grid->addWidget(m_preview, 1, 1);
        m_useDefault = new QCheckBox(editors.WithAccessKey(tr("Default icon")), this);
        m_useDefault->setChecked(model.UsesDefault(code));
        editors.AddUseDefault(code, m_useDefault);
        grid->addWidget(m_useDefault, 2, 0);
        if (IsForm(model.OriginalType())) {
            auto *showIcon = new QCheckBox(editors.WithAccessKey(tr("Show form icon")), this);
            showIcon->setChecked(model.Text(code).compare("none", Qt::CaseInsensitive) != 0);
            grid->addWidget(showIcon, 2, 1, 1, 2);
            connect(showIcon, &QCheckBox::toggled, this, [this, &model, code](bool on) {
                if (!on) {
                    m_edit->setText(QStringLiteral("none"));
                    model.SetText(code, m_edit->text());
                } else if (m_edit->text().compare("none", Qt::CaseInsensitive) == 0) {
                    m_edit->clear();
                    model.SetText(code, QString());
                    model.SetUseDefault(code, true);
                }
            });
        }
        connect(m_useDefault, &QCheckBox::toggled, this, [this, &model, code](bool on) {
            model.SetUseDefault(code, on);
            if (on)
                m_edit->clear();
        });
    }
    ShowPreview();
    connect(m_edit, &QLineEdit::textEdited, this, [this, &model, code](const QString &text) {
        model.SetText(code, text);
        if (m_useDefault)
            m_useDefault->setChecked(model.UsesDefault(code));
    });
    connect(browse, &QPushButton::clicked, this, &SheetPictureEditor::Browse);
    connect(clear, &QPushButton::clicked, this, &SheetPictureEditor::Clear);
}

void SheetPictureEditor::ShowPreview()
{
    if (!m_preview)
        return;
    const QString file = m_edit->text().trimmed();
    const bool named = !file.isEmpty() && !file.startsWith(QLatin1Char('*'))
                       && file.compare(QLatin1String("none"), Qt::CaseInsensitive) != 0;
    // Read as every picture a user names: a pipe or a device is refused, not waited on.
    const QImage image = named ? PictureLoader::LoadFile(file).Image : QImage();
    m_preview->setPixmap(image.isNull() ? QPixmap()
                                        : QPixmap::fromImage(image.scaled(
                                              32, 32, Qt::KeepAspectRatio,
                                              Qt::SmoothTransformation)));
}

void SheetPictureEditor::Browse()
{
    PropertySheetModel &model = m_editors.Model();
    const auto chooser = m_icon                 ? PropertySheetModel::Chooser::Icon
                         : m_code == Prop::Logo ? PropertySheetModel::Chooser::Logo
                                                : PropertySheetModel::Chooser::Picture;
    const QString filter = PropertySheetModel::FileFilter(chooser);
    QWidget &dialog = m_editors.Dialog();
    const QString file = m_editors.Choose().File
                             ? m_editors.Choose().File(filter)
                             : QFileDialog::getOpenFileName(&dialog, dialog.windowTitle(),
                                                            QString(), filter);
    if (file.isEmpty())
        return;
    if (!PictureLoader::LoadFile(file).Ok()) {
        m_editors.Prompter().ShowMessage(tr("The picture \"%1\" cannot be loaded.").arg(file),
                                         MessageIcon::Exclamation);
        m_edit->clear();
        model.SetText(m_code, QString());
    } else {
        m_edit->setText(file);
        model.SetText(m_code, file);
    }
    if (m_useDefault)
        m_useDefault->setChecked(model.UsesDefault(m_code));
    ShowPreview();
}

void SheetPictureEditor::Clear()
{
    PropertySheetModel &model = m_editors.Model();
    m_edit->clear();
    // A cleared icon is no icon; a cleared picture is none.
    model.SetText(m_code, m_icon ? QStringLiteral("none") : QString());
    if (m_icon) {
        model.SetUseDefault(m_code, false);
        m_edit->setText(QStringLiteral("none"));
        m_useDefault->setChecked(false);
    }
    ShowPreview();
}
