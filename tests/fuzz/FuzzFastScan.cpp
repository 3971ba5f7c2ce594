#include "FastScanComparison.h"
#include "FuzzFail.h"

// GPX bytes read by the fast scanner and by expat alone: the two must agree
// in everything, whether the fast scanner read the bytes or declined them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const FastScanComparison comparison = FastScanComparison::Run(bytes);
    if (!comparison.difference.empty())
        FuzzFail("the fast scanner and expat differ (fast read: %d): %s", comparison.fastRead,
                 comparison.difference.c_str());
    return 0;
}
