#pragma once

// A colour seen either as RGB or as hue, luma and chroma (the HCY model:
// chroma is the spread max - min of the channels, hue the hexagonal hue,
// luma the Rec. 601 weighted sum 0.299 R + 0.587 G + 0.114 B). Changing
// luma keeps the perceived brightness apart from the hue, which is what
// darkening or lightening a segment colour needs.
//
// Ranges: hue in degrees [0, 360) (0 for greys), luma and chroma 0..1,
// RGB channels 0..255. RGB -> HLC -> RGB gives back every 8-bit colour.
class OblColor
{
public:
    OblColor() = default;

    // Channels are clamped to 0..255.
    void SetRGB(int r, int g, int b);
    // The hue is wrapped into [0, 360), luma clamped to 0..1. Not every
    // combination is a colour: a chroma too strong for the hue and luma is
    // reduced to the strongest that keeps both.
    void SetHLC(double hue, double luma, double chroma);

    double GetHue() const;
    double GetLuma() const;
    double GetChroma() const;
    int GetR() const;
    int GetG() const;
    int GetB() const;

private:
    // Channels 0..1, kept unrounded so that HLC values read back as set.
    double m_r = 0.0;
    double m_g = 0.0;
    double m_b = 0.0;
};
