#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The arguments of one subcommand: positional arguments in order and options given as
// "--name=value", "--name value" (for options that take a value) or "--name" (flags).
class CliOptions
{
public:
    struct Syntax
    {
        QStringList ValueOptions; // names without "--" that take a value
        QStringList Flags;        // names without "--" that take none
        int MinPositional = 0;
        int MaxPositional = 0;
    };

    // Parses the arguments after the subcommand name. On a usage error Error() says why.
    static CliOptions Parse(const QStringList &arguments, const Syntax &syntax);

    bool Ok() const { return m_error.isEmpty(); }
    const QString &Error() const { return m_error; }
    const QStringList &Positional() const { return m_positional; }
    bool Has(const QString &name) const { return m_values.contains(name); }
    std::optional<QString> Value(const QString &name) const;

    // The options every loading subcommand accepts.
    static Syntax LoadingSyntax(QStringList valueOptions = {}, QStringList flags = {});

private:
    QStringList m_positional;
    QHash<QString, QString> m_values;
    QString m_error;
};
