#include "ValueFilterRows.h"

#include "FilterReasons.h"
#include "ParameterFilterImpl.h"
#include "RecipeStep.h"
#include "RecipeStepKind.h"
#include "String.h"
#include "StringIds.h"
#include "Translator.h"
#include "UnitsDisp.h"

const std::array<ValueFilterRows::Row, ValueFilterRows::Count>& ValueFilterRows::GetRows()
{
    static const std::array<Row, Count> rows = {{
        {"MinDist", ParameterFilterImpl::KindDist, IDS_VALUE_MIN_DISTANCE, IDS_VALUE_RULE_MIN_DISTANCE,
         Unit::SmallDistance, 1550, 1551},
        {"MaxSpeed", ParameterFilterImpl::KindHighSpeed, IDS_VALUE_MAX_SPEED, IDS_VALUE_RULE_MAX_SPEED, Unit::Speed,
         1552, 1553},
        {"MinSpeed", ParameterFilterImpl::KindLowSpeed, IDS_VALUE_MIN_SPEED, IDS_VALUE_RULE_MIN_SPEED, Unit::Speed,
         1554, 1555},
        {"MaxAccelFwd", ParameterFilterImpl::KindAccForward, IDS_VALUE_MAX_FORWARD_ACCEL,
         IDS_VALUE_RULE_MAX_FORWARD_ACCEL, Unit::Accel, 1556, 1557},
        {"MaxAccelBk", ParameterFilterImpl::KindAccBrake, IDS_VALUE_MAX_BRAKE_ACCEL, IDS_VALUE_RULE_MAX_BRAKE_ACCEL,
         Unit::Accel, 1558, 1559},
        {"MaxAccelRad", ParameterFilterImpl::KindAccRadial, IDS_VALUE_MAX_RADIAL_ACCEL, IDS_VALUE_RULE_MAX_RADIAL_ACCEL,
         Unit::Accel, 1560, 1561},
    }};
    return rows;
}

// No row is a temperature; the temperature unit given does not matter.
QString ValueFilterRows::GetUnitNotation(Unit unit, MeasuringSystem system)
{
    return UnitsDisp::GetUnitNotation(unit, system, TemperatureUnits::Celsius);
}

double ValueFilterRows::ToInternal(double value, Unit unit, MeasuringSystem system)
{
    return UnitsConv::FromUnits(unit, value, system, TemperatureUnits::Celsius);
}

QString ValueFilterRows::GetLabel(const Row& row, MeasuringSystem system)
{
    return Translator::GetInstance().LoadStr(row.labelTextId) + QStringLiteral(" (")
        + GetUnitNotation(row.unit, system) + QStringLiteral("):");
}

std::optional<double> ValueFilterRows::ParseLimit(const QString& typed, Unit unit, MeasuringSystem system)
{
    if (typed.isEmpty())
        return std::nullopt;
    const double value = String::Atof(typed);
    if (!(value > 0))
        return std::nullopt;
    return ToInternal(value, unit, system);
}

QString ValueFilterRows::FormatLimit(double limit, Unit unit, MeasuringSystem system)
{
    // Accelerations are small numbers: a tenth would be too coarse.
    const int decimals = unit == Unit::Accel ? 2 : 1;
    return String::Ftoa(UnitsConv::ToUnits(unit, limit, system, TemperatureUnits::Celsius), decimals);
}

std::optional<RecipeStep> ValueFilterRows::ToRecipeStep(const Texts& texts, MeasuringSystem system)
{
    // The step's parameters are listed in the order of the rows.
    const std::vector<RecipeParam>& params = RecipeStepKind::Find(QLatin1String(RecipeSteps::FilterByValue))->params;
    std::map<QString, QJsonValue> values;
    for (int i = 0; i < Count; ++i) {
        const Row& row = GetRows()[static_cast<size_t>(i)];
        if (const std::optional<double> limit = ParseLimit(texts[static_cast<size_t>(i)], row.unit, system))
            values[QLatin1String(params[static_cast<size_t>(i)].name)] = *limit;
    }
    if (values.empty())
        return std::nullopt;
    return RecipeStep::Of(RecipeSteps::FilterByValue, std::move(values));
}

std::shared_ptr<ParameterFilterImpl> ValueFilterRows::BuildFilter(const Texts& texts, MeasuringSystem system,
                                                                  FilterReasons& reasons)
{
    auto filter = std::make_shared<ParameterFilterImpl>();
    const Translator& translator = Translator::GetInstance();
    for (int i = 0; i < Count; ++i) {
        const Row& row = GetRows()[static_cast<size_t>(i)];
        const QString& typed = texts[static_cast<size_t>(i)];
        const std::optional<double> limit = ParseLimit(typed, row.unit, system);
        if (!limit)
            continue;
        const QString ruleText = translator.LoadStr(row.ruleTextId) + typed + QLatin1Char(' ')
            + GetUnitNotation(row.unit, system);
        filter->Add(row.code, reasons.Register(row.code, ruleText), *limit);
    }
    return filter;
}

std::shared_ptr<ParameterFilterImpl> ValueFilterRows::BuildUnregistered(const Texts& texts, MeasuringSystem system)
{
    auto filter = std::make_shared<ParameterFilterImpl>();
    for (int i = 0; i < Count; ++i) {
        const Row& row = GetRows()[static_cast<size_t>(i)];
        if (const std::optional<double> limit = ParseLimit(texts[static_cast<size_t>(i)], row.unit, system))
            filter->Add(row.code, row.code, *limit);
    }
    return filter;
}
