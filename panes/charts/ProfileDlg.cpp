#include "ProfileDlg.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "OpenTrackStatistics.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "PointRangeMenu.h"
#include "StatisticsText.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "Translator.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace ProfileQuantity;

namespace {

constexpr int kAxisNames[] = {IDS_PROFILE_AXIS_DISTANCE, IDS_PROFILE_AXIS_ELAPSED, IDS_PROFILE_AXIS_TIME_OF_DAY};

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

int RunMenu(const CommandMenu::Commands& commands, const QPoint& at)
{
    QMenu menu;
    CommandMenu::Fill(menu, commands, [](int) { return false; });
    return CommandMenu::Exec(menu, at);
}

bool Contains(const std::vector<int>& tids, int tid)
{
    return std::find(tids.begin(), tids.end(), tid) != tids.end();
}

} // namespace

ProfileDlg::ProfileDlg(ShowPoint showPoint, QWidget* parent)
    : PaneDlgBase(kTemplateId, parent)
    , m_view(new ProfileView(this))
    , m_axisChoice(new QComboBox(this))
    , m_valuesButton(new QToolButton(this))
    , m_rangeSummary(new QLabel(this))
    , m_showPoint(std::move(showPoint))
    , m_menuRunner(RunMenu)
{
    const Translator& tr = Translator::GetInstance();
    for (int id : kAxisNames)
        m_axisChoice->addItem(tr.LoadStr(id));
    m_axisChoice->setToolTip(tr.LoadStr(IDS_PROFILE_AXIS_TIP));
    m_axisChoice->setCurrentIndex(static_cast<int>(m_settings.GetAxis()));
    m_valuesButton->setText(tr.LoadStr(IDS_PROFILE_VALUES));
    m_valuesButton->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(m_valuesButton);
    const std::vector<Id> chosen = m_settings.GetQuantities();
    for (int q = 0; q < Count; ++q) {
        QAction* action = menu->addAction(tr.LoadStr(GetNameId(static_cast<Id>(q))));
        action->setCheckable(true);
        action->setChecked(std::find(chosen.begin(), chosen.end(), static_cast<Id>(q)) != chosen.end());
        connect(action, &QAction::toggled, this, [this] { ApplyChoices(); });
        m_valueActions[static_cast<size_t>(q)] = action;
    }
    m_valuesButton->setMenu(menu);
    connect(m_axisChoice, &QComboBox::currentIndexChanged, this, [this] { ApplyChoices(); });

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(m_axisChoice);
    bar->addWidget(m_valuesButton);
    bar->addStretch(1);
    // A range's figures are a long line: on a row of their own and wrapped,
    // they do not make the pane, and with it the window, wider than the
    // docks beside it allow.
    m_rangeSummary->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(bar);
    layout->addWidget(m_rangeSummary);
    layout->addWidget(m_view, 1);

    m_view->SetEmptyText(tr.LoadStr(IDS_PROFILE_NO_SEGMENT));
    m_view->GetChart().SetUtcOffset([](double utc) {
        return static_cast<int>(TimeZones::GetInstance().GetUtcOffset(Time::TimeSeconds(utc)).GetInSeconds());
    });
    m_view->SetOnPointClicked([this](int tid, int index) { OnPointClicked(tid, index); });
    m_view->SetOnRangeDragged(
        [](int tid, int first, int last) { Tracks().holder.SetPointRange(tid, first, last); });
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { ShowMenu(m_view->mapToGlobal(at)); });
    auto* clear = new QShortcut(QKeySequence(Qt::Key_Escape), this, [] { Tracks().holder.ClearPointRange(); });
    clear->setContext(Qt::WidgetWithChildrenShortcut);
    using namespace GEventKind;
    m_events = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{TreeChanged, PointsChanged, SelectionChanged, CurrentPointChanged, PointRemovedRestored, PointAdded,
                     UnitsChanged, PointRangeChanged},
        [this] { OnEvent(); }, GEventGroup::Views);
    m_timeZone = TimeZones::GetInstance().Subscribe([this] { m_view->update(); });
    ApplyUnits();
    ApplyChoices();
    Bind(true);
}

ProfileDlg::~ProfileDlg() = default;

void ProfileDlg::SetOnRangeDragged(ProfileView::RangeHandler handler)
{
    m_view->SetOnRangeDragged(std::move(handler));
}

