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
    void StartTrend(int direction, double turn, double elevation);
    // Metres climbed or fallen since the last turn (never negative).
    double Running() const;

    double m_hysteresis;
    bool m_started = false;
    // +1 climbing, -1 falling, 0 before the first trend.
    int m_direction = 0;
    // Where the running climb or fall began (the last turn).
    double m_turn = 0;
    // The furthest point of the running climb or fall.
    double m_extreme = 0;
    // Before the first trend, the lowest and highest elevations so far.
    double m_low = 0;
    double m_high = 0;
    double m_ascent = 0;
    double m_descent = 0;
};
