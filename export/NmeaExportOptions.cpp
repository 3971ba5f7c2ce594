#include "NmeaExportOptions.h"

#include "NmeaTrackWriter.h"

NmeaExportOptions::NmeaExportOptions()
    : OblOptionsBase(QStringLiteral("Settings\\ExportNmea"))
{
    const OblOptionSectPtr& section = GetOblOptionSectI();
    rmc.Init(section, QStringLiteral("RMC"));
    gga.Init(section, QStringLiteral("GGA"));
    gll.Init(section, QStringLiteral("GLL"));
    gsa.Init(section, QStringLiteral("GSA"));
    zda.Init(section, QStringLiteral("ZDA"));
}

int NmeaExportOptions::GetMessageSet() const
{
    return (rmc.Get() ? NmeaTrackWriter::MessageRmc : 0) | (gga.Get() ? NmeaTrackWriter::MessageGga : 0)
           | (gll.Get() ? NmeaTrackWriter::MessageGll : 0) | (gsa.Get() ? NmeaTrackWriter::MessageGsa : 0)
           | (zda.Get() ? NmeaTrackWriter::MessageZda : 0);
}
