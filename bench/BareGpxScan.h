#pragma once

#include <QString>

// A plain byte scan of a GPX file that pulls the same numbers out of lat, lon,
// ele and time as BareExpatWalk, with no XML parser at all: the floor any
// GPX reader is measured against. Returns the number of points seen.
long long BareGpxScan(const QString& fileName);
