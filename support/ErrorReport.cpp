#include "support/ErrorReport.h"

#include "support/GuiError.h"
#include "support/ProgramTitle.h"

#include <QStringList>
#include <iterator>

namespace {

constexpr const char *MethodNames[] = {
    "Reset", "Clear", "Show", "Hide", "Activate", "Insert", "Remove",
    "Enable", "Disable", "Move", "Print", "Help", "Sort",
};
constexpr int MethodNameCount = int(std::size(MethodNames));

bool InMessageTable(int number)
{
    return (number >= 5001 && number <= 5029) || (number >= 5051 && number <= 5055);
}

// "App=A, Form=F, Control=C" from an ID path; parts left empty (the form part of an MDI
// bar's path "APP**MENU") are not named.
QString DescribePath(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('*'));
    QString text = QStringLiteral("App=") + parts.value(0);
    if (!parts.value(1).isEmpty())
        text += QStringLiteral(", Form=") + parts.value(1);
    if (!parts.value(2).isEmpty())
        text += QStringLiteral(", Control=") + parts.value(2);
    return text;
}

} // namespace

QString MethodName(int code)
{
    if (code < 0 || code >= MethodNameCount)
        return QStringLiteral("unknown");
    return QString::fromLatin1(MethodNames[code]);
}

ErrorReport ErrorReport::Compose(int severity, int number, const QString &source, int extraCode,
                                 const QString &description,
                                 const PropertyNameLookup &propertyName)
{
    ErrorReport report;
    report.Caption = QString::fromUtf8(ProgramTitle);
    report.Icon = severity >= 2 ? MessageIcon::Exclamation : MessageIcon::Information;

    if (InMessageTable(number)) {
        report.Text = GuiError::StandardText(number);
        if (number == GuiErrors::InvalidVersion)
            report.Text += QStringLiteral("\nMake sure you are opening a GUI project, not a program.");
    } else if (!description.isEmpty()) {
        report.Text = description;
    } else {
        report.Text = QStringLiteral("Error # ") + QString::number(number);
    }

    if (!source.isEmpty()) {
        report.Text += QStringLiteral("\n\n");
        if (source.startsWith(QLatin1Char('<')))
            report.Text += QStringLiteral("Source = ") + source;
        else
            report.Text += DescribePath(source);
    }

    if (number == GuiErrors::InvalidPropValue) {
        QString name = propertyName ? propertyName(extraCode) : QString();
        if (name.isEmpty())
            name = QStringLiteral("unknown");
        report.Text += QStringLiteral("\nProperty=") + name;
    } else if (number == GuiErrors::MethodConverted || number == GuiErrors::MethodIgnored) {
        report.Text += QStringLiteral("\nMethod=") + MethodName(extraCode);
    }
    return report;
}
