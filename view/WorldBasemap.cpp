#include "WorldBasemap.h"

#include "CoordTransformI.h"
#include "Dir.h"

#include <QFileInfo>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// From coarse to full, with GSHHG's own figures for how much each
// simplifies.
struct ResolutionInfo
{
    char letter;
    double toleranceMetres;
};
constexpr ResolutionInfo Resolutions[] = {{'c', 25000}, {'l', 5000}, {'i', 1000}, {'h', 200}, {'f', 40}};
// Detail finer than this many pixels is not worth the time to draw.
constexpr double DetailPixels = 2;
constexpr int NationalBorders = 1;

// Debian and Ubuntu, Fedora, a copy of one's own, and one shipped next to
// the program.
QStringList KnownFolders()
{
    return {QStringLiteral("/usr/share/gmt-gshhg"), QStringLiteral("/usr/share/gshhg-gmt-nc4"),
            QStringLiteral("/usr/local/share/gmt-gshhg"), Dir::GetDataFilePath(QStringLiteral("Maps\\gshhg"))};
}

// Degrees to window pixels: the view's projection is linear in both.
QTransform DegreesToPixels(const CoordTransformI& transform)
{
    const PointF origin = transform.GeoToPixelF({0, 0});
    const PointF unit = transform.GeoToPixelF({1, 1});
    return QTransform(unit.x - origin.x, 0, 0, unit.y - origin.y, origin.x, origin.y);
}

QRectF BoundsOf(const GshhgBin& bin, double binSize)
{
    return QRectF(bin.west, bin.south, binSize, binSize);
}

QPen CosmeticPen(QRgb colour, double width)
{
    QPen pen(QColor::fromRgba(colour), width);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

} // namespace

QString WorldBasemap::FindDataFolder()
{
    for (const QString& folder : KnownFolders())
        for (const ResolutionInfo& info : Resolutions)
            if (QFileInfo::exists(QStringLiteral("%1/binned_GSHHS_%2.nc").arg(folder).arg(QLatin1Char(info.letter))))
                return folder;
    return {};
}

WorldBasemap::WorldBasemap(QString folder)
    : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        return;
    for (const ResolutionInfo& info : Resolutions)
        if (QFileInfo::exists(FileOf("GSHHS", info.letter))) {
            Resolution resolution;
            resolution.letter = info.letter;
            resolution.toleranceMetres = info.toleranceMetres;
            m_resolutions.push_back(std::move(resolution));
        }
}

bool WorldBasemap::IsAvailable() const
{
    return !m_resolutions.empty();
}

char WorldBasemap::ResolutionFor(double metresPerPixel) const
{
    for (const Resolution& resolution : m_resolutions)
        if (resolution.toleranceMetres <= metresPerPixel * DetailPixels)
            return resolution.letter;
    return m_resolutions.empty() ? 0 : m_resolutions.back().letter;
}

bool WorldBasemap::Draw(QPainter& surface, const CoordTransformI& transform)
{
    const char letter = ResolutionFor(transform.GetScale());
    auto found = std::find_if(m_resolutions.begin(), m_resolutions.end(),
                              [letter](const Resolution& r) { return r.letter == letter; });
    if (found == m_resolutions.end() || !Load(*found))
        return false;
    const GeoRect view = ViewGeoRect(transform);
    const QRectF visible(QPointF(view.lon0, view.lat0), QPointF(view.lon1, view.lat1));
    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);
    QPainterPath shores;
    QPainterPath borders;
    const auto shapeOf = [](Bin& bin, const auto& build) -> const WorldBinShape& {
        if (!bin.shape) {
            bin.shape = build(bin.pieces);
            // The shape holds them now.
            bin.pieces.segments = {};
        }
        return *bin.shape;
    };
    const double shoreSize = found->shoreBinSize;
    for (Bin& bin : found->shores)
        if (BoundsOf(bin.pieces, shoreSize).intersects(visible)) {
            const WorldBinShape& shape
                = shapeOf(bin, [shoreSize](const GshhgBin& pieces) { return WorldBinShape::FromShoreline(pieces, shoreSize); });
            land.addPath(shape.land);
            shores.addPath(shape.lines);
        }
    const double borderSize = found->borderBinSize;
    for (Bin& bin : found->borders)
        if (BoundsOf(bin.pieces, borderSize).intersects(visible))
            borders.addPath(shapeOf(bin, [borderSize](const GshhgBin& pieces) {
                                return WorldBinShape::FromBorders(pieces, borderSize, NationalBorders);
                            }).lines);
    surface.save();
    const RectF window = transform.GetViewRectF();
    surface.fillRect(QRectF(QPointF(window.left, window.top), QPointF(window.right, window.bottom)),
                     QColor::fromRgba(Water));
    surface.setTransform(DegreesToPixels(transform), true);
    // Without anti-aliasing: the water would show through the seams where
    // bins meet. The smooth shoreline drawn over it hides the steps.
    surface.setRenderHint(QPainter::Antialiasing, false);
    surface.fillPath(land, QColor::fromRgba(Land));
    surface.setRenderHint(QPainter::Antialiasing, true);
    // Drawn rather than stroked: thin cosmetic lines take the rasteriser's
    // quick way, a stroked outline would cost ten times as much.
    surface.setBrush(Qt::NoBrush);
    surface.setPen(CosmeticPen(Shore, 1));
    surface.drawPath(shores);
    QPen border = CosmeticPen(Border, 1);
    border.setStyle(Qt::DashLine);
    surface.setPen(border);
    surface.drawPath(borders);
    surface.restore();
    return true;
}

bool WorldBasemap::Load(Resolution& resolution)
{
    if (!resolution.tried) {
        resolution.tried = true;
        GshhgFile shores;
        QString error;
        // Without shores there is no map; borders are an extra.
        if (!shores.Load(FileOf("GSHHS", resolution.letter), GshhgFile::Kind::Shoreline, error))
            return false;
        resolution.shoreBinSize = shores.GetBinSize();
        resolution.shores.reserve(shores.GetBins().size());
        for (GshhgBin& bin : shores.TakeBins())
            resolution.shores.push_back({std::move(bin), std::nullopt});
        GshhgFile borders;
        if (borders.Load(FileOf("border", resolution.letter), GshhgFile::Kind::Border, error)) {
            resolution.borderBinSize = borders.GetBinSize();
            for (GshhgBin& bin : borders.TakeBins())
                if (!bin.segments.empty())
                    resolution.borders.push_back({std::move(bin), std::nullopt});
        }
    }
    return !resolution.shores.empty();
}

QString WorldBasemap::FileOf(const char* kind, char letter) const
{
    return QStringLiteral("%1/binned_%2_%3.nc").arg(m_folder, QLatin1String(kind), QString(QLatin1Char(letter)));
}
