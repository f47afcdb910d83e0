#pragma once

#include "app/iPrompter.h"

#include <QPointer>
#include <functional>

class QStatusBar;
class QWidget;

// The designer's prompter: every question and message of the application core becomes a
// modal Qt dialog over the main window, captioned with the program title. Status texts go
// to the main window's status bar, long work shows the hourglass pointer.
class QtPrompter final : public iPrompter
{
public:
    using StatusSink = std::function<void(const QString &text)>;

    // owner: the window the dialogs are modal to (none: application-modal, centred on screen).
    // statusSink: receives status-bar texts; none drops them.
    explicit QtPrompter(QWidget *owner = nullptr, StatusSink statusSink = {});
    // Status texts shown as the status bar's temporary message.
    QtPrompter(QWidget *owner, QStatusBar *statusBar);
    // Gives back any hourglass still shown, so a failed command cannot leave it behind.
    ~QtPrompter() override;

    QtPrompter(const QtPrompter &) = delete;
    QtPrompter &operator=(const QtPrompter &) = delete;

    void ShowMessage(const QString &text, MessageIcon icon) override;
    Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) override;
    void Report(const ErrorReport &report) override;
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override;
    // The report with "Continue without messages" and "Stop loading" beside OK.
    LoadReportChoice ReportWithWayOut(const ErrorReport &report) override;
    // One dialog with the count and the reports in a scrolling text.
    void ReportList(const QString &text, const QStringList &reports, MessageIcon icon) override;
    void SetStatusText(const QString &text) override;
    // Calls nest: the pointer returns to normal after as many SetBusy(false) as SetBusy(true);
    // a surplus SetBusy(false) is ignored.
    void SetBusy(bool busy) override;

    // How many SetBusy(true) are still open.
    int BusyDepth() const { return m_busyDepth; }

private:
    Answer ShowBox(const QString &caption, const QString &text, Buttons buttons, MessageIcon icon);

    QPointer<QWidget> m_owner;
    StatusSink m_statusSink;
    int m_busyDepth = 0;
};
