#include "ValueFilterRows.h"

#include "FilterReasons.h"
#include "ParameterFilterImpl.h"
#include "String.h"
#include "Translator.h"
#include "UnitsDisp.h"

const std::array<ValueFilterRows::Row, ValueFilterRows::Count>& ValueFilterRows::GetRows()
{
    static const std::array<Row, Count> rows = {{
        {"MinDist", ParameterFilterImpl::KindDist, 62550, 62570, Unit::SmallDistance, 1550, 1551},
        {"MaxSpeed", ParameterFilterImpl::KindHighSpeed, 62552, 62572, Unit::Speed, 1552, 1553},
        {"MinSpeed", ParameterFilterImpl::KindLowSpeed, 62551, 62571, Unit::Speed, 1554, 1555},
        {"MaxAccelFwd", ParameterFilterImpl::KindAccForward, 62555, 62575, Unit::Accel, 1556, 1557},
        {"MaxAccelBk", ParameterFilterImpl::KindAccBrake, 62554, 62574, Unit::Accel, 1558, 1559},
        {"MaxAccelRad", ParameterFilterImpl::KindAccRadial, 62553, 62573, Unit::Accel, 1560, 1561},
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

std::shared_ptr<ParameterFilterImpl> ValueFilterRows::BuildFilter(const Texts& texts, MeasuringSystem system,
                                                                  FilterReasons& reasons)
{
    auto filter = std::make_shared<ParameterFilterImpl>();
    const Translator& translator = Translator::GetInstance();
    for (int i = 0; i < Count; ++i) {
        const Row& row = GetRows()[static_cast<size_t>(i)];
        const QString& typed = texts[static_cast<size_t>(i)];
        if (typed.isEmpty())
            continue;
        const double value = String::Atof(typed);
        if (!(value > 0))
            continue;
        const QString ruleText = translator.LoadStr(row.ruleTextId) + typed + QLatin1Char(' ')
            + GetUnitNotation(row.unit, system);
        filter->Add(row.code, reasons.Register(row.code, ruleText), ToInternal(value, row.unit, system));
    }
    return filter;
}
