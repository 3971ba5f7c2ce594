#pragma once

#include <QString>
#include <QStringList>

#include <map>

// The arguments of a subcommand: file names, options that take a value
// ("-o OUT") and flags ("--keep-breaks"). Anything else, or an option
// without its value, is an error, kept for the caller to report.
class CliArgs
{
public:
    CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flags);

    // The arguments that are not options, in order.
    const QStringList& GetNames() const { return m_names; }
    bool Has(const QString& option) const { return m_values.count(option) != 0; }
    // Empty when the option was not given.
    QString GetValue(const QString& option) const;
    // The option's whole number above 0; defaultValue when the option was
    // not given. Anything else is an error.
    int GetPositive(const QString& option, int defaultValue);
    // What is wrong with the arguments; empty when nothing is.
    const QString& GetError() const { return m_error; }

private:
    void SetError(const QString& error);

    QStringList m_names;
    std::map<QString, QString> m_values;
    QString m_error;
};
