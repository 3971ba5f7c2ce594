#include "PixelPolyline.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Squared distance from p to the leg ab (to its nearer end beyond them).
double DistanceSq(const QPoint& p, const QPoint& a, const QPoint& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double rx = p.x() - a.x(), ry = p.y() - a.y();
    const double lengthSq = dx * dx + dy * dy;
    const double t = lengthSq > 0 ? std::clamp((rx * dx + ry * dy) / lengthSq, 0.0, 1.0) : 0.0;
    const double ex = rx - t * dx, ey = ry - t * dy;
    return ex * ex + ey * ey;
}

} // namespace

QPolygon PixelPolyline::Simplified(const PolylineClipper::Run& run, size_t first, size_t last)
{
    const size_t count = last - first + 1;
    std::vector<char> kept(count, 0);
    kept.front() = kept.back() = 1;
    const double limit = MaxDeviation * MaxDeviation;
    // Stretches still to split, by their end vertices.
    std::vector<std::pair<size_t, size_t>> stack{{first, last}};
    while (!stack.empty()) {
        const auto [from, to] = stack.back();
        stack.pop_back();
        double farthest = limit;
        size_t split = 0;
        for (size_t i = from + 1; i < to; ++i) {
            const double d = DistanceSq(run[i].pixel, run[from].pixel, run[to].pixel);
            if (d > farthest) {
                farthest = d;
                split = i;
            }
        }
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
