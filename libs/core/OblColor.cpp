#include "OblColor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kWeightR = 0.299;
constexpr double kWeightG = 0.587;
constexpr double kWeightB = 0.114;

double Luma(double r, double g, double b)
{
    return kWeightR * r + kWeightG * g + kWeightB * b;
}

double FromChannel(int value)
{
    return std::clamp(value, 0, 255) / 255.0;
}

int ToChannel(double value)
{
    return int(std::lround(value * 255.0));
}

} // namespace

void OblColor::SetRGB(int r, int g, int b)
{
    m_r = FromChannel(r);
    m_g = FromChannel(g);
    m_b = FromChannel(b);
}

void OblColor::SetHLC(double hue, double luma, double chroma)
{
    double h = std::isfinite(hue) ? std::fmod(hue, 360.0) : 0.0;
    if (h < 0.0)
        h += 360.0;
    const double y = luma > 0.0 ? std::min(luma, 1.0) : 0.0;
    double c = chroma > 0.0 ? std::min(chroma, 1.0) : 0.0;

    // The colour of chroma 1 and this hue: one channel 1, one 0, one between.
    const double sector = h / 60.0;
    const double mid = 1.0 - std::abs(std::fmod(sector, 2.0) - 1.0);
    double pr = 0.0, pg = 0.0, pb = 0.0;
    switch (std::min(int(sector), 5)) {
    case 0: pr = 1.0; pg = mid; break;
    case 1: pr = mid; pg = 1.0; break;
    case 2: pg = 1.0; pb = mid; break;
    case 3: pg = mid; pb = 1.0; break;
    case 4: pr = mid; pb = 1.0; break;
    default: pr = 1.0; pb = mid; break;
    }
    // channel = y + c * (p - pureLuma); the largest channel must stay at or
    // below 1 and the smallest at or above 0. pureLuma lies in 0.114..0.886.
    const double pureLuma = Luma(pr, pg, pb);
    c = std::min({c, (1.0 - y) / (1.0 - pureLuma), y / pureLuma});

    auto channel = [&](double p) { return std::clamp(y + c * (p - pureLuma), 0.0, 1.0); };
    m_r = channel(pr);
    m_g = channel(pg);
    m_b = channel(pb);
}

double OblColor::GetHue() const
{
    const double max = std::max({m_r, m_g, m_b});
    const double chroma = GetChroma();
    if (chroma <= 0.0)
        return 0.0;
    double sector;
    if (max == m_r)
        sector = (m_g - m_b) / chroma;
    else if (max == m_g)
        sector = (m_b - m_r) / chroma + 2.0;
    else
        sector = (m_r - m_g) / chroma + 4.0;
    if (sector < 0.0)
        sector += 6.0;
    const double hue = sector * 60.0;
    return hue < 360.0 ? hue : 0.0;
}

double OblColor::GetLuma() const
{
    return Luma(m_r, m_g, m_b);
}

double OblColor::GetChroma() const
{
    return std::max({m_r, m_g, m_b}) - std::min({m_r, m_g, m_b});
}

int OblColor::GetR() const
{
    return ToChannel(m_r);
}

int OblColor::GetG() const
{
    return ToChannel(m_g);
}

int OblColor::GetB() const
{
    return ToChannel(m_b);
}
