#include "TrackFileSummary.h"

#include "IsoTime.h"
#include "LoadStatusText.h"
#include "TrackTreeAlg.h"

#include <QJsonArray>

namespace {

QJsonValue PointJson(const TrackPoint& point)
{
    QJsonObject json;
    json[QStringLiteral("lat")] = point.GetLat();
    json[QStringLiteral("lon")] = point.GetLon();
    json[QStringLiteral("ele")] = point.HasElevation() ? QJsonValue(point.GetElevation()) : QJsonValue();
    json[QStringLiteral("time")] = point.GetTime().IsNull()
        ? QJsonValue()
        : QJsonValue(QString::fromStdString(IsoTime::Format(point.GetTime())));
    return json;
}

} // namespace

QJsonObject SummariseTrackFile(const QString& fileName, const LoadedTrackFile& loaded)
{
    QJsonObject json;
    json[QStringLiteral("file")] = fileName;
    json[QStringLiteral("type")] = static_cast<int>(loaded.type);
    json[QStringLiteral("status")] = static_cast<int>(loaded.status);
    json[QStringLiteral("status_text")] = LoadStatusText(loaded.status);
    json[QStringLiteral("error")] = loaded.error;

    const TrackTreeAlg alg(loaded.tree.GetReader().get());
    std::vector<int> segments;
    std::vector<int> folders;
    if (loaded.fileTid != -1) {
        alg.GetSubsegmentIds(loaded.fileTid, segments);
        alg.GetFolderIds({loaded.fileTid}, folders);
    }
    QJsonArray perSegment;
    long long points = 0, withTime = 0, withEle = 0, filtered = 0;
    const TrackPoint* first = nullptr;
    const TrackPoint* last = nullptr;
    for (const int tid : segments) {
        const TrackDataPtr data = loaded.data->Get(tid);
        const int count = data ? data->GetPointCount() : 0;
        perSegment.append(count);
        for (int i = 0; i < count; ++i) {
            const TrackPoint& p = data->GetTrackPoint(i);
            withTime += p.GetTime().IsNull() ? 0 : 1;
            withEle += p.HasElevation() ? 1 : 0;
            filtered += p.IsValid() ? 0 : 1;
            if (!first)
                first = &p;
            last = &p;
        }
        points += count;
    }
    json[QStringLiteral("folders")] = static_cast<int>(folders.size());
    json[QStringLiteral("segments")] = static_cast<int>(segments.size());
    json[QStringLiteral("points")] = points;
    json[QStringLiteral("points_per_segment")] = perSegment;
    json[QStringLiteral("points_with_time")] = withTime;
    json[QStringLiteral("points_with_ele")] = withEle;
    json[QStringLiteral("filtered")] = filtered;
    json[QStringLiteral("first")] = first ? PointJson(*first) : QJsonValue();
    json[QStringLiteral("last")] = last ? PointJson(*last) : QJsonValue();
    return json;
}
