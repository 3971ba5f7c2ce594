#include "PointPropDlg.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "PointPropCtrl.h"
#include "TrackPointEx.h"

#include <QVBoxLayout>

namespace {

constexpr int TemplateId = 133;

} // namespace

PointPropDlg::PointPropDlg(QWidget* parent)
    : PaneDlgBase(TemplateId, parent), m_sheet(new PointPropCtrl(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
    using namespace GEventKind;
    const GEventFilter kinds{PointsChanged, SelectionChanged, CurrentPointChanged, PointViewChanged,
                             PointRemovedRestored, PointAdded, UnitsChanged};
    m_events = GEventManagerImpl::GetInstance().Subscribe(kinds, [this] { Refill(); }, GEventGroup::Views);
    Refill();
}

void PointPropDlg::Refill()
{
    const TrackPosition current = OpenTracks::Get().holder.GetState().GetCurrentPoint();
    if (current.index < 0)
        return;
    const TrackPtr track = OpenTracks::Get().model.GetTrack(current.tid);
    TrackPointEx point;
    if (track && track->GetPointEx(current.index, point))
        m_sheet->Fill(point, current.index);
}
