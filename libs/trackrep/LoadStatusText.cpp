#include "LoadStatusText.h"

#include "Translator.h"

QString LoadStatusText(TrackLoaderI::LoadStatus status)
{
    int id = 62226; // "Unknown error."
    switch (status) {
    case TrackLoaderI::Idle:
    case TrackLoaderI::Running:
    case TrackLoaderI::Success:
    case TrackLoaderI::Cancelled: // the user asked for it: nothing to explain
        return {};
    case TrackLoaderI::FileMissing:
        id = 62221;
        break;
    case TrackLoaderI::FileLocked:
        id = 62222;
        break;
    case TrackLoaderI::FormatUnknown:
        id = 62223;
        break;
    case TrackLoaderI::TooLarge:
        id = 62225;
        break;
    case TrackLoaderI::NoTrack:
        id = 62224;
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
