#include "ReasonColours.h"

namespace ReasonColours {

QRgb Of(int reasonKey)
{
    switch (reasonKey % 100) {
    case 1: // no GPS
        return 0xFF808080;
    case 2: // accelerations
    case 3:
    case 4:
    case 5:
        return 0xFFFF8C00;
    case 6: // small distance, too close
    case 15:
        return 0xFF1E64FF;
    case 7: // speeds
    case 8:
        return 0xFFE01010;
    case 9: // spikes and jumps
    case 10:
    case 14:
        return 0xFFD000D0;
    case 11: // times
    case 16:
        return 0xFF8B5A00;
    case 12: // removed by the user
        return 0xFF000000;
    case 91: // local inconsistencies
    case 92:
        return 0xFF00A0A0;
    default:
        return 0xFF606060;
    }
}

} // namespace ReasonColours
