#include "LineStroker.h"
#include "StrokeBatch.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr QRgb Paper = 0xFFFFFFFF;

// A line that wanders and crosses itself, on whole pixels, as the map
// hands its lines to a layer.
QPolygon Wander(int count, double step, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> turn(0.0, 0.3);
    QPolygon line;
    double x = 100, y = 80, heading = 0;
    for (int i = 0; i < count; ++i) {
        heading += turn(random);
        x = std::clamp(x + step * std::cos(heading), 5.0, 195.0);
        y = std::clamp(y + step * std::sin(heading), 5.0, 155.0);
        const QPoint p(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
        if (line.isEmpty() || line.back() != p)
            line.append(p);
    }
    return line;
}

QPen Pen(QRgb colour, int width, Qt::PenCapStyle cap)
{
    QPen pen(QColor::fromRgba(colour), width);
    pen.setCapStyle(cap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Draws onto a layer as the map does: a transparent premultiplied image
// in window pixels moved by origin, then stacked onto paper.
template <typename Draw>
QImage OnLayer(bool raster, const QPoint& origin, Draw draw)
{
    QImage layer(200, 160, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(origin);
        LineStroker stroker = raster ? LineStroker(&painter) : LineStroker::ThroughPainter(&painter);
        draw(stroker);
    }
    QImage result(layer.size(), QImage::Format_ARGB32);
    result.fill(Paper);
    QPainter(&result).drawImage(0, 0, layer);
    return result;
}

struct Comparison
{
    int painted = 0;   // pixels either way touched
    int differing = 0; // of those, off by more than 40 in a channel
};

Comparison Compare(const QImage& a, const QImage& b)
{
    Comparison c;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == Paper && q == Paper)
                continue;
            ++c.painted;
            if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40
                || std::abs(qBlue(p) - qBlue(q)) > 40)
                ++c.differing;
        }
    return c;
}

} // namespace

TEST(LineStrokerTest, AnImageLayerGetsTheLinesItsPainterWouldDraw)
{
    struct Case
    {
        const char* what;
        QPen pen;
        int spread;
        bool arrow;
        double step;
    };
    const Case cases[] = {
        {"casing", Pen(0xFF202060, 4, Qt::RoundCap), 0, false, 1.5},
        {"centre", Pen(0xFF008000, 2, Qt::RoundCap), 0, false, 2.5},
        {"hairline", Pen(0xFF008000, 1, Qt::RoundCap), 0, false, 2.5},
        {"wide band", Pen(0xFFFF00FF, 17, Qt::RoundCap), 0, false, 3.0},
        {"shadow", Pen(0x406C6C6C, 11, Qt::SquareCap), 1, false, 4.0},
        {"flat", Pen(0xFFC03000, 4, Qt::FlatCap), 0, false, 6.0},
        {"arrow", Pen(0xFF3050F0, 4, Qt::FlatCap), 0, true, 4.0},
    };
    for (const Case& c : cases) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            // Short pieces as arrows and colours use, and long lines.
            const QPolygon line = Wander(c.arrow || c.spread ? 6 : 600, c.step, seed);
            for (const QPoint origin : {QPoint(0, 0), QPoint(-7, 3)}) {
                const auto draw = [&](LineStroker& s) {
                    if (c.arrow)
                        s.StrokeArrow(c.pen, line);
                    else
                        s.Stroke(c.pen, line, c.spread);
                };
                const QImage fast = OnLayer(true, origin, draw), slow = OnLayer(false, origin, draw);
                const Comparison d = Compare(fast, slow);
                EXPECT_GT(d.painted, 10) << c.what;
                // Anti-aliasing may differ along the edges; a line a pixel
                // too wide or too narrow differs all along them.
                EXPECT_LE(d.differing, d.painted / 25) << c.what << " seed " << seed << ": " << d.differing << " of "
                                                       << d.painted;
            }
        }
    }
}

TEST(LineStrokerTest, LinesOnWholePixelsCoverWholePixels)
{
    // A 4 px line along y = 20 covers rows 18 to 21 fully and no more; its
    // round end reaches 2 px past its last point, a flat one stops there.
    const QPolygon line({QPoint(20, 20), QPoint(60, 20)});
    const QImage round = OnLayer(true, {}, [&](LineStroker& s) { s.Stroke(Pen(0xFF000000, 4, Qt::RoundCap), line); });
    for (const int y : {18, 19, 20, 21})
        EXPECT_EQ(round.pixel(40, y), 0xFF000000u) << y;
    EXPECT_EQ(round.pixel(40, 17), Paper);
    EXPECT_EQ(round.pixel(40, 22), Paper);
    EXPECT_EQ(round.pixel(60, 20), 0xFF000000u);
    EXPECT_EQ(round.pixel(62, 20), Paper);
    const QImage flat = OnLayer(true, {}, [&](LineStroker& s) { s.Stroke(Pen(0xFF000000, 4, Qt::FlatCap), line); });
    EXPECT_EQ(flat.pixel(59, 20), 0xFF000000u);
    EXPECT_EQ(flat.pixel(60, 20), Paper);
    EXPECT_EQ(flat.pixel(19, 20), Paper);
}