void ProfileDlg::OnEvent()
{
    using namespace GEventKind;
    GEventManagerImpl& events = GEventManagerImpl::GetInstance();
    const int segment = Tracks().holder.GetState().GetCurrentSegment();
    switch (events.GetCurrentEvent().kind) {
    case UnitsChanged:
        ApplyUnits();
        m_view->Refresh();
        ApplyRange();
        return;
    case PointRangeChanged:
        ApplyRange();
        return;
    case PointsChanged:
        Bind(true);
        return;
    case PointRemovedRestored:
    case PointAdded:
        Bind(segment != m_segment || events.GetPair().first == m_segment);
        return;
    case TreeChanged: {
        const TrackTreeChangesPtr changes = events.GetTreeChanges();
        Bind(segment != m_segment
             || (changes && (Contains(changes->GetChanged(), m_segment) || Contains(changes->GetRemoved(), m_segment))));
        return;
    }
    default:
        // Stepping through the points of the charted segment only moves the marker.
        Bind(segment != m_segment);
        return;
    }
}

void ProfileDlg::Bind(bool rebuild)
{
    const TracksStateI& state = Tracks().holder.GetState();
    const int segment = state.GetCurrentSegment();
    if (rebuild || segment != m_segment) {
        const TrackPtr track = segment < 0 ? TrackPtr() : Tracks().model.GetTrack(segment);
        m_view->GetChart().SetSeries(track ? std::make_shared<const ProfileSeries>(ProfileSeries::Build(*track))
                                           : std::shared_ptr<const ProfileSeries>());
        m_segment = segment;
        OfferValues();
        ApplyRange();
    }
    const TrackPosition current = state.GetCurrentPoint();
    m_view->SetCurrentPoint(current.tid == m_segment ? current.index : -1);
}

void ProfileDlg::ApplyUnits()
{
    const OptUnits& units = OptUnits::GetInstance();
    m_view->GetChart().SetUnits(units.GetMeasuringSystem(), units.GetTemperatureUnits());
}

void ProfileDlg::ApplyChoices()
{
    std::vector<Id> chosen;
    for (int q = 0; q < Count; ++q)
        if (m_valueActions[static_cast<size_t>(q)]->isChecked())
            chosen.push_back(static_cast<Id>(q));
    const auto axis = static_cast<ProfileAxis>(std::max(m_axisChoice->currentIndex(), 0));
    m_settings.SetQuantities(chosen);
    m_settings.SetAxis(axis);
    ProfileChart& chart = m_view->GetChart();
    chart.SetQuantities(chosen);
    chart.SetAxis(axis);
    m_view->Refresh();
}

void ProfileDlg::OfferValues()
{
    const ProfileSeries* series = m_view->GetChart().GetSeries();
    for (int q = 0; q < Count; ++q)
        m_valueActions[static_cast<size_t>(q)]->setVisible(series && series->carried[static_cast<size_t>(q)]);
    m_valuesButton->setEnabled(series && series->Size() > 0);
    // The time axes need times.
    m_axisChoice->setEnabled(!series || series->hasTimes);
}

void ProfileDlg::OnPointClicked(int tid, int index)
{
    const TrackPosition point{tid, index};
    const bool changed = Tracks().holder.GetState().GetCurrentPoint() != point;
    Tracks().holder.SetCurrentPoint(tid, index);
    if (changed && m_showPoint)
        m_showPoint(point);
}

void ProfileDlg::ApplyRange()
{
    const PointRange range = Tracks().holder.GetState().GetPointRange();
    const bool shown = !range.IsEmpty() && range.tid == m_segment;
    m_view->SetRange(shown ? range.first : -1, shown ? range.last : -1);
    m_rangeSummary->setText(
        shown ? StatisticsText::Summary(OpenTrackStatistics::OfSegmentRange(range.tid, range.first, range.last))
              : QString());
}

QString ProfileDlg::GetRangeSummary() const
{
    return m_rangeSummary->text();
}

void ProfileDlg::ShowMenu(const QPoint& globalPos)
{
    CommandMenu::Commands commands;
    PointRangeMenu::Append(commands);
    const int chosen = m_menuRunner(commands, globalPos);
    if (PointRangeMenu::IsRangeCommand(chosen) && m_sendCommand)
        m_sendCommand(chosen);
}
