#include "LocalTestRecords.h"

namespace localtest {

namespace {
constexpr double MetresPerDegree = LocalRecord::KmPerDegree * 1000.0;
} // namespace

LocalRecord Rec(double east, double north, double seconds, int index)
{
    LocalRecord record;
    record.lon = east / MetresPerDegree;
    record.lat = north / MetresPerDegree;
    record.seconds = seconds;
    record.index = index;
    return record;
}

std::vector<LocalRecord> Line(int count, double step)
{
    std::vector<LocalRecord> records;
    for (int i = 0; i < count; ++i)
        records.push_back(Rec(0, i * step, i * step, i));
    return records;
}

double Metres(const LocalRecord& a, const LocalRecord& b)
{
    return LocalRecord::DistanceKm(a, b) * 1000.0;
}

} // namespace localtest
