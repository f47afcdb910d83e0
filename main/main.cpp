// The designer's entry point: process state, main window, command line.
#include "app/CommandLine.h"
#include "app/DocumentOpener.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "controls/QtPlatformMetrics.h"
#include "designer/mdiMain.h"
#include "model/clsItems.h"
#include "support/ProgramTitle.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
// Message boxes for the application core until the design surface brings its own dialogs.
class MessageBoxPrompter : public iPrompter
{
public:
    explicit MessageBoxPrompter(mdiMain &window) : m_window(window) {}

    void ShowMessage(const QString &text, MessageIcon icon) override
    {
        QMessageBox box(ToIcon(icon), Title(), text, QMessageBox::Ok, &m_window);
        box.exec();
    }
    Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) override
    {
        QMessageBox::StandardButtons set;
        switch (buttons) {
        case Buttons::Ok: set = QMessageBox::Ok; break;
        case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
        case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
        case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
        }
        QMessageBox box(ToIcon(icon), Title(), text, set, &m_window);
        switch (box.exec()) {
        case QMessageBox::Ok: return Answer::Ok;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
        }
    }
    void Report(const ErrorReport &report) override { ShowMessage(report.Text, report.Icon); }
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override
    {
        QString prompt = request.Text;
        if (!request.AppId.isEmpty())
            prompt += QStringLiteral("\n\nApp ID: ") + request.AppId;
        if (!request.FormId.isEmpty())
            prompt += QStringLiteral("\nForm ID: ") + request.FormId;
        QMessageBox box(QMessageBox::Question, Title(), prompt, QMessageBox::NoButton, &m_window);
        QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        QPushButton *skip = box.addButton(QStringLiteral("Skip"), QMessageBox::DestructiveRole);
        box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
        box.exec();
        DuplicateIdAnswer answer;
        if (box.clickedButton() == skip) {
            answer.Choice = decltype(answer.Choice)::Skip;
        } else if (box.clickedButton() == ok) {
            bool accepted = false;
            QString label = request.Label;
            label.remove(QLatin1Char('&'));
            const QString id = QInputDialog::getText(&m_window, Title(), label, QLineEdit::Normal,
                                                     request.Id, &accepted);
            if (accepted) {
                answer.Choice = decltype(answer.Choice)::Ok;
                answer.NewId = id;
            }
        }
        return answer;
    }
    void SetStatusText(const QString &text) override { m_window.SetStatusText(text); }
    void SetBusy(bool busy) override
    {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    static QString Title() { return QString::fromUtf8(ProgramTitle); }
    static QMessageBox::Icon ToIcon(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Question: return QMessageBox::Question;
        }
        return QMessageBox::NoIcon;
    }

    mdiMain &m_window;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QtPlatformMetrics::InstallFromQt();

    ProcessState &state = Process();
    Startup::InitialiseProcess(state);

    mdiMain window(state);
    window.RestoreWindowPosition();
    window.ApplyViewSettings();
    window.show();

    MessageBoxPrompter prompter(window);
    clsDesigner designer(clsItems::Instance(), &prompter);
    DocumentStorage storage(designer, state);
    DocumentOpener opener(storage, state, prompter);
    ParseCmdLine(JoinArguments(app.arguments().mid(1)), state, opener);
    window.SetStatusText(QString());
    const int status = app.exec();
    designer.ReleaseAll();
    return status;
}
