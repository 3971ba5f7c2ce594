#include "CliArgs.h"

CliArgs::CliArgs(const QStringList& args, const QStringList& valueOptions, const QStringList& flags)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (valueOptions.contains(arg)) {
            if (i + 1 < args.size())
                m_values[arg] = args[++i];
            else
                SetError(arg + QStringLiteral(" needs a value"));
        } else if (flags.contains(arg)) {
            m_values[arg] = QString();
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            SetError(QStringLiteral("unexpected argument '") + arg + QLatin1Char('\''));
        } else {
            m_names << arg;
        }
    }
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

void CliArgs::SetError(const QString& error)
{
    // The first problem is the one worth telling.
    if (m_error.isEmpty())
        m_error = error;
}
