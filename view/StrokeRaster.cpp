#include "StrokeRaster.h"


#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr int Margin = StrokeRaster::MaxSpread;

// x * y / 255, rounded, for bytes.
uint32_t MulByte(uint32_t x, uint32_t y)
{
    const uint32_t t = x * y + 128;
    return (t + (t >> 8)) >> 8;
}

// The columns whose pixel centres on the row at py lie within radius of
// the leg ab: [first, last], empty when first > last.
std::pair<int, int> SolidColumns(QPointF a, QPointF b, double radius, double py)
{
    if (radius <= 0)
        return {1, 0};
    double low = std::numeric_limits<double>::infinity(), high = -low;
    const auto add = [&](double from, double to) {
        if (from <= to) {
            low = std::min(low, from);
            high = std::max(high, to);
        }
    };
    for (const QPointF& end : {a, b}) {
        const double off = py - end.y();
        if (std::abs(off) <= radius) {
            const double half = std::sqrt(radius * radius - off * off);
            add(end.x() - half, end.x() + half);
        }
    }
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length > 0) {
        const double ux = dx / length, uy = dy / length, ry = py - a.y();
        // Across the axis within radius, along it between the ends; each
        // bounds x - a.x, or holds for every x or none when the leg runs
        // along the row or across it.
        double from = -std::numeric_limits<double>::infinity(), to = -from;
        bool none = false;
        const auto bound = [&](double k, double lowValue, double highValue) {
            if (std::abs(k) < 1e-12) {
                none = none || lowValue > 0 || highValue < 0;
                return;
            }
            const double u = lowValue / k, v = highValue / k;
            from = std::max(from, std::min(u, v));
            to = std::min(to, std::max(u, v));
        };
        bound(uy, ry * ux - radius, ry * ux + radius);
        bound(ux, -ry * uy, length - ry * uy);
        if (!none && from <= to)
            add(a.x() + from, a.x() + to);
    }
    if (low > high)
        return {1, 0};
    return {static_cast<int>(std::ceil(low - 0.5)), static_cast<int>(std::floor(high - 0.5))};
}

} // namespace

StrokeRaster::StrokeRaster(uchar* bits, qsizetype bytesPerLine, QSize size, QPoint origin, int firstRow, int endRow)
    : m_bits(bits), m_bytesPerLine(bytesPerLine), m_origin(origin), m_width(size.width()),
      m_bandTop(std::clamp(firstRow, 0, size.height())),
      m_bandRows(std::clamp(endRow, m_bandTop, size.height()) - m_bandTop), m_stride(size.width() + 2 * Margin),
      m_coverage(static_cast<size_t>(m_stride) * static_cast<size_t>(m_bandRows + 2 * Margin)),
      m_left(static_cast<size_t>(m_bandRows + 2 * Margin), INT_MAX),
      m_right(static_cast<size_t>(m_bandRows + 2 * Margin), INT_MIN), m_top(INT_MAX), m_bottom(INT_MIN)
{
}

QPointF StrokeRaster::Shift() const
{
    return QPointF(m_origin.x() + Margin, m_origin.y() + Margin - m_bandTop);
}

void StrokeRaster::Polyline(const QPoint* points, int count, const Style& style)
{
    AddLegs(points, count, style);
    Composite(style.colour, style.spread);
}

void StrokeRaster::PolylineWithHead(const QPoint* points, int count, const Style& style, const QPointF (&head)[3])
{
    AddLegs(points, count, style);
    const QPointF shift = Shift();
    const QPointF corners[3] = {head[0] + shift, head[1] + shift, head[2] + shift};
    AddTriangle(corners);
    Composite(style.colour, style.spread);
}

void StrokeRaster::AddLegs(const QPoint* points, int count, const Style& style)
{
    const QPointF shift = Shift();
    const double halfWidth = style.width / 2.0;
    if (count == 1)
        AddLeg(QPointF(points[0]) + shift, QPointF(points[0]) + shift, halfWidth, style.start, style.end, false);
    for (int i = 0; i + 1 < count; ++i) {
        // Inner ends are round: neighbouring legs meet in a round join.
        const Cap start = i == 0 ? style.start : Cap::Round;
        const Cap end = i + 2 == count ? style.end : Cap::Round;
        // A leg with round ends covers the disc around its end at least as
        // much as the next leg's start cap would, which therefore adds
        // nothing and is skipped.
        const bool startCovered = i >= 2 || (i == 1 && style.start == Cap::Round);
        AddLeg(QPointF(points[i]) + shift, QPointF(points[i + 1]) + shift, halfWidth, start, end, startCovered);
    }
}

void StrokeRaster::MarkRow(int y, int left, int right)
{
    m_left[static_cast<size_t>(y)] = std::min(m_left[static_cast<size_t>(y)], left);
    m_right[static_cast<size_t>(y)] = std::max(m_right[static_cast<size_t>(y)], right);
    m_top = std::min(m_top, y);
    m_bottom = std::max(m_bottom, y);
}

