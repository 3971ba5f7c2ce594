#include "TrkRecord.h"

#include "Locale.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "TimeZones.h"
#include "TrackDurationText.h"
#include "TrackListData.h"
#include "TrkColorRecordItem.h"
#include "TrkNameRecordItem.h"
#include "UnitsConv.h"

namespace {

template <class Item, class... Args>
Item* Add(ReportRecord& record, int columnId, Args&&... args)
{
    auto item = std::make_unique<Item>(std::forward<Args>(args)...);
    Item* raw = item.get();
    record.SetItem(columnId, std::move(item));
    return raw;
}

QString Shown(const Time& utc, bool timeOfDay)
{
    const Time local = TimeZones::GetInstance().FromUtc(utc);
    return timeOfDay ? Locale::GetTimeString(local) : Locale::GetDateString(local, Locale::LongDate);
}

} // namespace

TrkRecord::TrkRecord(int tid, const TrkNameActions& actions)
    : ReportRecord(tid)
{
    Add<TrkNameRecordItem>(*this, TrkColumn::Name, tid, actions);
    m_start = Add<ReportRecordItemText>(*this, TrkColumn::Start);
    m_finish = Add<ReportRecordItemText>(*this, TrkColumn::Finish);
    m_duration = Add<ReportRecordItemText>(*this, TrkColumn::Duration);
    m_distance = Add<ReportRecordItemText>(*this, TrkColumn::Distance);
    m_points = Add<ReportRecordItemText>(*this, TrkColumn::Points);
    m_color = Add<TrkColorRecordItem>(*this, TrkColumn::Color, tid);
    Refresh();
}

void TrkRecord::Refresh()
{
    const TrackListData data = TrackListData::OfNode(GetId());
    QString start;
    QString finish;
    QString duration;
    if (data.HasTimes()) {
        // Segments show times of day under their file's date; folders
        // would only repeat what their file and segments show.
        switch (data.kind) {
        case TrackInfo::KindSegment:
            start = Shown(data.start, true);
            finish = Shown(data.finish, true);
            break;
        case TrackInfo::KindFolder:
            break;
        default:
            start = Shown(data.start, false);
            break;
        }
        duration = TrackDurationText(data.finish - data.start);
    }
    m_start->SetText(start);
    m_finish->SetText(finish);
    m_duration->SetText(duration);
    const DistanceUnits units = UnitsConv::GetLargeDistUnits(OptUnits::GetInstance().GetMeasuringSystem());
    m_distance->SetText(Locale::GetDoubleString(UnitsConv::MetersToUnits(data.distance, units), 1));
    m_points->SetText(Locale::GetIntString(data.validCount));

    const TrackInfo::Node* node = OpenTracks::Get().model.GetReader()->GetNode(GetId());
    if (node && node->GetKind() == TrackInfo::KindSegment) {
        const RgbStruct& colour = static_cast<const TrackInfo::Segment*>(node)->GetColour();
        if (colour.IsSet())
            m_color->SetColor(colour.GetColorref());
    }
}
