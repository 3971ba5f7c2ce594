#include "PixelPolyline.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The vertex of from + 1 to to - 1 farthest from the leg between from and
// to (from its nearer end beyond them), if any is more than MaxDeviation
// away; else 0. Pixels are whole, so each squared distance times the
// squared length of the leg is a whole number, compared exactly for views
// of up to some 8,000 pixels (below 2^53).
size_t FarthestBeyondDeviation(const PolylineClipper::Run& run, size_t from, size_t to)
{
    const QPoint a = run[from].pixel;
    const QPoint b = run[to].pixel;
    const int64_t dx = b.x() - a.x(), dy = b.y() - a.y();
    const int64_t lengthSq = dx * dx + dy * dy;
    // MaxDeviation squared is a quarter: 4 * d * lengthSq against lengthSq.
    static_assert(PixelPolyline::MaxDeviation == 0.5);
    const auto scale = static_cast<double>(std::max<int64_t>(lengthSq, 1));
    double farthest = scale; // 4 * 0.25 * scale
    size_t split = 0;
    for (size_t i = from + 1; i < to; ++i) {
        const int64_t rx = run[i].pixel.x() - a.x(), ry = run[i].pixel.y() - a.y();
        const int64_t along = rx * dx + ry * dy;
        double scaled; // the squared distance times scale
        if (along <= 0 || lengthSq == 0) {
            scaled = static_cast<double>(rx * rx + ry * ry) * scale;
        } else if (along >= lengthSq) {
            const int64_t ex = rx - dx, ey = ry - dy;
            scaled = static_cast<double>(ex * ex + ey * ey) * scale;
        } else {
            const int64_t across = rx * dy - ry * dx;
            scaled = static_cast<double>(across * across);
        }
        if (4 * scaled > farthest) {
            farthest = 4 * scaled;
            split = i;
        }
    }
    return split;
}

} // namespace

QPolygon PixelPolyline::Simplified(const PolylineClipper::Run& run, size_t first, size_t last)
{
    const size_t count = last - first + 1;
    std::vector<char> kept(count, 0);
    kept.front() = kept.back() = 1;
    // Stretches still to split, by their end vertices.
    std::vector<std::pair<size_t, size_t>> stack{{first, last}};
    while (!stack.empty()) {
        const auto [from, to] = stack.back();
        stack.pop_back();
        const size_t split = FarthestBeyondDeviation(run, from, to);
        if (split == 0)
            continue;
        kept[split - first] = 1;
        stack.emplace_back(from, split);
        stack.emplace_back(split, to);
    }
    QPolygon polygon;
    for (size_t i = first; i <= last; ++i) {
        if (kept[i - first])
            polygon.append(run[i].pixel);
    }
    return polygon;
}
