#pragma once

#include "TrackPoint.h"

#include <string>
#include <string_view>
#include <vector>

// The coordinate texts of KML geometry, read in place: a <coordinates> text
// of a long LineString can hold hundreds of thousands of tuples.
class KmlCoordinates
{
public:
    struct Error
    {
        // Where in the text the fault starts.
        size_t offset = 0;
        std::string message;
    };

    // The number of white-space separated words: at least the number of
    // tuples in a <coordinates> text, and exactly that in a tidy one.
    static size_t CountWords(std::string_view text);

    // Appends the points of a <coordinates> text: "lon,lat[,alt]" tuples
    // separated by white space. Real files also put white space around the
    // commas ("lon, lat, alt"), end tuples with a comma or separate them by
    // one after three numbers; all of that is read. A tuple without
    // altitude gives a point without elevation. False, with the position and
    // reason, on anything else.
    static bool ReadTuples(std::string_view text, std::vector<TrackPoint>& points, Error& error);

    // One <gx:coord>: "lon lat [alt]". An empty text is no point (present
    // false, no error).
    static bool ReadCoord(std::string_view text, TrackPoint& point, bool& present, Error& error);

private:
    static bool MakePoint(const double* values, int count, TrackPoint& point);
};
