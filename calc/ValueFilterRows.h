#pragma once

#include "UnitsConv.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

class FilterReasons;
class ParameterFilterImpl;
class RecipeStep;

// The six parameters of the filter by value as data: the dialog's rows and
// control ids, the rule each row makes, and the unit its value is typed in.
class ValueFilterRows
{
public:
    // SmallDistance, Speed or Accel.
    using Unit = UnitKind;

    struct Row
    {
        const char* name;
        // Reason code, which is also the kind of rule.
        int code;
        // The label's text and the start of the rule's text.
        int labelTextId;
        int ruleTextId;
        Unit unit;
        int editId;
        int labelId;
    };

    static constexpr int Count = 6;
    using Texts = std::array<QString, Count>;

    // In the dialog's order: MinDist, MaxSpeed, MinSpeed, MaxAccelFwd,
    // MaxAccelBk, MaxAccelRad.
    static const std::array<Row, Count>& GetRows();

    static QString GetUnitNotation(Unit unit, MeasuringSystem system);
    // A typed value in the program's own units: metres, km/h, m/s².
    static double ToInternal(double value, Unit unit, MeasuringSystem system);
    // The label of a row: "Max. speed (km/h):".
    static QString GetLabel(const Row& row, MeasuringSystem system);

    // The rules for the typed texts, one per row in row order. A row that is
    // empty, does not parse or is not above 0 makes no rule. Each rule's
    // text ("Speed >" + typed text + " " + unit) is registered with reasons
    // for its key.
    static std::shared_ptr<ParameterFilterImpl> BuildFilter(const Texts& texts, MeasuringSystem system,
                                                            FilterReasons& reasons);
    // The recipe step that makes the same rules, its limits in the
    // program's own units; none when no row makes a rule.
    static std::optional<RecipeStep> ToRecipeStep(const Texts& texts, MeasuringSystem system);

    // The same rules with their plain reason codes as keys, registering
    // nothing: for showing what BuildFilter's rules would mark.
    static std::shared_ptr<ParameterFilterImpl> BuildUnregistered(const Texts& texts, MeasuringSystem system);

    // The limit a typed text makes, in the program's own units; none for a
    // text that makes no rule.
    static std::optional<double> ParseLimit(const QString& typed, Unit unit, MeasuringSystem system);
    // A limit in the program's own units as the user would type it.
    static QString FormatLimit(double limit, Unit unit, MeasuringSystem system);
};
