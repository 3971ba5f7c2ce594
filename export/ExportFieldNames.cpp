#include "ExportFieldNames.h"

#include "Translator.h"

#include <array>

QString ExportFieldName(int field)
{
    // String ids by field number.
    static constexpr std::array<int, 24> Names{62650, 62652, 62660, 62664, 62653, 62654, 62667, 62655,
                                               62656, 62657, 62658, 62659, 62668, 62661, 62662, 62663,
                                               62666, 62665, 62669, 62670, 62671, 62672, 62673, 62674};
    if (field < 0 || field >= static_cast<int>(Names.size()))
        return {};
    return Translator::GetInstance().LoadStr(Names[static_cast<size_t>(field)]);
}
