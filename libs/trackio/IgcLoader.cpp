#include "IgcLoader.h"

#include "FixDateResolver.h"
#include "IgcRecords.h"
#include "LineStreamReader.h"
#include "LoadContext.h"
#include "SpareCapacity.h"
#include "TrackData.h"

#include <vector>

namespace {

// The two altitudes of one point, kept until the file has shown which of
// them the logger really measured.
struct Altitudes
{
    int pressure = 0;
    int gnss = 0;
    bool gnssValid = false;
};

void SetElevations(TrackData& points, const std::vector<Altitudes>& altitudes)
{
    bool anyGnss = false, anyPressure = false;
    for (const Altitudes& a : altitudes) {
        anyGnss = anyGnss || (a.gnssValid && a.gnss != 0);
        anyPressure = anyPressure || a.pressure != 0;
    }
    for (size_t i = 0; i < altitudes.size(); ++i) {
        TrackPoint& point = points.GetTrackPoint(static_cast<int>(i));
        if (anyGnss && altitudes[i].gnssValid)
            point.SetElevation(altitudes[i].gnss);
        else if (!anyGnss && anyPressure)
            point.SetElevation(altitudes[i].pressure);
    }
}

} // namespace

bool IgcLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    int segmentTid = -1;
    TrackData& points = context.AddSegment(context.GetFileTid(), QString(), segmentTid);
    FixDateResolver dates(points);
    std::vector<Altitudes> altitudes;
    IgcRecords::Extensions extensions;
    // The header's date goes with the next fix only; later fixes follow on
    // from it, past midnight too.
    Time pendingDate;
    LineStreamReader reader(device, context);
    std::string_view line;
    while (reader.Next(line)) {
        if (line.empty())
            continue;
        switch (line.front()) {
        case 'H':
            IgcRecords::ReadDate(line, pendingDate);
            break;
        case 'I':
            IgcRecords::ReadExtensions(line, extensions);
            break;
        case 'B': {
            IgcFix fix;
            if (reader.WasCut() || !IgcRecords::ReadFix(line, extensions, fix)) {
                ++m_skipped;
                break;
            }
            TrackPoint point;
            point.Set2D({fix.lon, fix.lat});
            TrackPointGpsParams& gps = point.GetGpsParams();
            if (fix.hasSatellites)
                gps.SetSatCount(fix.satellites);
            if (fix.valid)
                gps.SetFixType(PositionFixType::Fix3D);
            else
                point.GetStatus().SetFilterReason(TrackPointStatus::NoGpsReason);
            points.Append(point);
            altitudes.push_back({fix.pressureAltitude, fix.gnssAltitude, fix.valid});
            dates.AddFix(true, fix.timeOfDay, pendingDate, true);
            pendingDate = Time();
            break;
        }
        default:
            break;
        }
    }
    if (context.IsCancelled() || context.HasFailed())
        return false;
    dates.Finish();
    SetElevations(points, altitudes);
    SpareCapacity::Release(points);
    context.RemoveNodeIfEmpty(segmentTid);
    return true;
}
