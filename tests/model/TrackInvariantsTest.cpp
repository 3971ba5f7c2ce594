#include "AppTick.h"
#include "CalcDataGeneralI.h"
#include "CompositeFixture.h"
#include "TimeOrderCheck.h"
#include "TrackTestSupport.h"

#include <random>

#include <gtest/gtest.h>

using namespace tracktest;

// Random edit sequences; after each edit the navigator and the records must
// match the points, as a shadow copy of the points says they are.
namespace {

class Generator
{
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    TrackPoint Point()
    {
        m_lon += std::uniform_real_distribution<double>(-0.0002, 0.001)(m_random);
        m_seconds += Between(1, 20);
        double seconds = m_seconds;
        if (Chance(0.1))
            seconds -= Between(0, 200);
        if (Chance(0.05))
            seconds = NoTime;
        TrackPoint point = PointAt(m_lon, seconds, Between(0, 300));
        point.Set2D({m_lon, std::uniform_real_distribution<double>(-0.0005, 0.0005)(m_random)});
        if (Chance(0.1))
            point.GetStatus().SetFilterReason(7);
        return point;
    }

    std::vector<TrackPoint> Points(int count)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i)
            points.push_back(Point());
        return points;
    }

private:
    std::mt19937 m_random;
    double m_lon = 0;
    double m_seconds = 0;
};

void CheckTimes(std::vector<TrackPoint>& points)
{
    TrackData data(points);
    TimeOrderCheck::Run(data);
    points = data.GetPoints();
}

} // namespace

TEST(TrackInvariants, RandomEditsOnASegment)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Generator gen(seed);
        std::vector<TrackPoint> shadow = gen.Points(gen.Between(0, 40));
        Track track(MakeData(shadow), 1, -1);
        ExpectConsistent(track, shadow, true);
        for (int step = 0; step < 40; ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            const int count = static_cast<int>(shadow.size());
            bool full = false;
            switch (gen.Below(8)) {
            case 0: {
                const int index = gen.Between(-1, count);
                const TrackPoint point = gen.Point();
                track.SetPoint(index, point);
                if (index >= 0 && index < count)
                    shadow[static_cast<size_t>(index)] = point;
                break;
            }
            case 1: {
                const int index = gen.Between(-2, count + 2);
                const std::vector<TrackPoint> points = gen.Points(gen.Between(1, 3));
                track.InsertPoints(index, points);
                shadow.insert(shadow.begin() + std::clamp(index, 0, count), points.begin(), points.end());
                full = true;
                break;
            }
            case 2: {
                const int index = gen.Between(-1, count);
                track.DeletePoint(index);
                if (index >= 0 && index < count)
                    shadow.erase(shadow.begin() + index);
                break;
            }
            case 3: {
                const int index = gen.Between(0, count - 1);
                if (TrackPointStatus* status = track.GetPointStatus(index)) {
                    status->SetFilterReason(12);
                    shadow[static_cast<size_t>(index)].GetStatus().SetFilterReason(12);
                }
                track.Refresh(false);
                full = true;
                break;
            }
            case 4: {
                const bool anyFiltered = std::any_of(shadow.begin(), shadow.end(),
                                                     [](const TrackPoint& p) { return !p.IsValid(); });
                track.RestoreFiltered();
                if (anyFiltered) {
                    for (TrackPoint& point : shadow)
                        point.GetStatus().SetValid();
                    CheckTimes(shadow);
                    full = true;
                }
                break;
            }
            case 5:
                track.DeleteFiltered();
                std::erase_if(shadow, [](const TrackPoint& p) { return !p.IsValid(); });
                full = true;
                break;
            case 6:
                track.Refresh(true);
                CheckTimes(shadow);
                full = true;
                break;
            default:
                AppTick::GetInstance().Raise();
                break;
            }
            ExpectConsistent(track, shadow, full);
            if (testing::Test::HasFatalFailure())
                return;
        }
        AppTick::GetInstance().Raise();
        AppTick::GetInstance().Raise();
        ExpectConsistent(track, shadow, true);
        // Computing afresh from the same points gives the same records.
        const Track fresh(MakeData(shadow), 2, -1);
        for (int i = 0; i < track.GetPointCount(); ++i) {
            CalcTrackParams kept = track.GetCalcData().GetPointParams(i);
            CalcTrackParams again = fresh.GetCalcData().GetPointParams(i);
            if (!shadow[static_cast<size_t>(i)].IsValid())
                kept.DistFromStart = again.DistFromStart = 0;
            EXPECT_EQ(kept, again) << i;
        }
        EXPECT_EQ(track.GetCalcData().GetValidBounds(), fresh.GetCalcData().GetValidBounds());
        EXPECT_EQ(track.GetCalcData().GetMaxAccel(), fresh.GetCalcData().GetMaxAccel());
    }
}

