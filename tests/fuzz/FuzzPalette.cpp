#include "FuzzFail.h"
#include "FuzzInputFile.h"
#include "Palette.h"
#include "RangeColorMixer.h"

#include <limits>

// A palette file as the legend and the track colouring use it: loaded, its
// colour table asked for values inside, outside and beyond its range.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Palette palette;
    QString error;
    if (!palette.Load(FuzzInputFile(data, size, QStringLiteral(".xml")), error)) {
        if (error.isEmpty())
            FuzzFail("palette: refused without a reason");
        return 0;
    }
    if (palette.GetParameter() == PaletteParameter::Unknown)
        FuzzFail("palette: loaded with an unknown parameter");
    const auto mixer = std::dynamic_pointer_cast<const RangeColorMixer>(palette.GetMixer());
    if (!mixer)
        FuzzFail("palette: loaded without a colour scale");
    // The table is capped so that a fine step cannot fill the memory.
    if (mixer->GetTable().size() > 1'000'002)
        FuzzFail("palette: colour table beyond its cap");
    const double min = mixer->GetMin();
    const double max = mixer->GetMax();
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (const double value : {min, max, (min + max) / 2, min - 1, max + 1, -inf, inf,
                               std::numeric_limits<double>::quiet_NaN()})
        (void)mixer->GetColor(value);
    return 0;
}
