#pragma once

#include "GshhgFile.h"
#include "WorldBinShape.h"

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

class CoordTransformI;
class QPainter;

// A map of the world that needs no network: land over water, with
// shorelines and national borders, from the GSHHG files that GMT's data
// packages install. Each resolution is read when a scale first needs it and
// kept, each bin shaped when a view first shows it; drawing takes the bins
// in view, already in degrees, through one transform of the painter.
class WorldBasemap
{
public:
    static constexpr QRgb Water = 0xFFAAD3DF;
    static constexpr QRgb Land = 0xFFF2EFE9;
    static constexpr QRgb Shore = 0xFF6B8FA3;
    static constexpr QRgb Border = 0xFF9A7DB0;

    // The first folder of the known places that holds the data, empty when
    // none does.
    static QString FindDataFolder();

    explicit WorldBasemap(QString folder);

    // At least one resolution of shorelines is there.
    bool IsAvailable() const;
    // The letter of the resolution drawn at a scale (metres per pixel):
    // the coarsest whose detail is still below two pixels, else the finest
    // there is; 0 when there is none.
    char ResolutionFor(double metresPerPixel) const;
    // Fills the view: water, the land and lines of the bins it shows. False
    // when the data is missing or does not load; nothing is drawn then.
    bool Draw(QPainter& surface, const CoordTransformI& transform);

private:
    // A bin's pieces as read, until a view first shows the bin: then its
    // shape, which most bins of a finer resolution are never asked for.
    struct Bin
    {
        GshhgBin pieces;
        std::optional<WorldBinShape> shape;
    };
    struct Resolution
    {
        char letter = 0;
        // How far the simplified lines may stray from the real ones.
        double toleranceMetres = 0;
        bool tried = false;
        double shoreBinSize = 0;
        double borderBinSize = 0;
        std::vector<Bin> shores;
        std::vector<Bin> borders;
    };

    // Reads the resolution's files on first use; false when they do not
    // load.
    bool Load(Resolution& resolution);
    QString FileOf(const char* kind, char letter) const;

    QString m_folder;
    std::vector<Resolution> m_resolutions;
};
