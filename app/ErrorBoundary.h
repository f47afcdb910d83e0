#pragma once

#include <QString>
#include <type_traits>
#include <utility>

class iPrompter;

// The one boundary every command runs inside: the command runs under its label, and any
// error it raises is shown to the user as one report in the error-report layout (a GuiError
// with its number and text, any other exception as error 5 with what it says) instead of
// escaping: Qt lets no exception pass through its event loop, so a slot that lets one go ends
// the program. Reporting itself never throws out of the boundary either.
namespace ErrorBoundary {

// Reports the exception being handled; call it inside a catch block.
void ReportCurrent(iPrompter &prompter, const QString &label) noexcept;

// Runs the command; true when it raised nothing.
template <typename Command>
bool Run(iPrompter &prompter, const QString &label, Command &&command) noexcept
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (...) {
        ReportCurrent(prompter, label);
    }
    return false;
}

// Runs the command and gives its result, or the fallback after an error.
template <typename Command, typename Result = std::invoke_result_t<Command>>
Result Value(iPrompter &prompter, const QString &label, Command &&command,
             Result fallback = Result()) noexcept
{
    try {
        return std::forward<Command>(command)();
    } catch (...) {
        ReportCurrent(prompter, label);
    }
    return fallback;
}

} // namespace ErrorBoundary
