#pragma once

#include <QString>

#include <cstdint>

// File sizes for people: binary multiples with IEC names, as Qt desktops
// show them ("812 B", "1.5 KiB", "23.4 MiB").
class BytesDisp
{
public:
    // decimals applies from KiB on (-1: one decimal); bytes are whole.
    static QString GetBytesString(int64_t bytes, int decimals = -1);
};
