#include "testsupport/ScriptedPrompter.h"

void ScriptedPrompter::ShowMessage(const QString &text, MessageIcon icon)
{
    Call call;
    call.What = Kind::Message;
    call.Text = text;
    call.Icon = icon;
    Calls.push_back(call);
}

iPrompter::Answer ScriptedPrompter::Ask(const QString &text, Buttons buttons, MessageIcon icon)
{
    Call call;
    call.What = Kind::Question;
    call.Text = text;
    call.Icon = icon;
    call.ButtonSet = buttons;
    Calls.push_back(call);
    if (Answers.empty())
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    const Answer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void ScriptedPrompter::Report(const ErrorReport &report)
{
    Call call;
    call.What = Kind::Report;
    call.Text = report.Text;
    call.Icon = report.Icon;
    Calls.push_back(call);
}

iPrompter::LoadReportChoice ScriptedPrompter::ReportWithWayOut(const ErrorReport &report)
{
    Report(report);
    Calls.back().WayOut = true;
    if (LoadReportChoices.empty())
        return LoadReportChoice::Show;
    const LoadReportChoice choice = LoadReportChoices.front();
    LoadReportChoices.pop_front();
    return choice;
}

void ScriptedPrompter::ReportList(const QString &text, const QStringList &reports, MessageIcon icon)
{
    Call call;
    call.What = Kind::ReportList;
    call.Text = text;
    call.Icon = icon;
    call.List = reports;
    Calls.push_back(call);
}

iPrompter::DuplicateIdAnswer ScriptedPrompter::AskDuplicateId(const DuplicateIdRequest &request)
{
    Call call;
    call.What = Kind::DuplicateId;
    call.Text = request.Text;
    call.Duplicate = request;
    Calls.push_back(call);
    if (DuplicateAnswers.empty())
        return {};
    const DuplicateIdAnswer answer = DuplicateAnswers.front();
    DuplicateAnswers.pop_front();
    return answer;
}

std::vector<ScriptedPrompter::Call> ScriptedPrompter::Of(Kind kind) const
{
    std::vector<Call> calls;
    for (const Call &call : Calls)
        if (call.What == kind)
            calls.push_back(call);
    return calls;
}

std::vector<QString> ScriptedPrompter::ReportTexts() const
{
    std::vector<QString> texts;
    for (const Call &call : Of(Kind::Report))
        texts.push_back(call.Text);
    return texts;
}
