#include "designer/QtPrompter.h"

#include "designer/frmDupID.h"
#include "support/ProgramTitle.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// What the box's Escape key (and its close button) answers: the most cautious choice.
iPrompter::Answer EscapeAnswer(iPrompter::Buttons buttons)
{
    switch (buttons) {
    case iPrompter::Buttons::Ok:
        return iPrompter::Answer::Ok;
    case iPrompter::Buttons::YesNo:
        return iPrompter::Answer::No;
    case iPrompter::Buttons::OkCancel:
    case iPrompter::Buttons::YesNoCancel:
        break;
    }
    return iPrompter::Answer::Cancel;
}

// While a box waits for an answer in the middle of long work, the pointer over it is the
// normal arrow; the hourglass comes back when the box closes.
class ArrowWhileAsking
{
public:
    ArrowWhileAsking() : m_active(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking &) = delete;
    ArrowWhileAsking &operator=(const ArrowWhileAsking &) = delete;

private:
    bool m_active;
};

} // namespace

QtPrompter::QtPrompter(QWidget *owner, StatusSink statusSink)
    : m_owner(owner), m_statusSink(std::move(statusSink))
{
}

QtPrompter::QtPrompter(QWidget *owner, QStatusBar *statusBar)
    : m_owner(owner)
{
    if (statusBar) {
        m_statusSink = [bar = QPointer<QStatusBar>(statusBar)](const QString &text) {
            if (bar)
                bar->showMessage(text);
        };
    }
}

QtPrompter::~QtPrompter()
{
    while (m_busyDepth > 0)
        SetBusy(false);
}

void QtPrompter::ShowMessage(const QString &text, MessageIcon icon)
{
    ShowBox(QString::fromUtf8(ProgramTitle), text, Buttons::Ok, icon);
}

iPrompter::Answer QtPrompter::Ask(const QString &text, Buttons buttons, MessageIcon icon)
{
    return ShowBox(QString::fromUtf8(ProgramTitle), text, buttons, icon);
}

void QtPrompter::Report(const ErrorReport &report)
{
    const QString caption =
        report.Caption.isEmpty() ? QString::fromUtf8(ProgramTitle) : report.Caption;
    ShowBox(caption, report.Text, Buttons::Ok, report.Icon);
}

iPrompter::LoadReportChoice QtPrompter::ReportWithWayOut(const ErrorReport &report)
{
    const QString caption =
        report.Caption.isEmpty() ? QString::fromUtf8(ProgramTitle) : report.Caption;
    QMessageBox box(BoxIcon(report.Icon), caption, report.Text, QMessageBox::Ok, m_owner.data());
    box.setTextFormat(Qt::PlainText);
    if (!m_owner)
        box.setWindowModality(Qt::ApplicationModal);
    QAbstractButton *quiet =
        box.addButton(QStringLiteral("Continue without messages"), QMessageBox::AcceptRole);
    QAbstractButton *stop = box.addButton(QStringLiteral("Stop loading"), QMessageBox::RejectRole);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close button are OK, as for every other report.
    box.setEscapeButton(QMessageBox::Ok);
    ArrowWhileAsking arrow;
    box.exec();
    if (box.clickedButton() == stop)
        return LoadReportChoice::Stop;
    if (box.clickedButton() == quiet)
        return LoadReportChoice::Quiet;
    return LoadReportChoice::Show;
}

void QtPrompter::ReportList(const QString &text, const QStringList &reports, MessageIcon icon)
{
    QDialog dialog(m_owner.data());
    dialog.setObjectName(QStringLiteral("LoadReportList"));
    dialog.setWindowTitle(QString::fromUtf8(ProgramTitle));
    if (!m_owner)
        dialog.setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(&dialog);
    auto *top = new QHBoxLayout;
    auto *iconLabel = new QLabel(&dialog);
    const QStyle::StandardPixmap pixmap = icon == MessageIcon::Exclamation ? QStyle::SP_MessageBoxWarning
                                          : icon == MessageIcon::Question  ? QStyle::SP_MessageBoxQuestion
                                                                            : QStyle::SP_MessageBoxInformation;
    const int size = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &dialog);
    iconLabel->setPixmap(dialog.style()->standardIcon(pixmap, nullptr, &dialog).pixmap(size, size));
    iconLabel->setAlignment(Qt::AlignTop);
    top->addWidget(iconLabel);
    auto *label = new QLabel(text, &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    top->addWidget(label, 1);
    layout->addLayout(top);
    // Plain text laid out per block: tens of thousands of reports open at once.
    auto *list = new QPlainTextEdit(&dialog);
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Each report as a block of its lines, one empty line between reports.
    QStringList blocks;
    blocks.reserve(reports.size());
    for (const QString &report : reports)
        blocks.append(report.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char('\n')));
    list->setPlainText(blocks.join(QStringLiteral("\n\n")));
    layout->addWidget(list, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.resize(640, 420);
    ArrowWhileAsking arrow;
    dialog.exec();
}

iPrompter::DuplicateIdAnswer QtPrompter::AskDuplicateId(const DuplicateIdRequest &request)
{
    ArrowWhileAsking arrow;
    return frmDupID::Ask(request, m_owner.data());
}

void QtPrompter::SetStatusText(const QString &text)
{
    if (m_statusSink)
        m_statusSink(text);
}

void QtPrompter::SetBusy(bool busy)
{
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else if (m_busyDepth > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_busyDepth;
    }
}

iPrompter::Answer QtPrompter::ShowBox(const QString &caption, const QString &text,
                                      Buttons buttons, MessageIcon icon)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::NoButton, m_owner.data());
    // Sources such as "<clsDesigner SetTemplate>" would otherwise pass for markup and vanish.
    box.setTextFormat(Qt::PlainText);
    if (!m_owner)
        box.setWindowModality(Qt::ApplicationModal);

    QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    QMessageBox::StandardButton escapeButton = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        escapeButton = QMessageBox::Cancel;
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        defaultButton = QMessageBox::Yes;
        escapeButton = QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        defaultButton = QMessageBox::Yes;
        escapeButton = QMessageBox::Cancel;
        break;
    }
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escapeButton);

    ArrowWhileAsking arrow;
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Closed without a button of its own (the box was torn down from outside).
        return EscapeAnswer(buttons);
    }
}
