#include "designer/frmDupID.h"

#include "support/Marks.h"
#include "support/ProgramTitle.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A read-only line above the input box showing one part of the object's path.
QLabel *PathPart(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmDupID::frmDupID(const iPrompter::DuplicateIdRequest &request, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDupID"));
    setWindowTitle(QString::fromUtf8(ProgramTitle));
    setModal(true);

    auto *message = new QLabel(request.Text, this);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    // Wide enough for the usual prompt in three or four lines, never a tall narrow strip.
    // A wrapped label does not tell the layout its height, so it is reserved here.
    const int messageWidth = fontMetrics().averageCharWidth() * 68;
    message->setMinimumWidth(messageWidth);
    message->setMinimumHeight(message->heightForWidth(messageWidth));

    auto *fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    // The parts of the path above the object's own ID; an MDI bar has no form part.
    if (request.Level >= 1)
        fields->addRow(tr("App ID"), PathPart(request.AppId, this));
    if (request.Level >= 2 && !request.FormId.isEmpty())
        fields->addRow(tr("Form ID"), PathPart(request.FormId, this));

    m_input = new QLineEdit(request.Id, this);
    m_input->setObjectName(QStringLiteral("IdInput"));
    m_input->selectAll();
    const QString label = request.Label.isEmpty() ? tr("&ID") : request.Label;
    auto *inputLabel = new QLabel(label, this);
    inputLabel->setBuddy(m_input);
    fields->addRow(inputLabel, m_input);

    // Explains a refused ID under the input box; the line is kept when empty so the dialog
    // does not jump while typing.
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("IdHint"));
    m_hint->setTextFormat(Qt::PlainText);
    m_hint->setMinimumHeight(m_hint->fontMetrics().height());
    fields->addRow(QString(), m_hint);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);
    m_skip = new QPushButton(tr("&Skip"), this);
    m_skip->setObjectName(QStringLiteral("SkipButton"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_skip);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(fields);
    layout->addSpacing(fontMetrics().height() / 3);
    layout->addLayout(buttons);

    setTabOrder(m_input, m_ok);
    setTabOrder(m_ok, m_skip);
    setTabOrder(m_skip, m_cancel);
    m_input->setFocus();

    connect(m_input, &QLineEdit::textChanged, this, [this] { UpdateOk(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { Finish(Choice::Ok); });
    connect(m_skip, &QPushButton::clicked, this, [this] { Finish(Choice::Skip); });
    connect(m_cancel, &QPushButton::clicked, this, &frmDupID::reject);
    UpdateOk();
}

iPrompter::DuplicateIdAnswer frmDupID::Ask(const iPrompter::DuplicateIdRequest &request,
                                           QWidget *parent)
{
    frmDupID dialog(request, parent);
    dialog.exec();
    return dialog.Answer();
}

bool frmDupID::IsAcceptableId(const QString &id)
{
    if (id.isEmpty())
        return false;
    return std::none_of(id.cbegin(), id.cend(), [](QChar c) {
        return c == QLatin1Char('*') || Marks::IsMark(c);
    });
}

void frmDupID::reject()
{
    m_answer = {};
    QDialog::reject();
}

void frmDupID::UpdateOk()
{
    const QString id = m_input->text();
    m_ok->setEnabled(IsAcceptableId(id));
    // Only a forbidden character needs explaining; an empty box speaks for itself.
    m_hint->setText(id.isEmpty() || IsAcceptableId(id)
                        ? QString()
                        : tr("An ID cannot contain \"*\" or a MultiValue mark."));
}

void frmDupID::Finish(Choice choice)
{
    iPrompter::DuplicateIdAnswer answer;
    answer.Choice = choice;
    if (choice == Choice::Ok) {
        answer.NewId = m_input->text();
        if (!IsAcceptableId(answer.NewId))
            return; // Enter on a disabled OK must not slip an invalid ID through
    }
    m_answer = answer;
    if (choice == Choice::Ok)
        accept();
    else
        done(QDialog::Accepted + 1);
}
