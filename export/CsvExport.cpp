#include "CsvExport.h"

#include "CsvTrackWriter.h"
#include "OpenTracksModel.h"
#include "PointFields.h"
#include "TrackI.h"
#include "TrackPointEx.h"

namespace CsvExport {

std::vector<std::string> Headers(MeasuringSystem system)
{
    std::vector<std::string> headers;
    for (const PointFieldInfo* field : PointFields::CsvColumns())
        headers.push_back(PointFields::CsvHeader(*field, system).toStdString());
    return headers;
}

bool Write(const OpenTracksModel& model, const std::vector<int>& segments, const QString& path,
           MeasuringSystem system, QString& error)
{
    const std::vector<const PointFieldInfo*>& fields = PointFields::CsvColumns();
    CsvTrackWriter writer;
    bool ok = writer.OpenFile(path) == TrackWriterBase::SaveStatus::Success;
    ok = ok && writer.WriteRow(Headers(system)) == TrackWriterBase::SaveStatus::Success;
    PointFieldContext context;
    context.system = system;
    std::vector<std::string> row(fields.size());
    for (const int tid : segments) {
        const TrackPtr track = model.GetTrack(tid);
        if (!ok || !track || track->GetPointCount() == 0)
            continue;
        TrackPointEx point;
        track->GetPointEx(0, point);
        context.start = point.GetTime();
        for (int i = 0; ok && i < track->GetPointCount(); ++i) {
            track->GetPointEx(i, point);
            // Filtered points are not exported.
            if (!point.IsValid())
                continue;
            for (size_t k = 0; k < fields.size(); ++k) {
                row[k].clear();
                PointFields::AppendCsv(row[k], *fields[k], point, context);
            }
            ok = writer.WriteRow(row) == TrackWriterBase::SaveStatus::Success;
        }
    }
    ok = writer.Close() == TrackWriterBase::SaveStatus::Success && ok;
    if (!ok)
        error = writer.GetErrorDesc();
    return ok;
}

} // namespace CsvExport
