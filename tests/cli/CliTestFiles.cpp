#include "CliTestFiles.h"

#include "GpxBuilder.h"
#include "IsoTime.h"
#include "LoadManager.h"
#include "TrackPointMethods.h"
#include "TrackTreeAlg.h"

#include <QDir>
#include <QProcess>

double LonPerMeter()
{
    return 0.01 / (TrackPointMethods::GetRoughDist(TrackPointBase({0, 0, 0}), TrackPointBase({0.01, 0, 0})) * 1000);
}

QString WriteGpx(const QString& dir, const std::vector<GpxPoint>& points)
{
    GpxBuilder gpx;
    for (const GpxPoint& point : points)
        gpx.Add(0.0, point.meters * LonPerMeter(), point.time);
    return gpx.Write(QDir(dir).filePath(QStringLiteral("in.gpx")));
}

std::vector<TrackPoint> ReadPoints(const QString& path)
{
    const LoadedTrackFile loaded = LoadManager().Load(path);
    EXPECT_EQ(loaded.status, TrackLoaderI::Success) << path.toStdString();
    std::vector<int> segments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, segments);
    std::vector<TrackPoint> points;
    for (int tid : segments) {
        const std::vector<TrackPoint>& part = loaded.data->Get(tid)->GetPoints();
        points.insert(points.end(), part.begin(), part.end());
    }
    return points;
}

Time Iso(const char* text)
{
    return IsoTime::Parse(text);
}

double SecondsBetween(const Time& a, const Time& b)
{
    return (b - a).GetInSeconds();
}

Outcome RunTool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUORVEL_TRACK_PROGRAM), args);
    // A tool still running after a minute is a failure, never an exit 0.
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return {-1, QString(), QStringLiteral("the tool did not finish within a minute")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString CliFileTest::Out() const
{
    return QDir(m_dir).filePath(QStringLiteral("out.gpx"));
}
