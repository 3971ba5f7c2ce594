#pragma once

#include "TrackPoint.h"
#include "XmlReadAhead.h"

#include <QIODevice>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Reads runs of plain GPX track points ahead, on a thread of its own, while
// the GPX reader reads the rest: every other stretch of runBytes, so that
// the two threads share the file. A run is only what both readers read
// alike whatever surrounds it: <trkpt> elements with just lat and lon
// attributes and point values (ele, time, hdop and the like) as plain
// ASCII text, nothing kept as markup, nothing in doubt. Anything else ends
// the run, and the GPX reader reads it. The reader takes a run only where
// its start tag opens a point in a segment, so a run found inside a
// comment or an extension is given up.
class GpxPointRuns final : public XmlReadAhead
{
public:
    struct Run
    {
        long long start = 0; // of its first point's "<"
        long long end = 0;   // after its last point's end tag
        std::vector<TrackPoint> points;
    };

    // input: the same bytes as the scanner's device, from its start.
    GpxPointRuns(std::unique_ptr<QIODevice> input, long long runBytes);
    ~GpxPointRuns() override;
    GpxPointRuns(const GpxPointRuns&) = delete;
    GpxPointRuns& operator=(const GpxPointRuns&) = delete;

    long long NextStart(long long from) override;
    // The run starting at at, once it is read to its end; empty when none
    // starts there.
    std::optional<Run> Take(long long at);

private:
    class Window;

    void ReadRuns();
    // Reads the first run at or after from, unless the scanner has passed
    // it, within the open stretch or starting one. Gives where to look for
    // the next, -1 at the end of the input.
    long long ReadRunFrom(Window& window, long long from);
    void EndStretch();
    bool Stopping() const { return m_stop.load(std::memory_order_relaxed); }
    void DropRunsBefore(long long offset);

    std::unique_ptr<QIODevice> m_input;
    const long long m_runBytes;
    // The thread's own.
    int m_misses = 0;              // stretches in a row found without a plain point
    long long m_stretchEnd = -1;   // of the open stretch, -1 between stretches
    long long m_stretchPoints = 0; // read in the open stretch

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Run> m_runs;     // read, not yet taken
    long long m_reading = -1;   // the start of the run being read, -1 for none
    long long m_scannerAt = 0;  // where the scanner last asked
    bool m_finished = false;    // no run follows those in m_runs
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
