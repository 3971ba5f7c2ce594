#include "AppTracksFixture.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "RegistryKey.h"
#include "TrackPointMethods.h"
#include "TrackTestSupport.h"

void AppTracksFixture::SetUp()
{
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
    for (const char* section : {"Settings\\FilterTimeSet", "Settings\\IncreaseFrequency"})
        RegistryKey(QString::fromLatin1(section)).ClearSection();
    m_changes = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{GEventKind::PointsChanged}, [this] { ++m_announced; }, GEventGroup::Views);
}

void AppTracksFixture::TearDown()
{
    Model().Remove(Model().GetFileTids());
}

double AppTracksFixture::LonPerMeter()
{
    return 0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000);
}

TrackPoint AppTracksFixture::At(double meters, const Time& time)
{
    return TrackPoint({meters * LonPerMeter(), 0.0, 100.0}, time);
}

int AppTracksFixture::AddFile(const std::vector<std::vector<TrackPoint>>& segments)
{
    SourceTree source(QStringLiteral("walk"));
    for (const std::vector<TrackPoint>& points : segments)
        source.Segment(source.file, points);
    return OpenSource(Model(), source);
}

std::vector<TrackPoint> AppTracksFixture::PointsOf(int tid)
{
    return tracktest::PointsOf(*Model().GetTrack(tid));
}
