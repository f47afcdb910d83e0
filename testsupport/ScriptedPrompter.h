#pragma once

#include "app/iPrompter.h"

#include <QString>
#include <deque>
#include <vector>

// A prompter for tests: records every call in order and answers from queues. An empty
// queue answers Cancel (or No for Yes/No questions) and Cancel in the duplicate-ID dialog.
class ScriptedPrompter : public iPrompter
{
public:
    enum class Kind { Message, Question, Report, DuplicateId, ReportList };
    struct Call
    {
        Kind What = Kind::Message;
        QString Text;
        MessageIcon Icon = MessageIcon::Information;
        Buttons ButtonSet = Buttons::Ok;
        DuplicateIdRequest Duplicate;
        // A report offered with the way out of a long load.
        bool WayOut = false;
        // The held-back reports of a ReportList.
        QStringList List;
    };

    std::deque<Answer> Answers;
    std::deque<DuplicateIdAnswer> DuplicateAnswers;
    // Answers to reports offered with a way out; an empty queue shows them and goes on.
    std::deque<LoadReportChoice> LoadReportChoices;
    std::vector<Call> Calls;
    // Every status-bar text, in order.
    std::vector<QString> StatusTexts;

    void ShowMessage(const QString &text, MessageIcon icon) override;
    Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) override;
    void Report(const ErrorReport &report) override;
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override;
    LoadReportChoice ReportWithWayOut(const ErrorReport &report) override;
    void ReportList(const QString &text, const QStringList &reports, MessageIcon icon) override;
    void SetStatusText(const QString &text) override { StatusTexts.push_back(text); }

    // The calls of one kind, in order.
    std::vector<Call> Of(Kind kind) const;
    // The texts of every report.
    std::vector<QString> ReportTexts() const;
    void Clear() { Calls.clear(); }
};