TEST(LineStrokerTest, ACrossingLineIsOneShapeAndAShadowBuildsUpFromItsCopies)
{
    // Where a half-transparent line crosses itself, it is not darker.
    const QPolygon cross({QPoint(20, 20), QPoint(80, 80), QPoint(80, 20), QPoint(20, 80)});
    const QImage once = OnLayer(true, {}, [&](LineStroker& s) { s.Stroke(Pen(0x80000000, 6, Qt::RoundCap), cross); });
    EXPECT_EQ(once.pixel(50, 50), once.pixel(35, 35));
    // A shadow of nine copies, each a quarter opaque, lets 0.75^9 through
    // in its middle: 255 * 0.075 over white paper.
    const QPolygon bar({QPoint(20, 50), QPoint(80, 50)});
    const QImage shadow =
        OnLayer(true, {}, [&](LineStroker& s) { s.Stroke(Pen(0x40000000, 11, Qt::SquareCap), bar, 1); });
    EXPECT_NEAR(qRed(shadow.pixel(50, 50)), 255 * std::pow(0.75, 9), 2);
    // The line's edge half covers row 55; row 56 is reached only by the
    // three copies a pixel down, each over half of it.
    EXPECT_NEAR(qRed(shadow.pixel(50, 56)), 255 * std::pow(1 - 0.25 * 0.5, 3), 3);
}

TEST(LineStrokerTest, APainterOnAnythingButAnImageStrokesItself)
{
    QImage scaled(100, 100, QImage::Format_ARGB32_Premultiplied);
    scaled.fill(Qt::transparent);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::Antialiasing);
    EXPECT_NE(StrokeBatch::For(painter), nullptr);
    painter.scale(2, 2);
    EXPECT_EQ(StrokeBatch::For(painter), nullptr);
    painter.resetTransform();
    painter.setClipRect(0, 0, 50, 50);
    EXPECT_EQ(StrokeBatch::For(painter), nullptr);
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    EXPECT_EQ(StrokeBatch::For(painter), nullptr);
    painter.end();
    QImage plain(100, 100, QImage::Format_RGB32);
    QPainter other(&plain);
    other.setRenderHint(QPainter::Antialiasing);
    EXPECT_EQ(StrokeBatch::For(other), nullptr);
}

TEST(LineStrokerTest, LinesLaidDownInBandsOnSeveralThreadsMatchOneRasterToTheBit)
{
    // Shadows reach two rows across a band's edge, heads and wide bands
    // several; lines leave the image and the layer is moved off its origin.
    const auto draw = [](int bands) {
        QImage layer(200, 160, QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        StrokeBatch batch(layer, QPoint(-7, 3));
        batch.SetBandCount(bands);
        using Cap = StrokeRaster::Cap;
        for (unsigned seed = 1; seed <= 12; ++seed) {
            const QPolygon line = Wander(seed % 3 == 0 ? 400 : 8, 2.0 + seed % 4, seed);
            batch.Polyline(line, {0x406C6C6C, 11.0, Cap::Square, Cap::Square, seed % 2 ? 1 : 2});
            batch.Polyline(line.translated(0, static_cast<int>(seed) * 9 - 60), {0xFF202060, 4.0, Cap::Round, Cap::Round, 0});
            const QPointF head[3] = {QPointF(line.back()) + QPointF(3, 0), QPointF(line.back()) + QPointF(-6, 5),
                                     QPointF(line.back()) + QPointF(-6, -5)};
            batch.PolylineWithHead(line, {0xFF3050F0, 4.0, Cap::Flat, Cap::Flat, 0}, head);
            batch.Polyline(line.translated(30, 0), {0x80FF00FF, 17.0, Cap::Round, Cap::Round, 0});
        }
        batch.Flush();
        return layer;
    };
    const QImage one = draw(1);
    for (const int bands : {2, 3, 4, 7})
        EXPECT_EQ(draw(bands), one) << bands << " bands";
}

TEST(LineStrokerTest, AStrokeThroughThePainterGoesOverTheQueuedOnes)
{
    QImage layer(100, 60, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        LineStroker stroker(&painter);
        stroker.Stroke(Pen(0xFFFF0000, 9, Qt::FlatCap), QPolygon({QPoint(10, 30), QPoint(90, 30)}));
        // Dashes go through the painter, after the red line is laid down.
        QPen dashes = Pen(0xFF000000, 3, Qt::FlatCap);
        dashes.setStyle(Qt::DashLine);
        stroker.Stroke(dashes, QPolygon({QPoint(10, 30), QPoint(90, 30)}));
    }
    EXPECT_EQ(layer.pixel(12, 30), 0xFF000000u);
    EXPECT_EQ(layer.pixel(12, 27), 0xFFFF0000u);
}
