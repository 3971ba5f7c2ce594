#pragma once

// Ascent and descent of a run of elevations, with a hysteresis against the
// noise of GPS and barometer heights: a change of direction counts only once
// the elevation has moved back by at least the hysteresis from the highest
// (or lowest) point reached, and then the whole climb (or fall) up to that
// point counts. Wobbles smaller than the hysteresis add nothing.
class ClimbCounter
{
public:
    explicit ClimbCounter(double hysteresisMetres);

    void Add(double elevation);

    // Metres, the climb or fall under way included.
    double GetAscent() const;
    double GetDescent() const;

private:
    enum class Trend { Unknown, Up, Down };

    double m_hysteresis;
    bool m_started = false;
    Trend m_trend = Trend::Unknown;
    // Where the running climb or fall began (the last turn).
    double m_turn = 0;
    // The highest point of a climb, the lowest of a fall; before the first
    // trend, the lowest and highest elevations so far.
    double m_low = 0;
    double m_high = 0;
    double m_ascent = 0;
    double m_descent = 0;
};
