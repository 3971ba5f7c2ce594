#include "RoundTripCheck.h"

#include "CheckedLoad.h"
#include "DocumentSaver.h"
#include "LoadManager.h"
#include "SaveManager.h"
#include "TrackTree.h"
#include "XmlBufferWriter.h"

#include <QBuffer>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

const std::pair<TrackFileType, const char*> kWrittenFormats[] = {
    {TrackFileGpx, "GPX"}, {TrackFileKml, "KML"}, {TrackFileTcx, "TCX"}, {TrackFileGeoJson, "GeoJSON"}};

// What every written format holds of a point; a time no format can write
// counts as none, and longitude 180 as -180, the same meridian, as GPX
// writes it.
using Fix = std::tuple<double, double, bool, double, bool, long long>;

Fix FixOf(const TrackPoint& point)
{
    const bool timed = XmlBufferWriter::CanWriteTime(point.GetTime());
    const double lon = point.GetLon() == 180.0 ? -180.0 : point.GetLon();
    return {lon,
            point.GetLat(),
            point.HasElevation(),
            point.HasElevation() ? point.GetElevation() : 0.0,
            timed,
            timed ? point.GetTime().GetMicroseconds() : 0};
}

void CollectFixes(const TrackTreeReaderI& tree, const TrackDataSetI& data, int tid, std::vector<Fix>& fixes)
{
    if (const TrackDataPtr segment = data.Get(tid)) {
        for (const TrackPoint& point : segment->GetPoints())
            fixes.push_back(FixOf(point));
    }
    for (const int child : tree.GetChildren(tid))
        CollectFixes(tree, data, child, fixes);
}

std::vector<Fix> SortedFixes(const TrackTreeReaderI& tree, const TrackDataSetI& data, int fileTid)
{
    std::vector<Fix> fixes;
    CollectFixes(tree, data, fileTid, fixes);
    std::sort(fixes.begin(), fixes.end());
    return fixes;
}

std::string Describe(const Fix& fix)
{
    const auto& [lon, lat, hasElevation, elevation, timed, micros] = fix;
    std::string text = "lon " + std::to_string(lon) + " lat " + std::to_string(lat);
    if (hasElevation)
        text += " ele " + std::to_string(elevation);
    if (timed)
        text += " time " + std::to_string(micros) + " us";
    return text;
}

std::string Compare(const std::vector<Fix>& written, const std::vector<Fix>& read)
{
    if (written.size() != read.size())
        return std::to_string(written.size()) + " points written, " + std::to_string(read.size()) + " read back";
    const auto [wrote, got] = std::mismatch(written.begin(), written.end(), read.begin());
    if (wrote == written.end())
        return {};
    return "point written as " + Describe(*wrote) + " read back as " + Describe(*got);
}

// The document in memory, or why it was not written.
std::string Save(TrackFileType type, const TrackTreeReaderI& tree, int fileTid, const TrackDataSetI& data,
                 QByteArray& text)
{
    const SaveManager savers;
    auto* saver = dynamic_cast<DocumentSaver*>(savers.GetTrackSaver(type));
    if (!saver)
        return "no document saver";
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    if (saver->Write(buffer, tree, fileTid, data) != TrackSaverI::Success)
        return "not written: " + saver->GetErrorDesc().toStdString();
    return {};
}

} // namespace

std::string RoundTripCheck::FirstDifference(const TrackTree& tree, const TrackDataSetI& data)
{
    const TrackTreeReaderPtr reader = tree.GetReader();
    const std::vector<int> files = reader->GetChildren(-1);
    if (files.size() != 1)
        return "not one file node to save";
    const std::vector<Fix> written = SortedFixes(*reader, data, files.front());
    const LoadManager loaders;
    for (const auto& [type, name] : kWrittenFormats) {
        QByteArray text;
        std::string fault = Save(type, *reader, files.front(), data, text);
        if (fault.empty()) {
            const CheckedLoad copy = CheckedLoad::Run(*loaders.GetLoaderBase(type), text);
            if (!copy.violation.empty())
                fault = "read back breaking an invariant: " + copy.violation;
            else if (copy.status != TrackLoaderI::Success)
                fault = "read back with status " + std::to_string(copy.status) + ": " + copy.error.toStdString();
            else
                fault = Compare(written, SortedFixes(*copy.tree->GetReader(), *copy.data,
                                                     copy.tree->GetReader()->GetChildren(-1).front()));
        }
        if (!fault.empty())
            return std::string(name) + ": " + fault;
    }
    return {};
}
