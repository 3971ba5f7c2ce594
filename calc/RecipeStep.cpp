#include "RecipeStep.h"

#include "IsoTime.h"
#include "RecipeStepKind.h"

RecipeStep::RecipeStep(const RecipeStepKind& kind, std::map<QString, QJsonValue> values, QString why)
    : m_kind(&kind)
    , m_values(std::move(values))
    , m_why(std::move(why))
{
}

RecipeStep RecipeStep::Of(const char* kindName, std::map<QString, QJsonValue> values)
{
    return RecipeStep(*RecipeStepKind::Find(QLatin1String(kindName)), std::move(values));
}

QString RecipeStep::GetName() const
{
    return QLatin1String(m_kind->name);
}

double RecipeStep::GetNumber(const QString& param, double defaultValue) const
{
    const auto found = m_values.find(param);
    return found == m_values.end() ? defaultValue : found->second.toDouble(defaultValue);
}

bool RecipeStep::GetFlag(const QString& param) const
{
    const auto found = m_values.find(param);
    return found != m_values.end() && found->second.toBool();
}

Time RecipeStep::GetTime(const QString& param) const
{
    const auto found = m_values.find(param);
    return found == m_values.end() ? Time() : IsoTime::Parse(found->second.toString().toStdString());
}
