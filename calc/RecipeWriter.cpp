#include "RecipeWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray RecipeWriter::ToJson(const Recipe& recipe)
{
    QJsonArray steps;
    for (const RecipeStep& step : recipe.steps) {
        QJsonObject object{{QStringLiteral("step"), step.GetName()}};
        for (const auto& [name, value] : step.GetValues())
            object.insert(name, value);
        if (!step.GetWhy().isEmpty())
            object.insert(QStringLiteral("why"), step.GetWhy());
        steps.append(object);
    }
    QJsonObject object{
        {QStringLiteral("format"), QLatin1String(Recipe::Format)},
        {QStringLiteral("version"), recipe.version},
        {QStringLiteral("steps"), steps},
    };
    if (!recipe.name.isEmpty())
        object.insert(QStringLiteral("name"), recipe.name);
    if (!recipe.why.isEmpty())
        object.insert(QStringLiteral("why"), recipe.why);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}
