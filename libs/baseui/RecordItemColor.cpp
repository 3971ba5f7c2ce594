#include "RecordItemColor.h"

#include "ReportControl.h"

#include <QColor>
#include <QColorDialog>

namespace {

ColorChooser& Chooser()
{
    static ColorChooser chooser;
    return chooser;
}

QColor FromColorref(uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

uint32_t ToColorref(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8)
        | (static_cast<uint32_t>(c.blue()) << 16);
}

bool ChooseWithDialog(uint32_t& color, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(FromColorref(color), parent);
    if (!chosen.isValid())
        return false;
    color = ToColorref(chosen);
    return true;
}

} // namespace

ColorChooser RecordItemColor::SetColorChooser(ColorChooser chooser)
{
    ColorChooser previous = std::move(Chooser());
    Chooser() = std::move(chooser);
    return previous;
}

void RecordItemColor::SetColor(uint32_t color)
{
    m_color = color;
    m_known = true;
}

QVariant RecordItemColor::GetData(int role) const
{
    if (role == ReportControl::ColorSwatchRole && m_known)
        return FromColorref(m_color);
    return {};
}

bool RecordItemColor::OnClick(QWidget* parent)
{
    uint32_t color = m_color;
    const bool chosen = Chooser() ? Chooser()(color, parent) : ChooseWithDialog(color, parent);
    if (!chosen || (m_known && color == m_color))
        return false;
    SetColor(color);
    return true;
}
