#include "CheckedLoad.h"

#include "IsoTime.h"
#include "TrackLoaderBase.h"
#include "TrackTree.h"

#include <QBuffer>

#include <cmath>

namespace {

bool IsFinite(double value)
{
    return std::isfinite(value);
}

// Empty when the point could be shown and saved as it is.
std::string CheckPoint(const TrackPoint& point)
{
    if (!IsFinite(point.GetLon()) || !IsFinite(point.GetLat()) || !IsFinite(point.GetElevation()))
        return "a coordinate is not finite";
    if (std::abs(point.GetLon()) > 180.0 || std::abs(point.GetLat()) > 90.0)
        return "a position is out of range";
    if (!point.GetTime().IsNull() && IsoTime::Format(point.GetTime()).empty())
        return "a time does not format";
    const TrackPointGpsParams& gps = point.GetGpsParams();
    const bool gpsFinite = (!gps.HasHdop() || IsFinite(gps.GetHdop())) && (!gps.HasVdop() || IsFinite(gps.GetVdop()))
        && (!gps.HasPdop() || IsFinite(gps.GetPdop())) && (!gps.HasGpsSpeed() || IsFinite(gps.GetGpsSpeed()))
        && (!gps.HasGpsAzimuth() || IsFinite(gps.GetGpsAzimuth()))
        && (!gps.HasTemperature() || IsFinite(gps.GetTemperature()));
    return gpsFinite ? std::string() : "a receiver value is not finite";
}

// Walks the tree below tid; counts points and segments met.
std::string CheckNodes(const TrackTreeReaderI& tree, const TrackDataSetI& data, int tid, bool success,
                       long long& points, size_t& segments)
{
    for (const int child : tree.GetChildren(tid)) {
        const TrackInfo::Node* node = tree.GetNode(child);
        if (!node)
            return "a child tid names no node";
        if (node->GetKind() == TrackInfo::KindFile)
            return "a file node below the file";
        if (node->GetKind() == TrackInfo::KindFolder) {
            const std::string inner = CheckNodes(tree, data, child, success, points, segments);
            if (!inner.empty())
                return inner;
            continue;
        }
        ++segments;
        const TrackDataPtr array = data.Get(child);
        if (!array)
            return "a segment without a point array";
        if (success && array->GetPointCount() == 0)
            return "an empty segment in a loaded file";
        for (const TrackPoint& point : array->GetPoints()) {
            const std::string fault = CheckPoint(point);
            if (!fault.empty())
                return fault;
        }
        points += array->GetPointCount();
    }
    return {};
}

std::string CheckOutcome(const CheckedLoad& load, int progressStatus, const TrackTreeReaderI& tree,
                         const TrackDataSetI& data, long long& points)
{
    if (load.status != TrackLoaderI::Success && load.status != TrackLoaderI::NoTrack
        && load.status != TrackLoaderI::ReadError && load.status != TrackLoaderI::Damaged)
        return "status " + std::to_string(load.status) + " after reading memory without cancel";
    if (progressStatus != load.status)
        return "the progress object holds another status";
    if (load.status == TrackLoaderI::ReadError && load.error.trimmed().isEmpty())
        return "a read error without a message";
    if (load.status == TrackLoaderI::Damaged && load.error.trimmed().isEmpty())
        return "damage without a message";
    // A failed load's tree is thrown away: only its status and message count.
    if (load.status == TrackLoaderI::ReadError)
        return {};
    if (tree.GetFileCount() != 1 || tree.GetChildren(-1).size() != 1)
        return "not exactly one file node";
    size_t segments = 0;
    const std::string fault = CheckNodes(tree, data, tree.GetChildren(-1).front(),
                                         TrackLoaderI::HasTracks(load.status), points, segments);
    if (!fault.empty())
        return fault;
    if (data.GetAll().size() != segments)
        return "point arrays that belong to no segment";
    if (TrackLoaderI::HasTracks(load.status) && points == 0)
        return "tracks kept without a point";
    if (load.status == TrackLoaderI::NoTrack && points != 0)
        return "no track reported for a file with points";
    return {};
}

} // namespace

CheckedLoad CheckedLoad::Run(TrackLoaderBase& loader, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    CheckedLoad load;
    load.tree = std::make_shared<TrackTree>();
    load.data = std::make_shared<TrackDataSetImpl>();
    OperationProgress progress;
    load.status = loader.Read(device, QStringLiteral("input"), *load.tree->GetCreator(), *load.data, progress);
    load.error = loader.GetErrorDesc();
    load.violation = CheckOutcome(load, progress.GetStatus(), *load.tree->GetReader(), *load.data, load.points);
    return load;
}
