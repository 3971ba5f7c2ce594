#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QSize>

#include <cstdint>
#include <vector>

// Draws anti-aliased wide lines straight into the pixels of a premultiplied
// image. A line is the union of its legs, each a band with round, flat or
// square ends, so joins come out round and a long line that crosses itself
// costs what its length costs; the general stroker fills one outline of the
// whole line, and every crossing of that outline makes it dearer.
class StrokeRaster
{
public:
    enum class Cap { Round, Flat, Square };

    struct Style
    {
        QRgb colour = 0xFF000000;
        double width = 1.0;
        Cap start = Cap::Round;
        Cap end = Cap::Round;
        // Drawn at every offset of up to this many pixels in x and y, each
        // copy over the others, as a soft shadow. At most MaxSpread.
        int spread = 0;
    };
    static constexpr int MaxSpread = 2;

    // Lines are given in coordinates that origin moves onto the image. Only
    // the image rows [firstRow, endRow) of a premultiplied image given by
    // its pixels are drawn: rasters of disjoint bands may work on one image
    // at once.
    StrokeRaster(uchar* bits, qsizetype bytesPerLine, QSize size, QPoint origin, int firstRow, int endRow);

    void Polyline(const QPoint* points, int count, const Style& style);
    // A polyline with a filled triangle (an arrow head) at its end, both
    // in one colour, laid down as one shape.
    void PolylineWithHead(const QPoint* points, int count, const Style& style, const QPointF (&head)[3]);

private:
    // From line coordinates to those of the coverage buffer.
    QPointF Shift() const;
    void AddLegs(const QPoint* points, int count, const Style& style);
    void AddLeg(QPointF a, QPointF b, double halfWidth, Cap start, Cap end, bool startCovered);
    void AddTriangle(const QPointF (&corners)[3]);
    // Columns [left, right) of buffer row y hold coverage.
    void MarkRow(int y, int left, int right);
    void Composite(QRgb colour, int spread);
    void BlendPixel(uint32_t& pixel, uint32_t alpha, QRgb colour) const;

    uchar* m_bits;
    qsizetype m_bytesPerLine;
    QPoint m_origin;
    int m_width;
    int m_bandTop;
    int m_bandRows;
    // Coverage of the shape being laid down, 0-255, over the band grown
    // by MaxSpread on every side so that a shadow may come in from outside.
    int m_stride;
    std::vector<uint8_t> m_coverage;
    // The columns touched in each buffer row, [left, right), and the rows.
    std::vector<int> m_left;
    std::vector<int> m_right;
    int m_top;
    int m_bottom;
};
