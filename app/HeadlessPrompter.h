#pragma once

#include "app/iPrompter.h"

#include <QString>
#include <cstdio>
#include <functional>

// The prompter of the command-line tool: no one to ask, so questions are answered from its
// settings, and every report, message and question is written to the error stream as the
// full text the message box would show, followed by an empty line.
class HeadlessPrompter : public iPrompter
{
public:
    using AskPolicy = std::function<Answer(const QString &text, Buttons buttons)>;

    explicit HeadlessPrompter(std::FILE *stream = stderr);

    using DuplicateChoice = decltype(DuplicateIdAnswer{}.Choice);
    // The duplicate-ID dialog's answer: Cancel (the default) or Skip.
    void SetDuplicateChoice(DuplicateChoice choice) { m_duplicate = choice; }
    // Questions are answered by the policy; without one OK/Cancel and Yes/No/Cancel
    // questions get Cancel and Yes/No questions get No.
    void SetAskPolicy(AskPolicy policy) { m_policy = std::move(policy); }

    void ShowMessage(const QString &text, MessageIcon icon) override;
    Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) override;
    void Report(const ErrorReport &report) override;
    DuplicateIdAnswer AskDuplicateId(const DuplicateIdRequest &request) override;

    // Reports and messages with the exclamation icon (severity 2 and more) so far.
    int Problems() const { return m_problems; }
    int Reports() const { return m_reports; }

    // Answers that never ask (the safe choice for every button set).
    static Answer SafeAnswer(Buttons buttons);

private:
    void Write(const QString &text);

    std::FILE *m_stream;
    DuplicateChoice m_duplicate = DuplicateChoice::Cancel;
    AskPolicy m_policy;
    int m_problems = 0;
    int m_reports = 0;
};
