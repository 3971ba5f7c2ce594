#include "CasingColour.h"

#include "OblColor.h"

#include <cmath>

RgbStruct DeriveCasingColour(const RgbStruct& segmentColour)
{
    OblColor colour;
    colour.SetRGB(segmentColour.GetR(), segmentColour.GetG(), segmentColour.GetB());
    const double hue = std::fmod(colour.GetHue() + 30.0, 360.0);
    double luma = colour.GetLuma();
    double chroma = colour.GetChroma();
    if (luma >= 0.4) {
        luma = 0.3;
        if (chroma > 0.7)
            chroma = 0.4;
    } else if (chroma >= 0.5) {
        chroma -= 0.3;
        luma /= 1.8;
    } else {
        chroma += 0.2;
        luma *= 1.5;
    }
    colour.SetHLC(hue, luma, chroma);
    return RgbStruct(colour.GetR(), colour.GetG(), colour.GetB());
}
