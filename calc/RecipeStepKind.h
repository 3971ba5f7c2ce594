#pragma once

#include <QString>

#include <vector>

// What a recipe parameter holds.
enum class RecipeParamType {
    // A number within [min, max]; above min only when minExclusive.
    Number,
    // A whole number within [min, max].
    Whole,
    Flag,
    // An ISO 8601 time.
    Time,
};

struct RecipeParam
{
    const char* name;
    RecipeParamType type;
    double min = 0;
    bool minExclusive = false;
    double max = 1e12;
    bool required = false;
};

// One kind of cleaning step and the parameters it accepts, as data: the
// reader validates against it, the runner reads what it allows and the
// README lists the same names.
struct RecipeStepKind
{
    // The step's name in a recipe.
    const char* name;
    std::vector<RecipeParam> params;
    // How many of the parameters must be given at least and at most (the
    // filter by value needs one limit; a shift needs a start or an offset,
    // not both).
    int minGiven = 0;
    int maxGiven = 1000;

    const RecipeParam* FindParam(const QString& param) const;

    // Every kind, in the order the README describes them.
    static const std::vector<RecipeStepKind>& GetAll();
    // Null for a name that is no step.
    static const RecipeStepKind* Find(const QString& name);
    // "spikes, local-inconsistency, ..." for messages.
    static QString ListNames();
};

// The step names the runner dispatches on.
namespace RecipeSteps {
inline constexpr char FilterByValue[] = "filter-by-value";
inline constexpr char Spikes[] = "spikes";
inline constexpr char LocalInconsistency[] = "local-inconsistency";
inline constexpr char Stops[] = "stops";
inline constexpr char DeleteFiltered[] = "delete-filtered";
inline constexpr char Restructure[] = "restructure";
inline constexpr char Shift[] = "shift";
inline constexpr char Retime[] = "retime";
inline constexpr char Densify[] = "densify";
} // namespace RecipeSteps
