#pragma once

#include "PaletteI.h"

class RangeColorMixer;

// A palette read from its XML file: a parameter, an aggregate and a colour
// scale.
class Palette : public PaletteI
{
public:
    Palette();

    // False with the reason in error; the palette is then unusable and
    // left out of the list.
    bool Load(const QString& path, QString& error);

    QString GetName() const override;
    PaletteParameter::Id GetParameter() const override;
    PaletteParameter::Aggregate GetAggregate() const override;
    std::shared_ptr<const ColorMixerI> GetMixer() const override;

private:
    struct PaletteImpl
    {
        QString name;
        PaletteParameter::Id parameter = PaletteParameter::Unknown;
        PaletteParameter::Aggregate aggregate = PaletteParameter::Avg;
        std::shared_ptr<RangeColorMixer> mixer;
    };

    std::shared_ptr<PaletteImpl> m_impl;
};

// The built-in "Segments" entry first, then every palette of the list file
// "Palettes\DefaultPalettes.xml" that loads, in list order.
PaletteList LoadPalettes();
