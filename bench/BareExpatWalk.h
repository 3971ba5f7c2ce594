#pragma once

#include <QString>

// The least work a GPX reader can do: expat over the file, numbers out of
// lat, lon, ele and time. The yardstick for the real loader. Returns the
// number of points seen.
long long BareExpatWalk(const QString& fileName);
