#pragma once

#include <QString>

// The least work a FIT reader can do: the file read whole, message headers
// and definitions followed, latitude and longitude read out of every record
// message. No checksum, no decoding of anything else. The yardstick for the
// real loader. Returns the number of records with a position.
long long BareFitWalk(const QString& fileName);
