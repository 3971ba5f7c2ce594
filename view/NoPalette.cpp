#include "NoPalette.h"

#include "ColorMixerI.h"
#include "StringIds.h"
#include "Translator.h"

QString NoPalette::GetName() const
{
    return Translator::GetInstance().LoadStr(IDS_PALETTE_SEGMENTS);
}
