#pragma once

#include "Time.h"

#include <QString>
#include <QStringList>

#include <map>

struct CliCommand;

// The arguments of a subcommand read against its options: file names,
// options that take a value ("-o OUT") and flags ("--keep-breaks"). An
// unknown option, an option without its value, a missing required option or
// the wrong number of file names is an error, kept for the command to
// report; so is a value the command cannot use, as it reads it.
class CliArgs
{
public:
    CliArgs(const CliCommand& command, const QStringList& args);

    // The arguments that are not options, in order.
    const QStringList& GetNames() const { return m_names; }
    bool Has(const QString& option) const { return m_values.count(option) != 0; }
    // Empty when the option was not given.
    QString GetValue(const QString& option) const;
    // The option's whole number above 0; defaultValue when the option was
    // not given. Anything else is an error.
    int GetPositive(const QString& option, int defaultValue);
    // The option's number into value, defaultValue when the option was not
    // given; false when its text is not a number, which the caller words.
    bool GetNumber(const QString& option, double defaultValue, double& value) const;
    // The option's ISO 8601 time; a null time when the option was not given.
    // Anything else is an error.
    Time GetTime(const QString& option);

    // What is wrong with the arguments; empty when nothing is.
    const QString& GetError() const { return m_error; }
    // Keeps error unless an earlier one is kept: the first problem is the
    // one worth telling.
    void SetError(const QString& error);
    // Tells stderr what is wrong, after the command's name; returns 2, the
    // exit status of a bad command line.
    int ReportError() const;
    // Tells stderr why the command failed, after its name; returns 1.
    int ReportFailure(const QString& why) const;

private:
    QString m_command;
    QStringList m_names;
    std::map<QString, QString> m_values;
    QString m_error;
};
