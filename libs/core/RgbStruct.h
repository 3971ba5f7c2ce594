#pragma once

#include <QString>

#include <cstdint>

// An 8-bit RGB colour that may be unset (a segment without its own colour).
// Track attributes and the colour mixers pass colours as COLORREF values,
// 0x00BBGGRR.
class RgbStruct
{
public:
    RgbStruct() = default;
    RgbStruct(int r, int g, int b) { SetRGB(r, g, b); }
    static RgbStruct FromColorref(uint32_t colorref);

    // Channels are clamped to 0..255.
    void SetRGB(int r, int g, int b);
    // Accepts "#RRGGBB", "RRGGBB", "#RGB" or "RGB" (hex digits in either
    // case, blanks around are ignored). Bad text returns false and leaves
    // the colour as it was.
    bool SetByHexStr(const QString& text);
    void Clear() { *this = RgbStruct(); }

    bool IsSet() const { return m_set; }
    int GetR() const { return m_r; }
    int GetG() const { return m_g; }
    int GetB() const { return m_b; }
    // An unset colour gives 0 (black).
    uint32_t GetColorref() const;

    // Channel-wise linear interpolation towards other, rounded to the
    // nearest value: ratio 0 gives this colour, 1 gives other. The ratio is
    // clamped to 0..1.
    RgbStruct Mix(const RgbStruct& other, double ratio) const;

    bool operator==(const RgbStruct&) const = default;

private:
    uint8_t m_r = 0;
    uint8_t m_g = 0;
    uint8_t m_b = 0;
    bool m_set = false;
};
