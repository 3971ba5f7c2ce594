#pragma once

#include "Recipe.h"

#include <QByteArray>

// A recipe as the JSON that RecipeReader reads back into the same recipe.
class RecipeWriter
{
public:
    static QByteArray ToJson(const Recipe& recipe);
};
