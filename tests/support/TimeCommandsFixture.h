#pragma once

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "RegistryKey.h"
#include "TrackData.h"
#include "TrackPtNavI.h"
#include "TrackPointMethods.h"
#include "TrackTree.h"
#include "TrackTreeAlg.h"

#include <gtest/gtest.h>

#include <vector>

// Open files for the time and frequency commands, on the equator so that
// distances are easy to lay out, and a count of the announcements that
// points changed.
class TimeCommandsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        for (const char* section : {"Settings\\FilterTimeSet", "Settings\\IncreaseFrequency"})
            RegistryKey(QString::fromLatin1(section)).ClearSection();
        m_changes = GEventManagerImpl::GetInstance().Subscribe(
            GEventFilter{GEventKind::PointsChanged}, [this] { ++m_announced; }, GEventGroup::Views);
    }

    void TearDown() override { Model().Remove(Model().GetFileTids()); }

    static OpenTracksModel& Model() { return OpenTracks::Get().model; }
    static TracksStateHolderImpl& Holder() { return OpenTracks::Get().holder; }

    // Degrees of longitude on the equator that the program measures as a metre.
    static double LonPerMeter()
    {
        return 0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000);
    }

    static TrackPoint At(double meters, const Time& time)
    {
        return TrackPoint({meters * LonPerMeter(), 0.0, 100.0}, time);
    }

    // An open file with one segment per list of points; the file's times
    // are checked as when it is opened.
    static int AddFile(const std::vector<std::vector<TrackPoint>>& segments)
    {
        TrackTree tree;
        const int file = tree.GetCreator()->AddFile(QStringLiteral("walk"), QStringLiteral("/tmp/walk.gpx"), TrackFileGpx);
        TrackDataSetImpl data;
        for (const std::vector<TrackPoint>& points : segments)
            data.Add(tree.GetCreator()->AddSegment(file, QString()), std::make_shared<TrackData>(points));
        return Model().AddOpenedFile(*tree.GetReader(), file, data, QStringLiteral("/tmp/walk.gpx"), TrackFileGpx);
    }

    static std::vector<int> Segments(int tid)
    {
        std::vector<int> out;
        TrackTreeAlg(Model().GetReader().get()).GetSubsegmentIds(tid, out);
        return out;
    }

    // Every point beneath tid, in order.
    static std::vector<TrackPoint> PointsOf(int tid)
    {
        const TrackPtr track = Model().GetTrack(tid);
        std::vector<TrackPoint> points(static_cast<size_t>(track->GetPointCount()));
        for (int i = 0; i < track->GetPointCount(); ++i)
            track->GetPoint(i, points[static_cast<size_t>(i)]);
        return points;
    }

    static bool IsModified(int file) { return Model().GetFileAttr(file)->modified; }

    int m_announced = 0;

private:
    boost::signals2::scoped_connection m_changes;
};
