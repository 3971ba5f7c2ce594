#include "CheckedLoad.h"
#include "FuzzFail.h"
#include "HeapPeak.h"
#include "LoadManager.h"
#include "LoadMemoryBound.h"
#include "RoundTripCheck.h"

#include <cstdio>
#include <cstdlib>

// One target per readable format (QUORVEL_FUZZ_TYPE): loads the input under
// a heap measure, then saves what it gave in every written format and reads
// each back (QUORVEL_FUZZ_PEAKS set: prints each input's size and peak heap).
// Aborts when loading breaks an invariant, takes more memory than
// the format's bound, or a saved copy loses or changes points.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TrackFileType type = QUORVEL_FUZZ_TYPE;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LoadManager manager;
    HeapPeak::Start();
    const CheckedLoad load = CheckedLoad::Run(*manager.GetLoaderBase(type), bytes);
    const long long peak = static_cast<long long>(HeapPeak::Rise());
    if (!load.violation.empty()) {
        FuzzFail("broken invariant (status %d): %s", load.status, load.violation.c_str());
    }
    const long long bound = LoadMemoryBound::Of(type).For(static_cast<long long>(size));
    // For setting the bounds: every input's size and peak.
    if (std::getenv("QUORVEL_FUZZ_PEAKS"))
        std::fprintf(stderr, "peak %zu %lld\n", size, peak);
    if (peak > bound)
        FuzzFail("loading %zu bytes took %lld bytes of heap at its peak, above the bound %lld", size, peak, bound);
    if (!TrackLoaderI::HasTracks(load.status) || load.points == 0)
        return 0;
    const std::string difference = RoundTripCheck::FirstDifference(*load.tree, *load.data);
    if (!difference.empty()) {
        FuzzFail("a saved copy differs from the loaded file: %s", difference.c_str());
    }
    return 0;
}
