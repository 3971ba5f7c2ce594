#pragma once

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

// Prints one measured figure in the form the notes quote.
void PrintFigure(const std::string& name, double value, const std::string& unit);

// The middle of several timings: one slow run (a page fault, another
// process) does not move it.
double Median(std::vector<double> values);

// Resident memory of this process, and its peak since the last reset
// (Linux: /proc/self/status, reset through /proc/self/clear_refs).
long long CurrentRssBytes();
long long PeakRssBytes();
void ResetPeakRss();

class Stopwatch
{
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// Processor time of the whole process (every thread), which a loaded machine
// inflates far less than clock time.
class CpuStopwatch
{
public:
    CpuStopwatch() : m_start(Now()) {}
    double Seconds() const { return Now() - m_start; }

private:
    static double Now()
    {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }

    double m_start;
};
