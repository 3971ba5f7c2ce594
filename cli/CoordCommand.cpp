#include "CliCommands.h"

#include "String.h"
#include "UnitsDisp.h"

#include <QTextStream>

#include <cmath>

int RunCoordCommand(const CliCommand&, const QStringList& args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    bool latOk = false;
    bool lonOk = false;
    const double lat = args.size() == 2 ? args[0].toDouble(&latOk) : 0.0;
    const double lon = args.size() == 2 ? args[1].toDouble(&lonOk) : 0.0;
    if (!latOk || !lonOk || std::abs(lat) > 90.0 || std::abs(lon) > 180.0) {
        err << "coord: expected a latitude (-90..90) and a longitude (-180..180) in degrees\n";
        return 2;
    }
    const struct
    {
        CoordFormat format;
        const char* name;
    } formats[] = {
        {CoordFormat::DecimalDegrees, "degrees"},
        {CoordFormat::DegreesMinutes, "degrees, minutes"},
        {CoordFormat::DegreesMinutesSeconds, "degrees, minutes, seconds"},
        {CoordFormat::Utm, "UTM"},
    };
    for (const auto& f : formats) {
        out << qSetFieldWidth(28) << Qt::left << f.name << qSetFieldWidth(0)
            << UnitsDisp::GetCoordString(lat, lon, f.format, CoordSignFormat::PlusMinus, AngleUnits::Typographic)
            << "   |   "
            << UnitsDisp::GetCoordString(lat, lon, f.format, CoordSignFormat::Letters, AngleUnits::Typographic)
            << '\n';
    }
    return 0;
}
