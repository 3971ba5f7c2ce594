#include "HistogramDlg.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "HistogramView.h"
#include "OpenTracks.h"
#include "TrackPointEx.h"
#include "Translator.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int TemplateId = 140;
constexpr int SpeedLabel = 1701;
constexpr int PercentLabel = 1703;
constexpr int FieldWidth = 80;

QLineEdit* ReadOnlyField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFixedWidth(FieldWidth);
    return field;
}

} // namespace

HistogramDlg::HistogramDlg(QWidget* parent)
    : PaneDlgBase(TemplateId, parent)
    , m_view(new HistogramView(this))
    , m_speed(ReadOnlyField(this))
    , m_percent(ReadOnlyField(this))
{
    const Translator& tr = Translator::GetInstance();
    auto* layout = new QGridLayout(this);
    // The chart takes every row; the fields keep their width at the right.
    layout->addWidget(m_view, 0, 0, 5, 1);
    layout->addWidget(new QLabel(tr.LoadStr(SpeedLabel), this), 0, 1);
    layout->addWidget(m_speed, 1, 1);
    layout->addWidget(new QLabel(tr.LoadStr(PercentLabel), this), 2, 1);
    layout->addWidget(m_percent, 3, 1);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);
    using namespace GEventKind;
    GEventManagerImpl& events = GEventManagerImpl::GetInstance();
    m_events = events.Subscribe(GEventFilter{PointsChanged, SelectionChanged}, [this] { Refill(); },
                                GEventGroup::Views);
    // Stepping through the points of one segment changes nothing to chart:
    // reading and sorting a long track's speeds at every step would be felt.
    m_currentPoint = events.Subscribe(
        GEventFilter{CurrentPointChanged},
        [this] {
            if (OpenTracks::Get().holder.GetState().GetCurrentSegment() != m_segment)
                Refill();
        },
        GEventGroup::Views);
    Refill();
}

std::vector<double> HistogramDlg::SegmentSpeeds(int tid)
{
    std::vector<double> speeds;
    const TrackPtr track = tid < 0 ? TrackPtr() : OpenTracks::Get().model.GetTrack(tid);
    if (!track)
        return speeds;
    TrackPointEx point;
    for (int i = 0; i < track->GetPointCount(); ++i)
        if (track->GetPointEx(i, point) && point.IsValid())
            speeds.push_back(point.GetCalcParams().Speed);
    std::sort(speeds.begin(), speeds.end());
    return speeds;
}

void HistogramDlg::Refill()
{
    m_segment = OpenTracks::Get().holder.GetState().GetCurrentSegment();
    m_view->SetValues(SegmentSpeeds(m_segment));
}
