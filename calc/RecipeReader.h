#pragma once

#include "Recipe.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

struct RecipeParam;
struct RecipeStepKind;

// Reads a recipe from its JSON and checks every field against the step
// table. Nothing is ignored: an unknown field, step or parameter, a value of
// the wrong type or out of range, and a recipe of a newer version are
// refused with a message naming what was not understood.
class RecipeReader
{
public:
    // False with the message in GetError() when json is no valid recipe.
    bool Read(const QByteArray& json, Recipe& recipe);
    bool ReadFile(const QString& path, Recipe& recipe);

    const QString& GetError() const { return m_error; }

private:
    bool Fail(const QString& error);
    bool ReadStep(int position, const QJsonValue& value, RecipeStep& step);
    bool CheckValue(int position, const RecipeStepKind& kind, const RecipeParam& param,
                    const QJsonValue& value);

    QString m_error;
};
