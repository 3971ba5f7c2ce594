#include "PeerOracle.h"

#include "IsoTime.h"
#include "LoadedFile.h"
#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

void ExpectSamePoint(const TrackPoint& point, const QJsonValue& expected, double eleTolerance, const char* which)
{
    SCOPED_TRACE(which);
    const QJsonObject object = expected.toObject();
    EXPECT_NEAR(point.GetLat(), object.value(QStringLiteral("lat")).toDouble(), 1e-6);
    EXPECT_NEAR(point.GetLon(), object.value(QStringLiteral("lon")).toDouble(), 1e-6);
    const QJsonValue ele = object.value(QStringLiteral("ele"));
    EXPECT_EQ(point.HasElevation(), !ele.isNull());
    if (!ele.isNull()) {
        EXPECT_NEAR(point.GetElevation(), ele.toDouble(), eleTolerance);
    }
    const QJsonValue time = object.value(QStringLiteral("time"));
    EXPECT_EQ(IsoTime::Format(point.GetTime()), time.isNull() ? std::string() : time.toString().toStdString());
}

} // namespace

PeerOracle::PeerOracle()
{
    QFile file(PathOf(QStringLiteral("oracle.json")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    m_all = QJsonDocument::fromJson(file.readAll()).object();
}

QStringList PeerOracle::Files(const QString& folder) const
{
    QStringList files;
    for (auto it = m_all.begin(); it != m_all.end(); ++it) {
        if (it.key().startsWith(folder))
            files.append(it.key());
    }
    return files;
}

QJsonObject PeerOracle::Entry(const QString& relativePath) const
{
    return m_all.value(relativePath).toObject();
}

QString PeerOracle::PathOf(const QString& relativePath)
{
    return FixturePath(relativePath);
}

void PeerOracle::ExpectSamePoints(const LoadedFile& file, const QJsonObject& entry, double eleTolerance)
{
    EXPECT_EQ(file.PointCount(), entry.value(QStringLiteral("points")).toInteger());
    long long withTime = 0;
    long long withEle = 0;
    for (const LoadedFile::Segment& segment : file.segments) {
        for (const TrackPoint& point : segment.points->GetPoints()) {
            withTime += point.GetTime().IsNull() ? 0 : 1;
            withEle += point.HasElevation() ? 1 : 0;
        }
    }
    EXPECT_EQ(withTime, entry.value(QStringLiteral("points_with_time")).toInteger());
    EXPECT_EQ(withEle, entry.value(QStringLiteral("points_with_ele")).toInteger());
    if (file.segments.empty() || entry.value(QStringLiteral("first")).isNull()) {
        EXPECT_TRUE(file.segments.empty());
        EXPECT_TRUE(entry.value(QStringLiteral("first")).isNull());
        return;
    }
    ExpectSamePoint(file.First(), entry.value(QStringLiteral("first")), eleTolerance, "first point");
    ExpectSamePoint(file.Last(), entry.value(QStringLiteral("last")), eleTolerance, "last point");
}

std::vector<int> PeerOracle::PointsPerSegment(const QJsonObject& entry)
{
    std::vector<int> counts;
    for (const QJsonValue& value : entry.value(QStringLiteral("points_per_segment")).toArray())
        counts.push_back(value.toInt());
    return counts;
}

const PeerOracle& PeerOracle::Get()
{
    static const PeerOracle oracle;
    return oracle;
}
