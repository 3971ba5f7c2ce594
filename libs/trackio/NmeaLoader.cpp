#include "NmeaLoader.h"

#include "NmeaSentence.h"

#include <algorithm>

namespace {
// A fix takes two sentences of about 70 bytes at least; logs with more
// sentences per fix leave spare room, which is freed at the end.
constexpr qint64 MinBytesPerPoint = 140;
} // namespace

bool NmeaLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    int segmentTid = -1;
    TrackData& points = context.AddSegment(context.GetFileTid(), QString(), segmentTid);
    points.Reserve(static_cast<int>(std::min<qint64>(context.GetTotalBytes() / MinBytesPerPoint, 1 << 26)));
    m_points = &points;
    m_dates.emplace(points);
    m_assembler = NmeaFixAssembler();

    const bool ok = ReadSentences(device, context);
    if (ok) {
        NmeaFix last;
        if (m_assembler.Flush(last))
            AddFix(last);
        m_dates->Finish();
        if (points.GetPoints().capacity() > points.GetPoints().size() + points.GetPoints().size() / 4)
            points.Compact();
        context.RemoveNodeIfEmpty(segmentTid);
    }
    m_dates.reset();
    m_points = nullptr;
    return ok;
}

NmeaLoader::SentenceUse NmeaLoader::OnSentence(const NmeaSentence& sentence)
{
    NmeaFix closed;
    switch (m_assembler.Add(sentence, closed)) {
    case NmeaFixAssembler::Result::Ignored:
        return SentenceUse::Ignored;
    case NmeaFixAssembler::Result::Unreadable:
        return SentenceUse::Unreadable;
    case NmeaFixAssembler::Result::Taken:
        return SentenceUse::Used;
    case NmeaFixAssembler::Result::FixClosed:
        AddFix(closed);
        return SentenceUse::Used;
    }
    return SentenceUse::Ignored;
}

void NmeaLoader::AddFix(const NmeaFix& fix)
{
    if (fix.hasPosition) {
        TrackPoint point;
        point.Set2D({fix.lon, fix.lat});
        if (fix.hasElevation)
            point.SetElevation(fix.elevation);
        TrackPointGpsParams& gps = point.GetGpsParams();
        gps = fix.gps;
        const PositionFixType fixType = fix.GetFixType();
        if (fixType != PositionFixType::Unknown)
            gps.SetFixType(fixType);
        if (fix.isVoid)
            point.GetStatus().SetFilterReason(TrackPointStatus::NoGpsReason);
        m_points->Append(point);
        CountPoint();
    }
    m_dates->AddFix(fix.hasTime, fix.timeOfDay, fix.date, fix.hasPosition);
}
