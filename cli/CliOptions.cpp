#include "cli/CliOptions.h"

CliOptions CliOptions::Parse(const QStringList &arguments, const Syntax &syntax)
{
    CliOptions options;
    bool onlyPositional = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (onlyPositional || !argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-")) {
            options.m_positional << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            onlyPositional = true;
            continue;
        }
        const qsizetype eq = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, eq < 0 ? -1 : eq - 2);
        if (syntax.Flags.contains(name)) {
            if (eq >= 0) {
                options.m_error = QStringLiteral("option --%1 takes no value").arg(name);
                return options;
            }
            options.m_values.insert(name, QString());
        } else if (syntax.ValueOptions.contains(name)) {
            if (eq >= 0) {
                options.m_values.insert(name, argument.mid(eq + 1));
            } else if (i + 1 < arguments.size()) {
                options.m_values.insert(name, arguments.at(++i));
            } else {
                options.m_error = QStringLiteral("option --%1 needs a value").arg(name);
                return options;
            }
        } else {
            options.m_error = QStringLiteral("unknown option --%1").arg(name);
            return options;
        }
    }
    if (options.m_positional.size() < syntax.MinPositional)
        options.m_error = QStringLiteral("missing argument");
    else if (options.m_positional.size() > syntax.MaxPositional)
        options.m_error = QStringLiteral("unexpected argument '%1'").arg(options.m_positional.at(syntax.MaxPositional));
    return options;
}

std::optional<QString> CliOptions::Value(const QString &name) const
{
    const auto it = m_values.constFind(name);
    if (it == m_values.constEnd())
        return std::nullopt;
    return it.value();
}

CliOptions::Syntax CliOptions::LoadingSyntax(QStringList valueOptions, QStringList flags)
{
    Syntax syntax;
    syntax.ValueOptions = std::move(valueOptions);
    syntax.ValueOptions << QStringLiteral("duplicates");
    syntax.Flags = std::move(flags);
    syntax.MinPositional = 1;
    syntax.MaxPositional = 1;
    return syntax;
}
