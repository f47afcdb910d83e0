#pragma once

#include "support/ErrorReport.h"

#include <QString>
#include <QStringList>

// Every question and message the application core puts to the user goes through this one
// interface: the designer answers with dialogs, tests with scripted answers, the command-line
// tool from its flags. Captions are always the program title; texts, icons and buttons are
// part of the call so callers' wording can be checked.
class iPrompter
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    // The duplicate-ID dialog shown while loading: Text is the whole prompt, Label the input
    // box's label ("App &ID", "Form &ID", "Control &ID"), AppId and FormId the parts shown
    // above it, Id the current own ID (may be empty).
    struct DuplicateIdRequest {
        QString Text;
        QString Label;
        QString AppId;
        QString FormId;
        QString Id;
        int Level = 0; // 0 application, 1 form, 2 control
    };
    struct DuplicateIdAnswer {
        enum class Action { Ok, Skip, Cancel };
        Action Choice = Action::Cancel;
        QString NewId; // with Ok
    };

    virtual ~iPrompter() = default;

    virtual void ShowMessage(const QString &text, MessageIcon icon) = 0;
    virtual Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) = 0;
    // One error report in the error-report layout.
    virtual void Report(const ErrorReport &report) = 0;
    virtual DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) = 0;

    // A load that reports many problems (a project with thousands of refused records) offers
    // a way out after its first reports: every further report comes with the choice to go on
    // showing reports, to go on without them (they are listed in one report at the end) or to
    // stop the load. Prompters that show nothing modal keep the default: show and go on.
    enum class LoadReportChoice { Show, Quiet, Stop };
    virtual LoadReportChoice ReportWithWayOut(const ErrorReport &report)
    {
        Report(report);
        return LoadReportChoice::Show;
    }
    // The reports a load held back, in one report: text says how many, reports are their
    // texts as each report would have shown them.
    virtual void ReportList(const QString &text, const QStringList &reports, MessageIcon icon)
    {
        ShowMessage(text + QStringLiteral("\n\n") + reports.join(QStringLiteral("\n\n")), icon);
    }
    // Status-bar text and the hourglass pointer around long work; headless ones ignore them.
    virtual void SetStatusText(const QString &text) { Q_UNUSED(text); }
    virtual void SetBusy(bool busy) { Q_UNUSED(busy); }
};
