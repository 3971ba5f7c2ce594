#include "FastScanComparison.h"
#include "FormatSniffer.h"
#include "FuzzFail.h"

// XML track files read by the fast scanner and by expat alone: the two must
// agree in everything, whether the fast scanner read the bytes or declined
// them. The type is found from the content, as opening does.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const TrackFileType type = FormatSniffer::Detect(bytes.left(FormatSniffer::HeadBytes));
    if (!FastScanComparison::Covers(type))
        return 0;
    const FastScanComparison comparison = FastScanComparison::Run(type, bytes);
    if (!comparison.difference.empty())
        FuzzFail("the fast scanner and expat differ (type %d, fast read: %d): %s", type, comparison.fastRead,
                 comparison.difference.c_str());
    return 0;
}
