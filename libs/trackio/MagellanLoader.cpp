#include "MagellanLoader.h"

#include "NmeaSentence.h"

#include <string_view>

namespace {

using Field = NmeaSentence::Field;

constexpr double MetresPerFoot = 0.3048;
// Through the status; the name and date came later. A line without a
// checksum must be whole, since a cut one looks the same.
constexpr int MinFields = 8;
constexpr int FullFields = 10;

} // namespace

bool MagellanLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    m_context = &context;
    const bool ok = ReadSentences(device, context);
    if (ok && m_points) {
        m_dates->Finish();
        context.RemoveNodeIfEmpty(m_segmentTid);
    }
    m_dates.reset();
    m_points = nullptr;
    m_context = nullptr;
    return ok;
}

MagellanLoader::SentenceUse MagellanLoader::OnSentence(const NmeaSentence& s)
{
    if (s.GetAddress() != "PMGNTRK")
        return SentenceUse::Ignored;
    if (s.GetFieldCount() < MinFields || (!s.HadChecksum() && s.GetFieldCount() < FullFields))
        return SentenceUse::Unreadable;

    double lat = 0, lon = 0, altitude = 0;
    int64_t timeOfDay = 0;
    Time date;
    const Field latField = NmeaSentence::ReadCoordinate(s.GetField(0), s.GetField(1), 90, lat);
    const Field lonField = NmeaSentence::ReadCoordinate(s.GetField(2), s.GetField(3), 180, lon);
    const Field altField = NmeaSentence::ReadNumber(s.GetField(4), altitude);
    const Field timeField = NmeaSentence::ReadTimeOfDay(s.GetField(6), timeOfDay);
    const Field dateField = NmeaSentence::ReadDate(s.GetField(9), date);
    for (const Field field : {latField, lonField, altField, timeField, dateField}) {
        if (field == Field::Bad)
            return SentenceUse::Unreadable;
    }
    const bool hasPosition = latField == Field::Ok && lonField == Field::Ok;
    if (!hasPosition && (latField == Field::Ok || lonField == Field::Ok))
        return SentenceUse::Unreadable;

    if (!m_points) {
        const std::string_view field = s.GetField(8);
        const QString name = QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size())).trimmed();
        m_points = &m_context->AddSegment(m_context->GetFileTid(), name, m_segmentTid);
        m_dates.emplace(*m_points);
    }
    if (hasPosition) {
        TrackPoint point;
        point.Set2D({lon, lat});
        if (altField == Field::Ok)
            point.SetElevation(s.GetField(5) == "F" ? altitude * MetresPerFoot : altitude);
        if (s.GetField(7) == "V")
            point.GetStatus().SetFilterReason(TrackPointStatus::NoGpsReason);
        m_points->Append(point);
        CountPoint();
    }
    m_dates->AddFix(timeField == Field::Ok, timeOfDay, date, hasPosition);
    return SentenceUse::Used;
}
