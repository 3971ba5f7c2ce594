#include "LoadStatusText.h"

#include "StringIds.h"
#include "Translator.h"

QString LoadStatusText(TrackLoaderI::LoadStatus status)
{
    int id = IDS_LOAD_UNKNOWN_ERROR;
    switch (status) {
    case TrackLoaderI::Idle:
    case TrackLoaderI::Running:
    case TrackLoaderI::Success:
    case TrackLoaderI::Cancelled: // the user asked for it: nothing to explain
        return {};
    case TrackLoaderI::FileMissing:
        id = IDS_LOAD_FILE_MISSING;
        break;
    case TrackLoaderI::FileLocked:
        id = IDS_LOAD_FILE_LOCKED;
        break;
    case TrackLoaderI::FormatUnknown:
        id = IDS_LOAD_UNKNOWN_FORMAT;
        break;
    case TrackLoaderI::TooLarge:
        id = IDS_LOAD_TOO_LARGE;
        break;
    case TrackLoaderI::NoTrack:
        id = IDS_LOAD_NO_TRACKS;
        break;
    case TrackLoaderI::Damaged:
        id = IDS_LOAD_DAMAGED;
        break;
    case TrackLoaderI::ReadError:
        break;
    }
    return Translator::GetInstance().LoadStr(id);
}

bool IsLoadStatusError(TrackLoaderI::LoadStatus status)
{
    return status == TrackLoaderI::FormatUnknown;
}
