#include "RecipeStepKind.h"

#include <QStringList>

#include <algorithm>

namespace {

using Type = RecipeParamType;

// Positive limits: a limit of zero would mean "no rule", which a recipe
// says by leaving the parameter out.
RecipeParam Above0(const char* name)
{
    return {name, Type::Number, 0, true};
}

} // namespace

const RecipeParam* RecipeStepKind::FindParam(const QString& param) const
{
    const auto found =
        std::find_if(params.begin(), params.end(), [&param](const RecipeParam& p) { return param == QLatin1String(p.name); });
    return found == params.end() ? nullptr : &*found;
}

const std::vector<RecipeStepKind>& RecipeStepKind::GetAll()
{
    // Units are in the names, so a recipe reads the same whatever units the
    // program shows: metres, km/h, m/s², seconds, minutes.
    static const std::vector<RecipeStepKind> kinds = {
        {RecipeSteps::FilterByValue,
         {Above0("min_dist_m"), Above0("max_speed_kmh"), Above0("min_speed_kmh"), Above0("max_accel_fwd_ms2"),
          Above0("max_accel_brake_ms2"), Above0("max_accel_radial_ms2")},
         1},
        {RecipeSteps::Spikes, {}},
        {RecipeSteps::LocalInconsistency, {{"level", Type::Number, 0, false, 100}, {"extended", Type::Flag}}},
        {RecipeSteps::Stops, {}},
        {RecipeSteps::DeleteFiltered, {{"keep_untimed", Type::Flag}}},
        {RecipeSteps::Restructure,
         {{"folder_gap_min", Type::Whole, 1}, {"segment_gap_min", Type::Whole, 1}, {"keep_breaks", Type::Flag}}},
        {RecipeSteps::Shift, {{"start", Type::Time}, {"seconds", Type::Number, -1e12}}, 1, 1},
        {RecipeSteps::Retime, {{"speed_kmh", Type::Number, 0, true, 1e12, true}, {"start", Type::Time}}},
        {RecipeSteps::Densify, {{"time_s", Type::Number}, {"dist_m", Type::Number}}},
    };
    return kinds;
}

const RecipeStepKind* RecipeStepKind::Find(const QString& name)
{
    const std::vector<RecipeStepKind>& kinds = GetAll();
    const auto found =
        std::find_if(kinds.begin(), kinds.end(), [&name](const RecipeStepKind& kind) { return name == QLatin1String(kind.name); });
    return found == kinds.end() ? nullptr : &*found;
}

QString RecipeStepKind::ListNames()
{
    QStringList names;
    for (const RecipeStepKind& kind : GetAll())
        names << QLatin1String(kind.name);
    return names.join(QStringLiteral(", "));
}
