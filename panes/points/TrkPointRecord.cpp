#include "TrkPointRecord.h"

#include "FilterReasons.h"
#include "Locale.h"
#include "PtListNav.h"
#include "TimeConv.h"
#include "TimeZones.h"
#include "TrackPointRep.h"
#include "UnitsDisp.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

const QColor kFilteredText(0xA0, 0xA0, 0xA0);
const QString kNoTime = QStringLiteral("-");

// A dot inside a segment, a triangle at its start, a square at its end;
// green when valid, grey when filtered.
QIcon MakeIcon(int index)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(index % 2 ? QColor(0, 150, 0) : kFilteredText);
    switch (index / 2) {
    case 1:
        painter.drawPolygon(QPolygon({QPoint(2, 1), QPoint(11, 6), QPoint(2, 11)}));
        break;
    case 2:
        painter.drawRect(2, 2, 8, 8);
        break;
    default:
        painter.drawEllipse(3, 3, 6, 6);
        break;
    }
    return QIcon(pixmap);
}

Time Local(const TrackPointEx& point)
{
    return TimeZones::GetInstance().FromUtc(point.GetTime());
}

} // namespace

TrkPointRecord::TrkPointRecord()
{
    for (int i = 0; i < static_cast<int>(m_icons.size()); ++i)
        m_icons[static_cast<size_t>(i)] = MakeIcon(i);
}

int TrkPointRecord::GetIconIndex(int classCode, bool valid)
{
    switch (classCode) {
    case PtListNavI::SegmentStart:
        return valid ? 3 : 2;
    case PtListNavI::SegmentEnd:
        return valid ? 5 : 4;
    default:
        return valid ? 1 : 0;
    }
}

QVariant TrkPointRecord::GetItemMetrics(int row, int columnId, int role) const
{
    TrackPointEx point;
    const int code = m_nav ? m_nav->GetPoint(row, point) : PtListNavI::NoPoint;
    if (code == PtListNavI::NoPoint)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return columnId == PtColumn::Status ? QVariant() : QVariant(GetText(columnId, m_nav->RowToIndex(row), point));
    case Qt::DecorationRole:
        if (columnId == PtColumn::Status)
            return m_icons[static_cast<size_t>(GetIconIndex(code, point.IsValid()))];
        return {};
    case Qt::ForegroundRole:
        return point.IsValid() ? QVariant() : QVariant(kFilteredText);
    case Qt::ToolTipRole:
        if (point.IsValid())
            return {};
        return FilterReasons::GetInstance().GetText(point.GetStatus().GetFilterReason()).text;
    default:
        return {};
    }
}

int TrkPointRecord::GetRowId(int row) const
{
    return m_nav && row >= 0 && row < m_nav->GetRowCount() ? m_nav->RowToIndex(row) : -1;
}

int TrkPointRecord::GetIdRow(int id) const
{
    return m_nav && id >= 0 ? m_nav->IndexToRow(id) : -1;
}

QString TrkPointRecord::GetText(int columnId, int index, const TrackPointEx& point) const
{
    const TrackPointRep rep(point);
    const bool timed = !point.GetTime().IsNull();
    switch (columnId) {
    case PtColumn::Number:
        return Locale::GetIntString(index + 1);
    case PtColumn::Time:
        return timed ? Locale::GetTimeString(Local(point)) : kNoTime;
    case PtColumn::Date:
        return timed ? Locale::GetDateString(Local(point)) : kNoTime;
    case PtColumn::DateTime:
        return timed ? Locale::GetDateString(Local(point)) + QStringLiteral("  ") + Locale::GetTimeString(Local(point))
                     : kNoTime;
    case PtColumn::Elapsed:
        return GetElapsed(point);
    case PtColumn::LegLength:
        return rep.GetLegLengthLoc(1);
    case PtColumn::Speed:
        return rep.GetCalcSpeedLoc(1);
    case PtColumn::Accel:
        return rep.GetAccelSLoc(2);
    case PtColumn::AccelVector:
        return rep.GetAccelVLoc(2);
    case PtColumn::AccelTang:
        return rep.GetAccelTLoc(2);
    case PtColumn::AccelRadial:
        return rep.GetAccelNLoc(2);
    case PtColumn::Heading:
        return rep.GetCalcHeadingLoc(0);
    case PtColumn::Coordinates:
        return UnitsDisp::GetCoordString(point.GetLat(), point.GetLon(), AngleUnits::Keyboard);
    case PtColumn::Elevation:
        return rep.GetElevationLoc(0);
    case PtColumn::FromStart:
        return rep.GetDistFromStart(2);
    case PtColumn::GpsSpeed:
        return rep.GetGpsSpeedLoc(1);
    case PtColumn::GpsHeading:
        return rep.GetGpsHeadingLoc(0);
    case PtColumn::Hdop:
        return rep.GetHdopLoc(1);
    case PtColumn::Vdop:
        return rep.GetVdopLoc(1);
    case PtColumn::Pdop:
        return rep.GetPdopLoc(1);
    case PtColumn::HeartRate:
        return rep.GetHeartRateLoc();
    case PtColumn::Cadence:
        return rep.GetCadenceLoc();
    case PtColumn::Temperature:
        return rep.GetTemperatureLoc(1);
    default:
        return {};
    }
}

QString TrkPointRecord::GetElapsed(const TrackPointEx& point) const
{
    const Time start = m_nav ? m_nav->GetStartTime() : Time();
    if (start.IsNull() || point.GetTime().IsNull())
        return {};
    TimeSpan span = point.GetTime() - start;
    QString text;
    if (span < TimeSpan()) {
        span = -span;
        text = QStringLiteral("-");
    }
    const int days = static_cast<int>(std::floor(span.GetInDays()));
    if (days > 0) {
        text += QStringLiteral("%1d ").arg(days);
        span -= TimeSpan::FromSeconds(days * 86400.0);
    }
    return text + QString::fromStdString(TimeConv::GetHMS(span, MillisecondsStatus::Without));
}
