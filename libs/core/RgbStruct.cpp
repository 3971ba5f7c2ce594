#include "RgbStruct.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t ToChannel(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

RgbStruct RgbStruct::FromColorref(uint32_t colorref)
{
    return RgbStruct(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

void RgbStruct::SetRGB(int r, int g, int b)
{
    m_r = ToChannel(r);
    m_g = ToChannel(g);
    m_b = ToChannel(b);
    m_set = true;
}

bool RgbStruct::SetByHexStr(const QString& text)
{
    QStringView digits = QStringView(text).trimmed();
    if (digits.startsWith(u'#'))
        digits = digits.mid(1);
    if (digits.size() != 6 && digits.size() != 3)
        return false;
    uint value = 0;
    for (QChar c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + uint(digit);
    }
    if (digits.size() == 6) {
        SetRGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    } else {
        // "#F80" is short for "#FF8800".
        SetRGB(((value >> 8) & 0xF) * 0x11, ((value >> 4) & 0xF) * 0x11, (value & 0xF) * 0x11);
    }
    return true;
}

uint32_t RgbStruct::GetColorref() const
{
    return uint32_t(m_r) | (uint32_t(m_g) << 8) | (uint32_t(m_b) << 16);
}

RgbStruct RgbStruct::Mix(const RgbStruct& other, double ratio) const
{
    const double t = ratio > 0.0 ? std::min(ratio, 1.0) : 0.0; // NaN mixes nothing
    auto mix = [t](int from, int to) { return int(std::lround(from + (to - from) * t)); };
    return RgbStruct(mix(m_r, other.m_r), mix(m_g, other.m_g), mix(m_b, other.m_b));
}
