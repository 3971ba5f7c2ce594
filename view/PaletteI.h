#pragma once

#include "PaletteParameter.h"

#include <QString>

#include <memory>
#include <vector>

class ColorMixerI;

// One entry of the "Color by" choice: what to colour selected segments by.
class PaletteI
{
public:
    virtual ~PaletteI() = default;

    virtual QString GetName() const = 0;
    virtual PaletteParameter::Id GetParameter() const = 0;
    virtual PaletteParameter::Aggregate GetAggregate() const = 0;
    // None when segments keep their own colours.
    virtual std::shared_ptr<const ColorMixerI> GetMixer() const = 0;
};

using PalettePtr = std::shared_ptr<const PaletteI>;
using PaletteList = std::vector<PalettePtr>;
