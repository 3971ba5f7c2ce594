#include "LoadManager.h"
#include "OpenTracksTestBench.h"
#include "TimeShift.h"
#include "TrackReverser.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An OziExplorer track whose every point starts a segment of its own, one
// minute apart from 2024-05-01 10:00 UTC.
QByteArray OnePointSegments(int count)
{
    QByteArray text = "OziExplorer Track Point File Version 2.1\r\nWGS 84\r\nAltitude is in Feet\r\nReserved 3\r\n"
                      "0,2,255,Hostile,0,0,2,8421376\r\n"
        + QByteArray::number(count) + "\r\n";
    const double firstDay = 45413.4166666667; // 2024-05-01 10:00 in days since 1899-12-30
    for (int i = 0; i < count; ++i) {
        text += QByteArray::number(47.0 + i * 1e-5, 'f', 6) + ',' + QByteArray::number(8.0 + i * 1e-5, 'f', 6)
            + ",1,1000," + QByteArray::number(firstDay + i / 1440.0, 'f', 10) + ",,\r\n";
    }
    return text;
}

class BulkSegmentRefreshTest : public OpenTracksTest
{
protected:
    int OpenPlt(int segments)
    {
        const QString path = m_dir.filePath(QStringLiteral("many.plt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(OnePointSegments(segments));
        file.close();
        LoadedTrackFile loaded = LoadManager().Load(path);
        EXPECT_EQ(loaded.status, TrackLoaderI::Success) << loaded.error.toStdString();
        return model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path, loaded.type);
    }

    QTemporaryDir m_dir;
};

constexpr int kSegments = 20000;
// Generous for a debug build on a shared machine; one layout pass per
// segment took tens of seconds here.
constexpr qint64 kLimitMs = 5000;

} // namespace

TEST_F(BulkSegmentRefreshTest, TimeShiftOfTwentyThousandSegmentsLaysOutOnce)
{
    const int file = OpenPlt(kSegments);
    ASSERT_EQ(Segments(file).size(), static_cast<size_t>(kSegments));
    const TrackPtr track = model.GetTrack(file);
    QElapsedTimer timer;
    timer.start();
    TimeShift::Apply(track->GetTrackData(), TimeSpan(TimeSpan::Hours, 2.0));
    track->Refresh(false);
    EXPECT_LT(timer.elapsed(), kLimitMs);

    const std::vector<TrackPoint> points = PointsOf(file);
    ASSERT_EQ(points.size(), static_cast<size_t>(kSegments));
    EXPECT_EQ(points.front().GetTime(), Time(2024, 5, 1, 12, 0));
    EXPECT_EQ(points.back().GetTime(), Time(2024, 5, 1, 12, 0) + TimeSpan(TimeSpan::Minutes, kSegments - 1.0));
    // The composite numbers the points of its parts one after another.
    EXPECT_EQ(track->GetPointCount(), kSegments);
    const std::vector<int> segments = Segments(file);
    EXPECT_EQ(model.GetTrack(file)->ConvertIndex(kSegments - 1, segments.back()), 0);
}

TEST_F(BulkSegmentRefreshTest, ReverseOfTwentyThousandSegmentsFinishes)
{
    const int file = OpenPlt(kSegments);
    const int firstSegment = Segments(file).front();
    TrackReverser reverser(model, holder);
    QElapsedTimer timer;
    timer.start();
    reverser.Reverse({file});
    EXPECT_LT(timer.elapsed(), kLimitMs);

    const std::vector<int> segments = Segments(file);
    ASSERT_EQ(segments.size(), static_cast<size_t>(kSegments));
    EXPECT_EQ(segments.back(), firstSegment);
    const std::vector<TrackPoint> points = PointsOf(file);
    EXPECT_NEAR(points.front().GetLat(), 47.0 + (kSegments - 1) * 1e-5, 1e-9);
    EXPECT_EQ(points.front().GetTime(), Time(2024, 5, 1, 10, 0));
    EXPECT_EQ(points.back().GetTime(), Time(2024, 5, 1, 10, 0) + TimeSpan(TimeSpan::Minutes, kSegments - 1.0));
    EXPECT_EQ(model.GetTrack(file)->ConvertIndex(kSegments - 1, firstSegment), 0);
}
