#pragma once

#include "PaletteI.h"
#include "UnitsConv.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// Where the legend puts its colour bar, ticks and labels for a palette, in
// the user's units. Free of widgets so that the numbers are checked alone.
class LegendLayout
{
public:
    struct Tick
    {
        double value = 0.0; // in the user's units
        int y = 0;
        bool labelled = false;
    };

    struct Range
    {
        double min = 0.0;
        double max = 0.0;
    };

    // The palette name and the unit of its parameter ("Speed, km/h").
    static QString Title(const PaletteI& palette);
    // The mixer's ends in the user's units, rounded to readable ends where
    // the units differ from the internal ones.
    static Range UserRange(PaletteParameter::Id parameter, double min, double max, MeasuringSystem system,
                           TemperatureUnits temperature);
    // Back from the user's units, to look colours up in the mixer.
    static double ToInternal(PaletteParameter::Id parameter, double value, MeasuringSystem system,
                             TemperatureUnits temperature);
    // The major and minor label steps for labelCount labels over range;
    // major and minor are left alone when no step fits.
    static void LabelSteps(double range, int labelCount, double& major, double& minor);
    // Multiples of step across [min, max] in ascending order, with the
    // ends added when they fall between multiples.
    static std::vector<double> TickValues(double min, double max, double step);

    // False when there is nothing to draw. labelSize: the size of the
    // widest label, the maximum's, in the label font.
    bool Compute(const PalettePtr& palette, const QSize& view, const QSize& labelSize, MeasuringSystem system,
                 TemperatureUnits temperature);

    const Range& GetRange() const { return m_range; }
    int GetMargin() const { return m_margin; }
    const QRect& GetBar() const { return m_bar; }
    const QRect& GetTitleRect() const { return m_title; }
    int GetLabelX() const { return m_labelX; }
    double GetMajorStep() const { return m_major; }
    double GetMinorStep() const { return m_minor; }
    const std::vector<Tick>& GetTicks() const { return m_ticks; }
    // The value of a bar row, in the user's units.
    double ValueAt(int y) const;

private:
    Range m_range;
    int m_margin = 0;
    QRect m_bar;
    QRect m_title;
    int m_labelX = 0;
    double m_major = 0.0;
    double m_minor = 0.0;
    std::vector<Tick> m_ticks;
};
