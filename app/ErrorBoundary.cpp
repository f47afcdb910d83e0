#include "app/ErrorBoundary.h"

#include "app/iPrompter.h"
#include "model/Vocabulary.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"

#include <exception>

namespace ErrorBoundary {

void ReportCurrent(iPrompter &prompter, const QString &label) noexcept
{
    try {
        int number = GuiErrors::InvalidCall;
        QString description;
        try {
            throw;
        } catch (const GuiError &error) {
            number = error.Number();
            description = error.Description();
        } catch (const std::exception &error) {
            description = QString::fromLocal8Bit(error.what());
        } catch (...) {
            // Nothing more is known about it; the report says "Error # 5".
        }
        prompter.Report(ErrorReport::Compose(2, number, label, 0, description,
                                             [](int code) { return Vocabulary::PropertyName(code); }));
    } catch (...) {
        // A report that cannot be shown is dropped rather than ending the program.
    }
}

} // namespace ErrorBoundary
