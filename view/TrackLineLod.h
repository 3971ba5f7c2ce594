#pragma once

#include "GeoTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TrackI;

// Simplified forms of one segment's line for drawing it at small scales.
// Each form keeps, of the valid points, only those at least a tolerance
// away from the previous kept one (the first and last always stay); the
// tolerance doubles from form to form, and a form is kept only where it
// halves the points of the finer one. A frame draws the coarsest form whose
// error stays under a fraction of a pixel, so it looks like the whole line
// while its work follows the pixels, not the points.
class TrackLineLod
{
public:
    // The finest tolerance tried, metres.
    static constexpr double FinestToleranceM = 0.05;
    // How far, in pixels, a drawn line may stray from the whole one. Its
    // vertices are rounded to whole pixels anyway, up to 0.7 pixels off;
    // finer forms cost more points per frame and show no more.
    static constexpr double MaxPixelError = 1.0;

    explicit TrackLineLod(const TrackI& segment);

    // Whether the segment's points changed since this was built.
    bool IsStaleFor(const TrackI& segment) const;

    // The segment's valid point indices.
    const std::vector<int>& GetValidIndices() const { return m_valid; }
    // Positions into GetValidIndices of the points to draw at a scale of
    // metresPerPixel, where a degree of longitude is lonFactor times as
    // wide on the screen as a degree of latitude. Empty: draw them all.
    const std::vector<int>& Select(double metresPerPixel, double lonFactor) const;

    // Of a form Select gave (empty: every valid point), the positions a
    // frame must draw to show the line inside view: a stretch of points
    // whose box lies wholly outside it keeps only its ends, which a straight
    // leg joins outside the view as the whole stretch would have been.
    // Where the form keeps its points' positions (the coarse forms, which a
    // whole track in view takes), points gets those of the drawn ones, in
    // order: read from here, not from points spread over the whole segment.
    std::vector<int> VisiblePart(const std::vector<int>& form, const GeoRect& view,
                                 std::vector<GeoPoint>* points = nullptr) const;

    size_t GetMemoryBytes() const;

    // Valid points per box of VisiblePart.
    static constexpr int BlockSize = 256;

private:
    struct Box
    {
        double minLon, minLat, maxLon, maxLat;
    };
    struct Form
    {
        double toleranceM;
        std::vector<int> positions;
        // Of each position, for forms of at most a share of the points.
        std::vector<GeoPoint> points;
    };

    uint64_t m_changes;
    // The width of a degree of longitude against one of latitude, at the
    // segment's middle latitude; tolerances are measured in its metres.
    double m_cosLat = 1.0;
    std::vector<int> m_valid;
    std::vector<Form> m_forms;
    // The box of each BlockSize valid points, in order.
    std::vector<Box> m_blocks;
};
