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
    m_prefault = PagePrefault(points.GetPoints().data(), points.GetPoints().capacity() * sizeof(TrackPoint));
    m_points = &points;
    m_dates.emplace(points);
    m_assembler = NmeaFixAssembler();
    m_tookTail = false;
    m_tailLine = 0;
    const qint64 total = context.GetTotalBytes();
    if (total >= m_tailFromBytes && device.pos() == 0)
        m_tail = NmeaLogTail::Start(device, static_cast<qint64>(static_cast<double>(total) * m_tailShare),
                                    MinBytesPerPoint);

    const bool ok = ReadSentences(device, context);
    m_tail.reset();
    m_prefault.Stop();
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

bool NmeaLoader::OnLineRead(const LineStreamReader& reader, LoadContext& context)
{
    if (!m_tail || reader.GetLineOffset() < m_tail->GetStart())
        return true;
    if (m_tailLine == 0) {
        if (reader.GetLineOffset() != m_tail->GetStart() || reader.IsDecoding()) {
            m_tail.reset();
            return true;
        }
        m_tailLineNumber = reader.GetLineNumber();
    }
    const size_t line = m_tailLine++;
    const NmeaLogTail::State* state = m_tail->After(line);
    if (!state) {
        m_tail.reset();
        return true;
    }
    if (!(state->assembler == m_assembler))
        return true;
    const qint64 start = m_tail->GetStart();
    const bool finished = m_tail->Finish([&](qint64 bytes) { return context.ReportBytes(start + bytes); });
    if (context.IsCancelled())
        return false;
    if (!finished) {
        m_tail.reset();
        return true;
    }
    TakeTail(*state, line);
    return false;
}

void NmeaLoader::TakeTail(const NmeaLogTail::State& meeting, size_t line)
{
    const std::vector<NmeaFix>& fixes = m_tail->GetFixes();
    for (size_t i = meeting.fixes; i < fixes.size(); ++i)
        AddFix(fixes[i]);
    const NmeaLogTail::State& end = m_tail->GetEnd();
    m_assembler = end.assembler;
    SentenceStats& stats = Stats();
    stats.lines += end.stats.lines - meeting.stats.lines;
    stats.sentences += end.stats.sentences - meeting.stats.sentences;
    stats.badChecksum += end.stats.badChecksum - meeting.stats.badChecksum;
    stats.unreadable += end.stats.unreadable - meeting.stats.unreadable;
    if (stats.firstBadLine == 0) {
        if (const long long bad = m_tail->FirstBadLineAfter(line))
            stats.firstBadLine = m_tailLineNumber - 1 + bad;
    }
    m_tookTail = true;
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
        if (m_points->GetPoints().size() == m_points->GetPoints().capacity())
            m_prefault.Stop(); // the block is about to move
        m_points->Append(point);
        CountPoint();
    }
    m_dates->AddFix(fix.hasTime, fix.timeOfDay, fix.date, fix.hasPosition);
}
