#include "TrackLineLod.h"

#include "CalcDataGeneralI.h"
#include "CoordTransform.h"
#include "TrackI.h"
#include "TrackPtNavI.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double MetresPerDegree = CoordTransform::MetresPerDegree;
// A form that keeps more than this share of the finer one costs memory and
// saves little drawing.
constexpr double MinReduction = 0.5;
// Forms of at most this share of the valid points keep their positions,
// which adds at most a quarter of sizeof(GeoPoint) a point over all forms.
constexpr size_t PositionsKeptFromShare = 8;

// Of the positions from(0) to from(count - 1), those at least tolerance from
// the last kept one, with the last position always kept, into kept; false,
// with kept unfinished, as soon as it holds more than most of them.
// Distances are in metres, a degree of longitude lonMetres wide.
template <typename From>
bool Thin(const std::vector<GeoPoint>& points, double lonMetres, From from, size_t count, double tolerance,
          size_t most, std::vector<int>& kept)
{
    kept.clear();
    if (count == 0)
        return true;
    const double limit = tolerance * tolerance;
    kept.push_back(from(0));
    GeoPoint last = points[static_cast<size_t>(from(0))];
    for (size_t i = 1; i + 1 < count; ++i) {
        const GeoPoint& p = points[static_cast<size_t>(from(i))];
        const double dx = (p.lon - last.lon) * lonMetres;
        const double dy = (p.lat - last.lat) * MetresPerDegree;
        if (dx * dx + dy * dy >= limit) {
            if (kept.size() >= most)
                return false;
            kept.push_back(from(i));
            last = p;
        }
    }
    if (count > 1)
        kept.push_back(from(count - 1));
    return kept.size() <= most;
}

} // namespace

TrackLineLod::TrackLineLod(const TrackI& segment)
    : m_changes(segment.GetChangeCount())
{
    segment.GetPtNav().GetValidIndices(m_valid);
    const PointBounds bounds = segment.GetCalcData().GetValidBounds();
    if (!bounds.IsEmpty())
        m_cosLat = std::max(std::cos((bounds.minY + bounds.maxY) * 0.5 * std::numbers::pi / 180.0), 1e-6);

    std::vector<GeoPoint> points;
    points.reserve(m_valid.size());
    m_blocks.reserve(m_valid.size() / BlockSize + 1);
    double x = 0, y = 0, z = 0;
    for (size_t i = 0; i < m_valid.size(); ++i) {
        segment.GetPosition(m_valid[i], x, y, z);
        points.push_back({x, y});
        if (i % BlockSize == 0)
            m_blocks.push_back({x, y, x, y});
        Box& box = m_blocks.back();
        box = {std::min(box.minLon, x), std::min(box.minLat, y), std::max(box.maxLon, x), std::max(box.maxLat, y)};
    }
    // Each form is thinned from the last one kept, so the errors of the
    // forms it stands on add up to less than its own tolerance once more.
    // A form that would keep more than half of the finer one is dropped,
    // so its thinning stops as soon as it has kept that many.
    const double lonMetres = MetresPerDegree * m_cosLat;
    std::vector<int> thinned;
    for (double tolerance = FinestToleranceM;; tolerance *= 2) {
        const std::vector<int>* finer = m_forms.empty() ? nullptr : &m_forms.back().positions;
        const size_t count = finer ? finer->size() : m_valid.size();
        if (count <= 2)
            break;
        const size_t most = std::max<size_t>(2, static_cast<size_t>(MinReduction * static_cast<double>(count)));
        const bool halved =
            finer ? Thin(points, lonMetres, [finer](size_t i) { return (*finer)[i]; }, count, tolerance, most, thinned)
                  : Thin(points, lonMetres, [](size_t i) { return static_cast<int>(i); }, count, tolerance, most,
                         thinned);
        if (!halved)
            continue;
        Form& form = m_forms.emplace_back(Form{tolerance, thinned, {}});
        if (thinned.size() * PositionsKeptFromShare <= m_valid.size()) {
            form.points.reserve(thinned.size());
            for (const int position : thinned)
                form.points.push_back(points[static_cast<size_t>(position)]);
        }
    }
}

bool TrackLineLod::IsStaleFor(const TrackI& segment) const
{
    return segment.GetChangeCount() != m_changes;
}

const std::vector<int>& TrackLineLod::Select(double metresPerPixel, double lonFactor) const
{
    static const std::vector<int> all;
    // A metre east of the segment's middle is this many times wider on the
    // screen than the tolerance assumed.
    const double stretch = std::max(1.0, lonFactor / m_cosLat);
    // Twice the tolerance: a form's error includes those it was thinned from.
    const double allowedM = MaxPixelError * metresPerPixel / stretch / 2.0;
    const std::vector<int>* chosen = &all;
    for (const Form& form : m_forms) {
        if (form.toleranceM > allowedM)
            break;
        chosen = &form.positions;
    }
    return *chosen;
}

std::vector<int> TrackLineLod::VisiblePart(const std::vector<int>& form, const GeoRect& view,
                                           std::vector<GeoPoint>* points) const
{
    const size_t count = form.empty() ? m_valid.size() : form.size();
    const auto positionAt = [&form](size_t i) { return form.empty() ? static_cast<int>(i) : form[i]; };
    const auto outside = [this, &view](size_t block) {
        const Box& box = m_blocks[block];
        return box.maxLon < view.lon0 || box.minLon > view.lon1 || box.maxLat < view.lat0 || box.minLat > view.lat1;
    };
    const auto kept =
        std::find_if(m_forms.begin(), m_forms.end(), [&form](const Form& f) { return &f.positions == &form; });
    const std::vector<GeoPoint>* keptPoints = kept != m_forms.end() && !kept->points.empty() ? &kept->points : nullptr;
    if (points)
        points->clear();
    std::vector<int> visible;
    const auto take = [&](size_t i) {
        visible.push_back(positionAt(i));
        if (points && keptPoints)
            points->push_back((*keptPoints)[i]);
    };
    for (size_t i = 0; i < count;) {
        const size_t block = static_cast<size_t>(positionAt(i)) / BlockSize;
        // Where the next block starts, in the form.
        const int nextBlockStart = static_cast<int>((block + 1) * BlockSize);
        const size_t next = form.empty()
                                ? std::min(count, static_cast<size_t>(nextBlockStart))
                                : static_cast<size_t>(std::lower_bound(form.begin() + static_cast<std::ptrdiff_t>(i),
                                                                       form.end(), nextBlockStart)
                                                      - form.begin());
        if (outside(block)) {
            // Of an outside box only the first and last point count.
            take(i);
            if (next - 1 > i)
                take(next - 1);
        } else {
            for (size_t j = i; j < next; ++j)
                take(j);
        }
        i = next;
    }
    return visible;
}

size_t TrackLineLod::GetMemoryBytes() const
{
    size_t bytes = sizeof(*this) + m_valid.capacity() * sizeof(int) + m_blocks.capacity() * sizeof(Box);
    for (const Form& form : m_forms)
        bytes += sizeof(Form) + form.positions.capacity() * sizeof(int) + form.points.capacity() * sizeof(GeoPoint);
    return bytes;
}
