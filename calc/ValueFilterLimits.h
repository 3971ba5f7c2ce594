#pragma once

#include "ValueFilterRows.h"

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <functional>

// The limits of the filter by value that the user last set, in the
// dialog or by the cut-off lines of the Histogram pane, so that each shows
// what the other set. Kept as typed, with the measuring system they were
// typed in, because the text of each rule is what was typed.
// Process-wide; lasts for the run of the program.
class ValueFilterLimits
{
public:
    static ValueFilterLimits& GetInstance();

    // The texts in the given system: as typed when it is the one they were
    // typed in, else each limit converted and written anew.
    ValueFilterRows::Texts GetTexts(MeasuringSystem system) const;
    // Tells the subscribers when anything differs.
    void SetTexts(const ValueFilterRows::Texts& texts, MeasuringSystem system);
    // One row's text, the others kept (converted to system when needed).
    void SetText(int row, const QString& text, MeasuringSystem system);
    void Clear();

    [[nodiscard]] boost::signals2::scoped_connection Subscribe(const std::function<void()>& onChange);

private:
    ValueFilterRows::Texts m_texts;
    MeasuringSystem m_system = MeasuringSystem::Metric;
    boost::signals2::signal<void()> m_changed;
};
