#include "NmeaExport.h"

#include "NmeaTrackWriter.h"
#include "OpenTracksModel.h"
#include "Track.h"

namespace NmeaExport {

bool Write(const OpenTracksModel& model, const std::vector<int>& segments, const QString& path, int messageSet,
           QString& error)
{
    NmeaTrackWriter writer;
    writer.SetMessageSet(messageSet);
    bool ok = writer.OpenFile(path) == TrackWriterBase::SaveStatus::Success;
    for (const int tid : segments) {
        if (const auto segment = ok ? std::dynamic_pointer_cast<Track>(model.GetTrack(tid)) : nullptr)
            ok = writer.Save(*segment->GetTrackDataPtr()) == TrackWriterBase::SaveStatus::Success;
    }
    ok = writer.Close() == TrackWriterBase::SaveStatus::Success && ok;
    if (!ok)
        error = writer.GetErrorDesc();
    return ok;
}

} // namespace NmeaExport
