#pragma once

#include "CleaningReport.h"
#include "Recipe.h"
#include "TrackStatistics.h"

#include <memory>

class OpenTracksModel;
class ParameterFilterImpl;

// Runs the steps of a recipe, in order, on one open file, with the same
// operations and defaults as the program's commands, and reports what the
// cleaning changed. Made on the user-interface thread (the texts of the
// value rules are registered as reasons then); Run may afterwards be called
// from several threads at once, each on a model of its own.
class RecipeRunner
{
public:
    RecipeRunner(const Recipe& recipe, const StatisticsParams& params);
    ~RecipeRunner();

    // Cleans the file fileTid of model in place. When a step cannot run,
    // the report's error says why and the file is left half cleaned.
    // withPoints: the report keeps where its counted points lay.
    CleaningReport Run(OpenTracksModel& model, int fileTid, bool withPoints = false) const;

private:
    Recipe m_recipe;
    StatisticsParams m_params;
    // The rules of each filter-by-value step, by the step's position.
    std::vector<std::shared_ptr<const ParameterFilterImpl>> m_valueRules;
};
