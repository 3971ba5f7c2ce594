#pragma once

#include "ReportRecordItem.h"

#include <cstdint>
#include <functional>

// Asks the user for a colour (COLORREF 0x00BBGGRR in and out); false when
// the choice was cancelled.
using ColorChooser = std::function<bool(uint32_t& color, QWidget* parent)>;

// A cell that shows a colour swatch and lets the user pick another colour
// with a click. Until a colour is set the cell stays empty.
class RecordItemColor : public ReportRecordItem
{
public:
    explicit RecordItemColor(uint32_t color = 0xC0C0C0, bool known = false)
        : m_color(color)
        , m_known(known)
    {
    }

    void SetColor(uint32_t color);
    uint32_t GetColor() const { return m_color; }
    bool IsColorKnown() const { return m_known; }

    QVariant GetData(int role) const override;
    bool OnClick(QWidget* parent) override;

    // Installs the chooser of colours (an empty one brings back the colour
    // dialog) and returns the one it replaces; tests script it.
    static ColorChooser SetColorChooser(ColorChooser chooser);

private:
    uint32_t m_color;
    bool m_known;
};
