#include "app/HeadlessPrompter.h"

HeadlessPrompter::HeadlessPrompter(std::FILE *stream) : m_stream(stream) {}

iPrompter::Answer HeadlessPrompter::SafeAnswer(Buttons buttons)
{
    return buttons == Buttons::YesNo ? Answer::No : buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

void HeadlessPrompter::Write(const QString &text)
{
    if (!m_stream)
        return;
    const QByteArray bytes = (text + QStringLiteral("\n\n")).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_stream);
    std::fflush(m_stream);
}

void HeadlessPrompter::ShowMessage(const QString &text, MessageIcon icon)
{
    if (icon == MessageIcon::Exclamation)
        ++m_problems;
    Write(text);
}

iPrompter::Answer HeadlessPrompter::Ask(const QString &text, Buttons buttons, MessageIcon)
{
    // The question is shown too, so the user sees what was decided for them.
    Write(text);
    return m_policy ? m_policy(text, buttons) : SafeAnswer(buttons);
}

void HeadlessPrompter::Report(const ErrorReport &report)
{
    ++m_reports;
    if (report.Icon == MessageIcon::Exclamation)
        ++m_problems;
    Write(report.Text);
}

iPrompter::DuplicateIdAnswer HeadlessPrompter::AskDuplicateId(const DuplicateIdRequest &)
{
    DuplicateIdAnswer answer;
    answer.Choice = m_duplicate;
    return answer;
}
