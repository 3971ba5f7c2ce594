#pragma once

#include "OpenTracks.h"
#include "OpenTracksTestBench.h"
#include "OptUnits.h"
#include "TrackPoint.h"
#include "TrackTreeAlg.h"

#include <gtest/gtest.h>

#include <vector>

// The program's own open files (OpenTracks::Get()), as its commands and
// panes see them, for tests of those: files laid on the equator so that
// distances are easy to lay out, metric units, the remembered choices of
// the time and frequency commands cleared, and a count of the
// announcements that points changed. Every file is closed after the test.
class AppTracksFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    static OpenTracksModel& Model() { return OpenTracks::Get().model; }
    static TracksStateHolderImpl& Holder() { return OpenTracks::Get().holder; }

    // Degrees of longitude on the equator that the program measures as a metre.
    static double LonPerMeter();
    // A point that many metres east of 0°, 100 m up.
    static TrackPoint At(double meters, const Time& time);

    // An open file "walk" with one segment per list of points; the file's
    // times are checked as when it is opened.
    static int AddFile(const std::vector<std::vector<TrackPoint>>& segments);
    static std::vector<int> Segments(int tid) { return SegmentsOf(Model(), tid); }
    // Every point beneath tid, in order, as its track gives them.
    static std::vector<TrackPoint> PointsOf(int tid);
    static bool IsModified(int file) { return Model().GetFileAttr(file)->modified; }

    int m_announced = 0;

private:
    boost::signals2::scoped_connection m_changes;
};
