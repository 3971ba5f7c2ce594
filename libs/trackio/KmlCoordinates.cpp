#include "KmlCoordinates.h"

#include "TextNumber.h"

#include <cmath>

namespace {

bool StartsNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

const char* SkipSpace(const char* p, const char* end)
{
    while (p != end && TextNumber::IsSpace(*p))
        ++p;
    return p;
}

bool Fail(KmlCoordinates::Error& error, std::string_view text, const char* at, const std::string& reason)
{
    error.offset = static_cast<size_t>(at - text.data());
    error.message = reason;
    return false;
}

// The word at p, for messages.
std::string QuotedWord(const char* p, const char* end)
{
    const char* stop = p;
    while (stop != end && !TextNumber::IsSpace(*stop) && *stop != ',')
        ++stop;
    return TextNumber::Quote(std::string_view(p, static_cast<size_t>(stop - p)));
}

bool FailNumber(KmlCoordinates::Error& error, std::string_view text, const char* at)
{
    return Fail(error, text, at, QuotedWord(at, text.data() + text.size()) + " is not a number");
}

} // namespace

size_t KmlCoordinates::CountWords(std::string_view text)
{
    size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool space = TextNumber::IsSpace(c);
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

bool KmlCoordinates::ReadTuples(std::string_view text, std::vector<TrackPoint>& points, Error& error)
{
    const char* const end = text.data() + text.size();
    const char* p = text.data();
    for (;;) {
        p = SkipSpace(p, end);
        if (p == end)
            return true;
        const char* tupleStart = p;
        double values[3] = {};
        int count = 0;
        for (;;) {
            const char* next = TextNumber::Read(p, end, values[count]);
            if (!next || (next != end && !TextNumber::IsSpace(*next) && *next != ','))
                return FailNumber(error, text, p);
            ++count;
            const char* after = SkipSpace(next, end);
            p = next;
            if (after == end || *after != ',')
                break;
            // A comma binds the numbers around it, whatever the white space;
            // after a third number it can only separate tuples.
            p = after + 1;
            if (count == 3)
                break;
            if (p != end && !TextNumber::IsSpace(*p))
                continue;
            p = SkipSpace(p, end);
            if (p == end || !StartsNumber(*p))
                break;
        }
        TrackPoint point;
        if (!MakePoint(values, count, point))
            return Fail(error, text, tupleStart,
                        count < 2 ? "a coordinate tuple without latitude" : "the position is out of range");
        points.push_back(point);
    }
}

bool KmlCoordinates::ReadCoord(std::string_view text, TrackPoint& point, bool& present, Error& error)
{
    const char* const end = text.data() + text.size();
    const char* p = SkipSpace(text.data(), end);
    present = false;
    if (p == end)
        return true;
    const char* start = p;
    double values[3] = {};
    int count = 0;
    while (p != end) {
        if (count == 3)
            return Fail(error, text, p, "more than three numbers in a <gx:coord>");
        const char* next = TextNumber::Read(p, end, values[count]);
        if (!next || (next != end && !TextNumber::IsSpace(*next) && *next != ','))
            return FailNumber(error, text, p);
        ++count;
        p = SkipSpace(next, end);
        if (p != end && *p == ',')
            p = SkipSpace(p + 1, end);
    }
    if (!MakePoint(values, count, point))
        return Fail(error, text, start, count < 2 ? "a <gx:coord> without latitude" : "the position is out of range");
    present = true;
    return true;
}

bool KmlCoordinates::MakePoint(const double* values, int count, TrackPoint& point)
{
    if (count < 2 || std::abs(values[0]) > 180.0 || std::abs(values[1]) > 90.0)
        return false;
    point = TrackPoint();
    point.Set2D({values[0], values[1]});
    if (count == 3)
        point.SetElevation(values[2]);
    return true;
}