TEST(TrackInvariants, RandomEditsThroughComposites)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Generator gen(seed + 1000);
        CompositeFixture f;
        const std::vector<std::shared_ptr<Track>> segments{f.s0, f.s1, f.s2, f.s3};
        std::vector<std::vector<TrackPoint>> shadow;
        for (const auto& segment : segments) {
            segment->GetTrackDataPtr()->GetPoints() = gen.Points(gen.Between(0, 8));
            segment->Refresh(false);
            shadow.push_back(segment->GetTrackDataPtr()->GetPoints());
        }
        // The segment and local index of a point of the composite, by the
        // shadow's counts; first/last pick the segments the composite spans.
        auto locate = [&shadow](int index, size_t first, size_t last, size_t& segment, int& local) {
            for (segment = first; segment <= last; ++segment) {
                const int count = static_cast<int>(shadow[segment].size());
                if (index >= 0 && index < count) {
                    local = index;
                    return true;
                }
                index -= count;
            }
            return false;
        };
        for (int step = 0; step < 40; ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            const bool throughFolder = gen.Chance(0.3);
            TrackX& composite = throughFolder ? *f.folder : *f.file;
            const size_t first = throughFolder ? 1 : 0;
            const size_t last = throughFolder ? 2 : 3;
            const int count = composite.GetPointCount();
            size_t segment = 0;
            int local = 0;
            switch (gen.Below(6)) {
            case 0: {
                const int index = gen.Between(-1, count);
                const TrackPoint point = gen.Point();
                composite.SetPoint(index, point);
                if (locate(index, first, last, segment, local))
                    shadow[segment][static_cast<size_t>(local)] = point;
                break;
            }
            case 1: {
                const int index = gen.Between(-1, count);
                composite.DeletePoint(index);
                if (locate(index, first, last, segment, local))
                    shadow[segment].erase(shadow[segment].begin() + local);
                break;
            }
            case 2: {
                const int index = gen.Between(0, count + 1);
                const std::vector<TrackPoint> points = gen.Points(gen.Between(1, 2));
                composite.InsertPoints(index, points);
                if (!locate(index, first, last, segment, local)) {
                    segment = last;
                    local = static_cast<int>(shadow[last].size());
                }
                shadow[segment].insert(shadow[segment].begin() + local, points.begin(), points.end());
                break;
            }
            case 3: {
                const int index = gen.Between(0, count - 1);
                if (TrackPointStatus* status = composite.GetPointStatus(index)) {
                    status->SetFilterReason(12);
                    locate(index, first, last, segment, local);
                    shadow[segment][static_cast<size_t>(local)].GetStatus().SetFilterReason(12);
                }
                composite.Refresh(false);
                break;
            }
            case 4:
                composite.DeleteFiltered();
                for (size_t k = first; k <= last; ++k)
                    std::erase_if(shadow[k], [](const TrackPoint& p) { return !p.IsValid(); });
                break;
            default:
                AppTick::GetInstance().Raise();
                break;
            }
            for (size_t k = 0; k < segments.size(); ++k)
                ExpectConsistent(*segments[k], shadow[k], false);
            ExpectCompositeAgrees(*f.file, false);
            ExpectCompositeAgrees(*f.folder, false);
            if (testing::Test::HasFatalFailure())
                return;
        }
        AppTick::GetInstance().Raise();
        AppTick::GetInstance().Raise();
        for (size_t k = 0; k < segments.size(); ++k)
            ExpectConsistent(*segments[k], shadow[k], true);
        ExpectCompositeAgrees(*f.file, true);
        ExpectCompositeAgrees(*f.folder, true);
    }
}
