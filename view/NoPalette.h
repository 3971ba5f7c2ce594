#pragma once

#include "PaletteI.h"

// The built-in first entry: every segment in its own colour.
class NoPalette : public PaletteI
{
public:
    QString GetName() const override;
    PaletteParameter::Id GetParameter() const override { return PaletteParameter::Segments; }
    PaletteParameter::Aggregate GetAggregate() const override { return PaletteParameter::Avg; }
    std::shared_ptr<const ColorMixerI> GetMixer() const override { return nullptr; }
};
