#include "CliArgs.h"

#include "CliCommands.h"
#include "IsoTime.h"

#include <QTextStream>

#include <algorithm>

namespace {

// "a", "a and b", "a, b and c".
QString JoinWithAnd(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.back();
}

} // namespace

CliArgs::CliArgs(const CliCommand& command, const QStringList& args)
    : m_command(QString::fromLatin1(command.name))
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const auto option = std::find_if(command.options.begin(), command.options.end(),
                                         [&arg](const CliOption& known) { return arg == QLatin1String(known.name); });
        if (option != command.options.end() && !option->IsFlag()) {
            if (i + 1 < args.size())
                m_values[arg] = args[++i];
            else
                SetError(arg + QStringLiteral(" needs a value"));
        } else if (option != command.options.end()) {
            m_values[arg] = QString();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            SetError(QStringLiteral("unexpected argument '") + arg + QLatin1Char('\''));
        } else {
            m_names << arg;
        }
    }

    // What the command needs, named as its usage names it.
    const QStringList operands = QString::fromLatin1(command.operands).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool repeats = !operands.isEmpty() && operands.back().endsWith(QLatin1String("..."));
    bool complete = repeats ? m_names.size() >= operands.size() : m_names.size() == operands.size();
    QStringList needed = operands;
    for (const CliOption& option : command.options) {
        if (!option.required)
            continue;
        const QString name = QString::fromLatin1(option.name);
        needed << (option.IsFlag() ? name : name + QLatin1Char(' ') + QLatin1String(option.valueName));
        complete = complete && Has(name);
    }
    if (!complete)
        SetError(QStringLiteral("expected ") + JoinWithAnd(needed));
}

QString CliArgs::GetValue(const QString& option) const
{
    const auto found = m_values.find(option);
    return found == m_values.end() ? QString() : found->second;
}

int CliArgs::GetPositive(const QString& option, int defaultValue)
{
    if (!Has(option))
        return defaultValue;
    bool ok = false;
    const int value = GetValue(option).toInt(&ok);
    if (!ok || value <= 0)
        SetError(option + QStringLiteral(" needs a whole number above 0"));
    return ok && value > 0 ? value : defaultValue;
}

bool CliArgs::GetNumber(const QString& option, double defaultValue, double& value) const
{
    bool ok = true;
    value = Has(option) ? GetValue(option).toDouble(&ok) : defaultValue;
    return ok;
}

Time CliArgs::GetTime(const QString& option)
{
    if (!Has(option))
        return Time();
    const Time time = IsoTime::Parse(GetValue(option).toStdString());
    if (time.IsNull())
        SetError(option + QStringLiteral(" needs an ISO 8601 time"));
    return time;
}

void CliArgs::SetError(const QString& error)
{
    if (m_error.isEmpty())
        m_error = error;
}

int CliArgs::ReportError() const
{
    QTextStream(stderr) << m_command << ": " << m_error << '\n';
    return 2;
}

int CliArgs::ReportFailure(const QString& why) const
{
    QTextStream(stderr) << m_command << ": " << why << '\n';
    return 1;
}
