#include "CsvExport.h"

#include "CsvTrackWriter.h"
#include "ExportFieldNames.h"
#include "OpenTracksModel.h"
#include "PointFieldsId.h"
#include "TrackI.h"
#include "TrackPointEx.h"
#include "UnitsDisp.h"

namespace CsvExport {

namespace {

QString UnitOf(int field, MeasuringSystem system)
{
    switch (field) {
    case PointFieldLegLength:
    case PointFieldElevation:
        return UnitsDisp::GetUnitNotation(UnitsConv::GetSmallDistUnits(system));
    case PointFieldSpeed:
    case PointFieldGpsSpeed:
        return UnitsDisp::GetUnitNotation(UnitsConv::GetSpeedUnits(system));
    case PointFieldAccel:
    case PointFieldAccelVector:
    case PointFieldAccelTang:
    case PointFieldAccelRadial:
        return UnitsDisp::GetUnitNotation(UnitsConv::GetAccelUnits(system));
    case PointFieldFromStart:
        return UnitsDisp::GetUnitNotation(UnitsConv::GetLargeDistUnits(system));
    default:
        return {};
    }
}

} // namespace

const std::vector<int>& FieldOrder()
{
    static const std::vector<int> order{3, 13, 14, 15, 5, 11, 4, 17, 16, 21, 22, 23, 6, 12, 18, 19, 20};
    return order;
}

std::vector<std::string> Headers(MeasuringSystem system)
{
    std::vector<std::string> headers;
    for (const int field : FieldOrder()) {
        QString header = ExportFieldName(field);
        const QString unit = UnitOf(field, system);
        if (!header.isEmpty() && !unit.isEmpty())
            header += QStringLiteral(" (") + unit + QLatin1Char(')');
        headers.push_back(header.toStdString());
    }
    return headers;
}

bool Write(const OpenTracksModel& model, const std::vector<int>& segments, const QString& path,
           MeasuringSystem system, QString& error)
{
    CsvTrackWriter writer;
    writer.SetFieldOrder(FieldOrder());
    writer.SetMeasuringSystem(system);
    bool ok = writer.OpenFile(path) == TrackWriterBase::SaveStatus::Success;
    ok = ok && writer.WriteHeader(Headers(system)) == TrackWriterBase::SaveStatus::Success;
    for (const int tid : segments) {
        const TrackPtr track = model.GetTrack(tid);
        if (!ok || !track || track->GetPointCount() == 0)
            continue;
        TrackPointEx point;
        track->GetPointEx(0, point);
        writer.SetStartTime(point.GetTime());
        for (int i = 0; ok && i < track->GetPointCount(); ++i) {
            track->GetPointEx(i, point);
            // Filtered points are not exported.
            if (point.IsValid())
                ok = writer.WritePoint(point) == TrackWriterBase::SaveStatus::Success;
        }
    }
    ok = writer.Close() == TrackWriterBase::SaveStatus::Success && ok;
    if (!ok)
        error = writer.GetErrorDesc();
    return ok;
}

} // namespace CsvExport
