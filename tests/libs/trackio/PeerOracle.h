#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

struct LoadedFile;

// oracle.json next to the peer fixtures: what an independent reader found in
// each file.
class PeerOracle
{
public:
    PeerOracle();
    // One copy for a whole test program: the file is read once.
    static const PeerOracle& Get();

    // Paths relative to the fixtures folder, under folder ("tcx/", "kml/").
    QStringList Files(const QString& folder) const;
    QJsonObject Entry(const QString& relativePath) const;
    // Full path; a missing file fails the test at once (see FixturePath).
    static QString PathOf(const QString& relativePath);

    // Same number of points, of points with time and with elevation, and the
    // same first and last point (lat/lon within 1e-6 degrees, elevation
    // within eleTolerance metres, the same UTC time).
    static void ExpectSamePoints(const LoadedFile& file, const QJsonObject& entry, double eleTolerance);
    // The entry's points of each segment, in order.
    static std::vector<int> PointsPerSegment(const QJsonObject& entry);

private:
    QJsonObject m_all;
};
