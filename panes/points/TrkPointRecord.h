#pragma once

#include "ReportVirtualRecordI.h"

#include <QIcon>
#include <QString>

#include <array>

class PtListNavI;
class TrackPointEx;

// Column ids of the point list; stored in the saved layouts, so they stay.
namespace PtColumn {
inline constexpr int Status = 0;
inline constexpr int Number = 1;
inline constexpr int Time = 2;
inline constexpr int LegLength = 3;
inline constexpr int Speed = 4;
inline constexpr int Accel = 5;
inline constexpr int AccelVector = 6;
inline constexpr int AccelTang = 7;
inline constexpr int AccelRadial = 8;
inline constexpr int Heading = 9;
inline constexpr int Date = 10;
inline constexpr int Coordinates = 11;
inline constexpr int Elevation = 12;
inline constexpr int DateTime = 13;
inline constexpr int Elapsed = 14;
inline constexpr int FromStart = 15;
inline constexpr int GpsSpeed = 16;
inline constexpr int GpsHeading = 17;
inline constexpr int Hdop = 18;
inline constexpr int Vdop = 19;
inline constexpr int Pdop = 20;
inline constexpr int HeartRate = 21;
inline constexpr int Cadence = 22;
inline constexpr int Temperature = 23;
} // namespace PtColumn

// The one record of the point list: every visible cell is read from the
// navigator's segment when it is drawn, so a long track costs no memory.
class TrkPointRecord : public ReportVirtualRecordI
{
public:
    TrkPointRecord();

    // Null shows nothing.
    void SetNav(const PtListNavI* nav) { m_nav = nav; }

    QVariant GetItemMetrics(int row, int columnId, int role) const override;
    int GetRowId(int row) const override;
    int GetIdRow(int id) const override;

    // The text of a cell as the list shows it, for the point of that index.
    QString GetText(int columnId, int index, const TrackPointEx& point) const;
    // Of the six: ordinary, segment start, segment end; filtered at even
    // places, valid at odd ones.
    static int GetIconIndex(int classCode, bool valid);

private:
    QString GetElapsed(const TrackPointEx& point) const;

    const PtListNavI* m_nav = nullptr;
    std::array<QIcon, 6> m_icons;
};
