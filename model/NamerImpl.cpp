#include "NamerImpl.h"

#include "GEventManagerImpl.h"
#include "OpenTracksModel.h"
#include "StringIds.h"
#include "TimeConv.h"
#include "TimeZones.h"
#include "TrackPoint.h"
#include "TrackPtNavI.h"
#include "TrackTreeAlg.h"
#include "Translator.h"

NamerImpl::NamerImpl(OpenTracksModel& model, GEventManagerImpl& events)
    : m_model(model)
    , m_events(events)
    , m_subscription(events.Subscribe(GEventFilter{GEventKind::TreeChanged}, [this] { OnTreeChanged(); },
                                      GEventGroup::Derived))
{
}

QString NamerImpl::GetDefaultName(const std::vector<int>& tids) const
{
    return MakeName(GetSpan(tids));
}

QString NamerImpl::MakeName(const TimePeriod& span)
{
    const Translator& texts = Translator::GetInstance();
    if (!span.IsValid())
        return texts.LoadStr(IDS_NAME_EMPTY);
    const Time start = TimeZones::GetInstance().FromUtc(span.GetStart());
    QString name = QStringLiteral("GPS_") + QString::fromStdString(TimeConv::GetYMD(start, '-'));
    // Whole days, halves rounded up.
    const int64_t microseconds = span.GetDuration().GetMicroseconds();
    const int64_t day = TimeSpan::MicrosecondsPerDay;
    const int64_t halfDaysUp = microseconds + day / 2;
    const int64_t days = halfDaysUp >= 0 ? halfDaysUp / day : -((-halfDaysUp + day - 1) / day);
    if (days != 0) {
        name += u'+' + QString::number(days) + texts.LoadStr(days == 1 ? IDS_NAME_DAY : IDS_NAME_DAYS);
    } else {
        name += u'_' + QString::fromStdString(TimeConv::GetHMS(start, MillisecondsStatus::Without, '-'));
    }
    return name;
}

TimePeriod NamerImpl::GetSpan(const std::vector<int>& tids) const
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(tids, segments);
    TimePeriod span;
    TrackPoint point;
    for (const int tid : segments) {
        const TrackPtr track = m_model.GetTrack(tid);
        const TrackPtNavI& navigator = track->GetPtNav();
        if (navigator.GetValidCount() == 0)
            continue;
        if (span.GetStart().IsNull() && track->GetPoint(navigator.GetFirstValid(), point))
            span.SetStart(point.GetTime());
        if (track->GetPoint(navigator.GetLastValid(), point) && !point.GetTime().IsNull())
            span.SetEnd(point.GetTime());
    }
    return span;
}

void NamerImpl::OnTreeChanged()
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackTreeEditorPtr editor = m_model.GetEditor();
    for (const int tid : m_events.GetTreeChanges()->GetAdded()) {
        const TrackInfo::Node* node = reader->GetNode(tid);
        if (node != nullptr && node->GetKind() != TrackInfo::KindSegment && node->GetName().isEmpty())
            editor->SetName(tid, GetDefaultName({tid}));
    }
}
