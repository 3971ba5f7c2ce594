#pragma once

#include "RecipeStep.h"

#include <QString>

#include <vector>

// An ordered list of cleaning steps kept as a small JSON file, so that the
// same cleaning can be run on many files, shared and shipped as an activity
// preset.
struct Recipe
{
    // What the "format" field must say.
    static constexpr char Format[] = "quorvel-recipe";
    // The newest version this program writes and reads; every older one is
    // read as well.
    static constexpr int Version = 1;

    int version = Version;
    QString name;
    // Why the recipe is as it is; shown, never acted on.
    QString why;
    std::vector<RecipeStep> steps;
};
