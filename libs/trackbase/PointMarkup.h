#pragma once

#include <string_view>

// What a file said about one point beyond the values we model, as GPX 1.1
// markup in three pieces that go to three places among the point's
// children: fields (magvar to type), between time and fix; dgps
// (ageofdgpsdata, dgpsid), after pdop; extensions, the children of its
// extensions element that we do not write ourselves.
struct PointMarkup
{
    std::string_view fields;
    std::string_view dgps;
    std::string_view extensions;
};
