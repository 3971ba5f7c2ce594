// Times undoing and redoing the heaviest edits on one large track against
// the edits themselves, each recorded as a user's edit is: a filter by
// value, the spike filter and a restructure of the file. Prints the ratios
// of undo (and redo) time to the edit's time, and the memory a filter's
// step keeps per point it changed.
// usage: bench_undo [POINTS] [REPEATS]

#include "BenchOpenRide.h"
#include "BenchRide.h"
#include "BenchSupport.h"
#include "FilterManager.h"
#include "GEventManagerImpl.h"
#include "OpenTracksModel.h"
#include "ParameterFilterImpl.h"
#include "SpikeFilter.h"
#include "StringIds.h"
#include "Track.h"
#include "TrackRestructure.h"
#include "TrackTreeAlg.h"
#include "UndoHistory.h"
#include "UndoScope.h"

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// The ride with every 400th point thrown 300 m off the road, and a
// ten-minute pause every 20,000 points, so that each edit has work to do.
std::vector<TrackPoint> MakeBenchRide(int count)
{
    std::vector<TrackPoint> points = MakeRide(count);
    TimeSpan pause;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i % 20000 == 0 && i > 0)
            pause += TimeSpan(TimeSpan::Minutes, 10);
        points[i].SetTime(points[i].GetTime() + pause);
        if (i % 400 == 200)
            points[i].Set2D({points[i].GetLon(), points[i].GetLat() + 300.0 / 111320.0});
    }
    return points;
}

// One model holding the ride as an opened file, with its own history.
struct OpenRide
{
    explicit OpenRide(const std::vector<TrackPoint>& points)
    {
        model.SetUndoHistory(&history);
        file = OpenRideAsFile(model, points);
    }
    ~OpenRide() { model.SetUndoHistory(nullptr); }

    TrackPtr Segment() const
    {
        std::vector<int> segments;
        TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(file, segments);
        return model.GetTrack(segments.front());
    }

    std::vector<TrackPointStatus> Statuses() const
    {
        const auto segment = std::static_pointer_cast<Track>(Segment());
        std::vector<TrackPointStatus> statuses;
        for (const TrackPoint& point : segment->GetTrackDataPtr()->GetPoints())
            statuses.push_back(point.GetStatus());
        return statuses;
    }

    GEventManagerImpl events;
    OpenTracksModel model{events};
    UndoHistory history{model, events};
    int file = -1;
};

struct Ratios
{
    std::vector<double> undo, redo;
};

// Runs the edit once as a step, then undoes and redoes it; returns the
// changed points of the edit.
size_t Measure(const std::vector<TrackPoint>& points, int nameId, FileSnapshot::Depth depth,
               const std::function<void(OpenRide&)>& edit, Ratios& ratios, double* bytesPerPoint = nullptr)
{
    OpenRide ride(points);
    const std::vector<TrackPointStatus> before = ride.Statuses();
    const Stopwatch editing;
    {
        const UndoScope step(ride.model, nameId, depth);
        edit(ride);
    }
    const double editSeconds = editing.Seconds();
    size_t changed = 0;
    if (depth == FileSnapshot::Depth::Statuses) {
        const std::vector<TrackPointStatus> after = ride.Statuses();
        for (size_t i = 0; i < after.size(); ++i)
            changed += after[i] == before[i] ? 0 : 1;
        if (bytesPerPoint)
            *bytesPerPoint = static_cast<double>(ride.history.GetBytes()) / static_cast<double>(changed);
    }
    const Stopwatch undoing;
    ride.history.Undo();
    ratios.undo.push_back(undoing.Seconds() / editSeconds);
    const Stopwatch redoing;
    ride.history.Redo();
    ratios.redo.push_back(redoing.Seconds() / editSeconds);
    return changed;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::vector<TrackPoint> points = MakeBenchRide(count);

    Ratios value, spikes, restructure;
    std::vector<double> bytes;
    size_t valueChanged = 0;
    size_t spikesChanged = 0;
    for (int run = 0; run < repeats; ++run) {
        double perPoint = 0;
        valueChanged = Measure(
            points, IDS_UNDO_FILTER_VALUE, FileSnapshot::Depth::Statuses,
            [](OpenRide& ride) {
                auto rules = std::make_shared<ParameterFilterImpl>();
                rules->Add(ParameterFilterImpl::KindHighSpeed, 7, 6.5);
                FilterManager::ApplyFilter([rules](const TrackI& track) { return rules->Apply(track); },
                                           ride.Segment());
            },
            value, &perPoint);
        bytes.push_back(perPoint);
        spikesChanged = Measure(
            points, IDS_UNDO_FILTER_SPIKES, FileSnapshot::Depth::Statuses,
            [](OpenRide& ride) { SpikeFilter().Apply(*ride.Segment()); }, spikes);
        Measure(
            points, IDS_UNDO_RESTRUCTURE, FileSnapshot::Depth::Points,
            [](OpenRide& ride) { TrackRestructure(ride.model).RestructureFile(ride.file, RestructureParams{}); },
            restructure);
    }
    PrintFigure("undo_points", count, "points");
    PrintFigure("undo_value_filter_changed", static_cast<double>(valueChanged), "points");
    PrintFigure("undo_spike_filter_changed", static_cast<double>(spikesChanged), "points");
    PrintFigure("undo_value_filter_ratio", Median(value.undo), "x");
    PrintFigure("redo_value_filter_ratio", Median(value.redo), "x");
    PrintFigure("undo_spike_filter_ratio", Median(spikes.undo), "x");
    PrintFigure("redo_spike_filter_ratio", Median(spikes.redo), "x");
    PrintFigure("undo_restructure_ratio", Median(restructure.undo), "x");
    PrintFigure("redo_restructure_ratio", Median(restructure.redo), "x");
    PrintFigure("undo_bytes_per_changed_point", Median(bytes), "bytes");
    return 0;
}