void StrokeRaster::AddLeg(QPointF a, QPointF b, double halfWidth, Cap start, Cap end, bool startCovered)
{
    const double startExtra = start == Cap::Square ? halfWidth : 0.0;
    const double endExtra = end == Cap::Square ? halfWidth : 0.0;
    // Beyond this distance from the axis no pixel centre gets coverage.
    const double reach = halfWidth + 0.5 + std::max(startExtra, endExtra);
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length = std::sqrt(dx * dx + dy * dy);
    const double ux = length > 0 ? dx / length : 1.0;
    const double uy = length > 0 ? dy / length : 0.0;
    const double limit = halfWidth + 0.5;
    const int rows = m_bandRows + 2 * Margin;
    const int firstRow = std::max(0, static_cast<int>(std::floor(std::min(a.y(), b.y()) - reach)));
    const int lastRow = std::min(rows - 1, static_cast<int>(std::ceil(std::max(a.y(), b.y()) + reach)));
    for (int y = firstRow; y <= lastRow; ++y) {
        const double ry = y + 0.5 - a.y();
        // The part of the axis within reach of this row, widened by reach.
        double s0 = 0.0, s1 = 1.0;
        if (std::abs(dy) > 1e-12) {
            s0 = (ry - reach) / dy;
            s1 = (ry + reach) / dy;
            if (s0 > s1)
                std::swap(s0, s1);
            s0 = std::max(s0, 0.0);
            s1 = std::min(s1, 1.0);
            if (s0 > s1)
                continue;
        }
        const double x0 = a.x() + s0 * dx, x1 = a.x() + s1 * dx;
        const int firstColumn = std::max(0, static_cast<int>(std::floor(std::min(x0, x1) - reach)));
        const int lastColumn = std::min(m_stride - 1, static_cast<int>(std::ceil(std::max(x0, x1) + reach)));
        uint8_t* cells = &m_coverage[static_cast<size_t>(y) * static_cast<size_t>(m_stride)];
        int left = INT_MAX, right = INT_MIN;
        const auto shade = [&](int from, int to) {
            for (int x = from; x <= to; ++x) {
                // A wide line of short legs covers most pixels many times over.
                if (cells[x] == 255)
                    continue;
                const double rx = x + 0.5 - a.x();
                const double along = rx * ux + ry * uy;
                double coverage;
                if (along < 0 && start == Cap::Round) {
                    if (startCovered)
                        continue;
                    coverage = limit - std::sqrt(rx * rx + ry * ry);
                } else if (along > length && end == Cap::Round) {
                    const double ex = rx - dx, ey = ry - dy;
                    coverage = limit - std::sqrt(ex * ex + ey * ey);
                } else {
                    coverage = limit - std::abs(rx * uy - ry * ux);
                    if (start != Cap::Round)
                        coverage = std::min(coverage, along + 0.5 + startExtra);
                    if (end != Cap::Round)
                        coverage = std::min(coverage, length - along + 0.5 + endExtra);
                }
                if (coverage <= 0)
                    continue;
                const auto value = static_cast<uint8_t>(std::min(coverage, 1.0) * 255.0 + 0.5);
                cells[x] = std::max(cells[x], value);
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
        };
        // The pixels wholly inside a leg with round ends need no distance:
        // only those near its edge are shaded one by one.
        const auto [solidFrom, solidTo] = start == Cap::Round && end == Cap::Round
                                              ? SolidColumns(a, b, halfWidth - 0.5, y + 0.5)
                                              : std::pair(1, 0);
        const int from = std::max(solidFrom, firstColumn), to = std::min(solidTo, lastColumn);
        if (from <= to) {
            std::fill(cells + from, cells + to + 1, uint8_t{255});
            shade(firstColumn, from - 1);
            shade(to + 1, lastColumn);
            left = std::min(left, from);
            right = std::max(right, to + 1);
        } else {
            shade(firstColumn, lastColumn);
        }
        if (left < right)
            MarkRow(y, left, right);
    }
}

void StrokeRaster::AddTriangle(const QPointF (&corners)[3])
{
    // Inward unit normals of the edges, whichever way the corners turn.
    const double turn = (corners[1].x() - corners[0].x()) * (corners[2].y() - corners[0].y())
                        - (corners[1].y() - corners[0].y()) * (corners[2].x() - corners[0].x());
    if (turn == 0)
        return;
    std::array<QPointF, 3> normals;
    for (int i = 0; i < 3; ++i) {
        const QPointF edge = corners[(i + 1) % 3] - corners[i];
        const double length = std::hypot(edge.x(), edge.y());
        normals[static_cast<size_t>(i)] = (turn > 0 ? QPointF(-edge.y(), edge.x()) : QPointF(edge.y(), -edge.x())) / length;
    }
    const auto [minX, maxX] = std::minmax({corners[0].x(), corners[1].x(), corners[2].x()});
    const auto [minY, maxY] = std::minmax({corners[0].y(), corners[1].y(), corners[2].y()});
    const int firstRow = std::max(0, static_cast<int>(std::floor(minY)) - 1);
    const int lastRow = std::min(m_bandRows + 2 * Margin - 1, static_cast<int>(std::ceil(maxY)) + 1);
    const int firstColumn = std::max(0, static_cast<int>(std::floor(minX)) - 1);
    const int lastColumn = std::min(m_stride - 1, static_cast<int>(std::ceil(maxX)) + 1);
    for (int y = firstRow; y <= lastRow; ++y) {
        for (int x = firstColumn; x <= lastColumn; ++x) {
            const QPointF p(x + 0.5, y + 0.5);
            double inside = 1.0;
            for (int i = 0; i < 3; ++i) {
                const QPointF r = p - corners[i];
                const QPointF& n = normals[static_cast<size_t>(i)];
                inside = std::min(inside, r.x() * n.x() + r.y() * n.y() + 0.5);
            }
            if (inside <= 0)
                continue;
            uint8_t& cell = m_coverage[static_cast<size_t>(y) * static_cast<size_t>(m_stride) + static_cast<size_t>(x)];
            cell = std::max(cell, static_cast<uint8_t>(std::min(inside, 1.0) * 255.0 + 0.5));
            MarkRow(y, x, x + 1);
        }
    }
}

void StrokeRaster::BlendPixel(uint32_t& pixel, uint32_t alpha, QRgb colour) const
{
    const uint32_t keep = 255 - alpha;
    const uint32_t a = alpha + MulByte(pixel >> 24, keep);
    const uint32_t r = MulByte(static_cast<uint32_t>(qRed(colour)), alpha) + MulByte((pixel >> 16) & 0xFF, keep);
    const uint32_t g = MulByte(static_cast<uint32_t>(qGreen(colour)), alpha) + MulByte((pixel >> 8) & 0xFF, keep);
    const uint32_t b = MulByte(static_cast<uint32_t>(qBlue(colour)), alpha) + MulByte(pixel & 0xFF, keep);
    pixel = (a << 24) | (r << 16) | (g << 8) | b;
}

void StrokeRaster::Composite(QRgb colour, int spread)
{
    if (m_top > m_bottom)
        return;
    spread = std::clamp(spread, 0, MaxSpread);
    const uint32_t opacity = static_cast<uint32_t>(qAlpha(colour));
    // What a copy of the colour at a coverage lets through of what lies under it.
    std::array<float, 256> through;
    for (size_t c = 0; c < through.size(); ++c)
        through[c] = 1.0f - static_cast<float>(opacity * c) / (255.0f * 255.0f);
    const int rows = m_bandRows + 2 * Margin;
    const int firstRow = std::max(Margin, m_top - spread);
    const int lastRow = std::min(Margin + m_bandRows - 1, m_bottom + spread);
    for (int y = firstRow; y <= lastRow; ++y) {
        int left = INT_MAX, right = INT_MIN;
        for (int row = std::max(0, y - spread); row <= std::min(rows - 1, y + spread); ++row) {
            left = std::min(left, m_left[static_cast<size_t>(row)] - spread);
            right = std::max(right, m_right[static_cast<size_t>(row)] + spread);
        }
        left = std::max(left, Margin);
        right = std::min(right, Margin + m_width);
        auto* line = reinterpret_cast<uint32_t*>(m_bits + (y - Margin + m_bandTop) * m_bytesPerLine);
        for (int x = left; x < right; ++x) {
            uint32_t alpha;
            if (spread == 0) {
                const uint8_t c = m_coverage[static_cast<size_t>(y) * static_cast<size_t>(m_stride) + static_cast<size_t>(x)];
                alpha = MulByte(opacity, c);
            } else {
                float passed = 1.0f;
                for (int oy = -spread; oy <= spread; ++oy) {
                    const uint8_t* cells =
                        &m_coverage[static_cast<size_t>(y + oy) * static_cast<size_t>(m_stride) + static_cast<size_t>(x)];
                    for (int ox = -spread; ox <= spread; ++ox)
                        passed *= through[cells[ox]];
                }
                alpha = static_cast<uint32_t>((1.0f - passed) * 255.0f + 0.5f);
            }
            if (alpha > 0)
                BlendPixel(line[x - Margin], alpha, colour);
        }
    }
    for (int y = m_top; y <= m_bottom; ++y) {
        int& left = m_left[static_cast<size_t>(y)];
        int& right = m_right[static_cast<size_t>(y)];
        if (left < right)
            std::fill_n(m_coverage.begin() + static_cast<qsizetype>(y) * m_stride + left, right - left, uint8_t{0});
        left = INT_MAX;
        right = INT_MIN;
    }
    m_top = INT_MAX;
    m_bottom = INT_MIN;
}
