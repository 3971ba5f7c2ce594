#include "FuzzSupport.h"

#include "CheckedLoad.h"
#include "FormatSniffer.h"
#include "FuzzFail.h"
#include "LoadManager.h"
#include "TrackLoaderBase.h"


void FuzzOneInput(TrackFileType type, const uint8_t* data, size_t size)
{
    // Borrowed, not copied, so a read past the input's end is caught at once.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (type == TrackFileAll)
        type = FormatSniffer::Detect(bytes.left(FormatSniffer::HeadBytes));
    // A fresh manager per input: a fault then never depends on the input before.
    const LoadManager manager;
    TrackLoaderBase* loader = manager.GetLoaderBase(type);
    if (!loader)
        return;
    const CheckedLoad load = CheckedLoad::Run(*loader, bytes);
    if (load.violation.empty())
        return;
    FuzzFail("broken invariant (type %d, status %d, %lld points): %s\nerror text: %s", type, load.status, load.points,
             load.violation.c_str(), load.error.toStdString().c_str());
}
