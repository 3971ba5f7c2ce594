#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long long StatusFieldBytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::stoll(line.substr(prefix.size())) * 1024; // the kernel writes kB
    }
    return -1;
}

} // namespace

void PrintFigure(const std::string& name, double value, const std::string& unit)
{
    std::printf("figure %s %.6g %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

long long CurrentRssBytes()
{
    return StatusFieldBytes("VmRSS");
}

long long PeakRssBytes()
{
    return StatusFieldBytes("VmHWM");
}

void ResetPeakRss()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
