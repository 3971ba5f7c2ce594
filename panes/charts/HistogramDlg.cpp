#include "HistogramDlg.h"

#include "CommandIds.h"
#include "FilterPreviewMarks.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "HistogramView.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "ParameterFilterImpl.h"
#include "String.h"
#include "StringIds.h"
#include "TrackPointEx.h"
#include "TrackPtNavI.h"
#include "Translator.h"
#include "ValueFilterLimits.h"
#include "ValueFilterPreview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {

constexpr int TemplateId = 140;
constexpr int PercentLabel = 1703;
constexpr int FieldWidth = 80;
// How long the marks of a limit are worked on at a time, so that a line
// dragged through the bulk of a long track's values still follows the mouse.
constexpr auto PreviewPart = std::chrono::milliseconds(8);
constexpr qint64 MarksShownEveryMs = 250;

// The rows of ValueFilterRows (dialog order) that are limits of each
// quantity; the first one's rule gives the values charted. No filter by
// value has a limit on HDOP or satellites: they are charted without lines.
struct QuantityInfo
{
    int nameId;
    std::vector<int> rows;
};
const std::array<QuantityInfo, HistogramDlg::QuantityCount>& Quantities()
{
    static const std::array<QuantityInfo, HistogramDlg::QuantityCount> quantities = {{
        {IDS_PREVIEW_SPEED, {1, 2}},
        {IDS_PREVIEW_DISTANCE, {0}},
        {IDS_PREVIEW_ACCEL_FORWARD, {3}},
        {IDS_PREVIEW_ACCEL_BRAKE, {4}},
        {IDS_PREVIEW_ACCEL_RADIAL, {5}},
        {IDS_PREVIEW_HDOP, {}},
        {IDS_PREVIEW_SATELLITES, {}},
    }};
    return quantities;
}

const ValueFilterRows::Row& RowAt(int row)
{
    return ValueFilterRows::GetRows()[static_cast<size_t>(row)];
}

// A rule of the row's kind, for the values it compares.
std::unique_ptr<ParameterFilterImpl> RuleOf(int row)
{
    auto rules = std::make_unique<ParameterFilterImpl>();
    rules->Add(RowAt(row).code, RowAt(row).code, 1.0);
    return rules;
}

MeasuringSystem System()
{
    return OptUnits::GetInstance().GetMeasuringSystem();
}

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
    , m_chooser(new QComboBox(this))
    , m_limitLabel(new QLabel(this))
    , m_limit(ReadOnlyField(this))
    , m_count(ReadOnlyField(this))
    , m_percent(ReadOnlyField(this))
    , m_apply(new QPushButton(this))
    , m_previewWork(new QTimer(this))
{
    m_previewWork->setSingleShot(true);
    m_previewWork->setInterval(0);
    connect(m_previewWork, &QTimer::timeout, this,
            [this] { ContinuePreview(ValueFilterPreview::Clock::now() + PreviewPart); });
    const Translator& tr = Translator::GetInstance();
    for (const QuantityInfo& quantity : Quantities())
        m_chooser->addItem(tr.LoadStr(quantity.nameId));
    m_apply->setText(tr.LoadStr(IDS_PREVIEW_APPLY));
    // The pane stands tall and narrow beside the map: the chart takes the
    // whole width, the controls sit in two short columns below it.
    m_chooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_chooser->setMinimumContentsLength(8);
    m_limitLabel->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_view, 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr.LoadStr(IDS_PREVIEW_CHART), this), 1, 0);
    layout->addWidget(m_chooser, 1, 1);
    layout->addWidget(m_limitLabel, 2, 0);
    layout->addWidget(m_limit, 2, 1);
    layout->addWidget(new QLabel(tr.LoadStr(IDS_PREVIEW_POINTS), this), 3, 0);
    layout->addWidget(m_count, 3, 1);
    layout->addWidget(new QLabel(tr.LoadStr(PercentLabel), this), 4, 0);
    layout->addWidget(m_percent, 4, 1);
    layout->addWidget(m_apply, 5, 0, 1, 2);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(1, 1);
    m_view->SetOnMoved([this](int row, double value) { OnLineMoved(row, value); });
    connect(m_chooser, &QComboBox::currentIndexChanged, this, [this] { ShowQuantity(); });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        if (m_sendCommand)
            m_sendCommand(ID_FILTER_APPLY_LIMITS);
    });
    using namespace GEventKind;
    GEventManagerImpl& events = GEventManagerImpl::GetInstance();
    m_events = events.Subscribe(GEventFilter{PointsChanged, SelectionChanged}, [this] { Refill(); },
                                GEventGroup::Views);
    // Stepping through the points of one segment changes nothing to chart:
    // reading and sorting a long track's values at every step would be felt.
    m_currentPoint = events.Subscribe(
        GEventFilter{CurrentPointChanged},
        [this] {
            if (OpenTracks::Get().holder.GetState().GetCurrentSegment() != m_segment)
                Refill();
        },
        GEventGroup::Views);
    m_limits = ValueFilterLimits::GetInstance().Subscribe([this] { ShowLimits(); });
    Refill();
}

HistogramDlg::~HistogramDlg()
{
    FilterPreviewMarks::GetInstance().Clear();
}

std::vector<double> HistogramDlg::SegmentSpeeds(int tid)
{
    const TrackPtr track = tid < 0 ? TrackPtr() : OpenTracks::Get().model.GetTrack(tid);
    if (!track)
        return {};
    ValueFilterPreview preview(track);
    return preview.ColumnOf(RuleOf(Quantities()[Speed].rows.front())->GetRule(0)).values;
}

std::vector<double> HistogramDlg::GpsValues(const TrackI& track, Quantity quantity)
{
    std::vector<double> values;
    TrackPointEx point;
    for (int i = 0; i < track.GetPointCount(); ++i) {
        if (!track.GetPointEx(i, point) || !point.IsValid())
            continue;
        const TrackPointGpsParams& gps = point.GetGpsParams();
        if (quantity == Hdop && gps.HasHdop())
            values.push_back(gps.GetHdop());
        else if (quantity == Satellites && gps.HasSatCount())
            values.push_back(gps.GetSatCount());
    }
    std::sort(values.begin(), values.end());
    return values;
}

void HistogramDlg::Refill()
{
    m_segment = OpenTracks::Get().holder.GetState().GetCurrentSegment();
    const TrackPtr track = m_segment < 0 ? TrackPtr() : OpenTracks::Get().model.GetTrack(m_segment);
    m_previewWork->stop();
    m_preview = track ? std::make_unique<ValueFilterPreview>(track) : nullptr;
    auto* items = qobject_cast<QStandardItemModel*>(m_chooser->model());
    for (const Quantity gps : {Hdop, Satellites}) {
        m_gpsValues[static_cast<size_t>(gps - Hdop)] = track ? GpsValues(*track, gps) : std::vector<double>();
        if (items)
            items->item(gps)->setEnabled(!m_gpsValues[static_cast<size_t>(gps - Hdop)].empty());
    }
    // Off a value the new segment does not carry.
    if (m_chooser->currentIndex() >= Hdop && m_gpsValues[static_cast<size_t>(m_chooser->currentIndex() - Hdop)].empty()) {
        const QSignalBlocker quiet(m_chooser);
        m_chooser->setCurrentIndex(Speed);
    }
    ShowQuantity();
}

void HistogramDlg::ShowQuantity()
{
    const QuantityInfo& quantity = Quantities()[static_cast<size_t>(std::max(0, m_chooser->currentIndex()))];
    if (quantity.rows.empty())
        m_view->SetValues(m_gpsValues[static_cast<size_t>(m_chooser->currentIndex() - Hdop)]);
    else if (m_preview)
        m_view->SetValues(m_preview->ColumnOf(RuleOf(quantity.rows.front())->GetRule(0)).values);
    else
        m_view->SetValues({});
    m_shownRow = -1;
    ShowLimits();
}

void HistogramDlg::ShowLimits()
{
    const MeasuringSystem system = System();
    const ValueFilterRows::Texts texts = ValueFilterLimits::GetInstance().GetTexts(system);
    const QuantityInfo& quantity = Quantities()[static_cast<size_t>(std::max(0, m_chooser->currentIndex()))];
    std::vector<HistogramView::CutOff> cutOffs;
    for (const int row : quantity.rows) {
        const std::optional<double> limit = ValueFilterRows::ParseLimit(texts[static_cast<size_t>(row)],
                                                                        RowAt(row).unit, system);
        cutOffs.push_back({row, RuleOf(row)->GetRule(0).RejectsAbove(), limit});
        if (limit && m_shownRow < 0)
            m_shownRow = row;
    }
    m_view->SetCutOffs(std::move(cutOffs));

    // The limit of the line last moved, else of the first line set, else
    // the label of the first line with nothing in the field.
    const int labelled = m_shownRow >= 0 ? m_shownRow : (quantity.rows.empty() ? -1 : quantity.rows.front());
    m_limitLabel->setVisible(labelled >= 0);
    m_limit->setVisible(labelled >= 0);
    if (labelled >= 0)
        m_limitLabel->setText(ValueFilterRows::GetLabel(RowAt(labelled), system));
    m_limit->setText(m_shownRow >= 0 ? texts[static_cast<size_t>(m_shownRow)] : QString());
    const std::shared_ptr<ParameterFilterImpl> rules = ValueFilterRows::BuildUnregistered(texts, system);
    const bool any = m_preview && rules->GetRuleCount() > 0;
    m_apply->setEnabled(any);
    if (!any) {
        m_previewWork->stop();
        m_count->clear();
        m_percent->clear();
        FilterPreviewMarks::GetInstance().Clear();
        return;
    }
    // The first part of the work counts from here: forgetting the marks of
    // the last limits may take a while on a long track.
    const auto partEnd = ValueFilterPreview::Clock::now() + PreviewPart;
    m_preview->Start(rules);
    m_marksShown.invalidate();
    ContinuePreview(partEnd);
}

void HistogramDlg::ContinuePreview(ValueFilterPreview::Clock::time_point partEnd)
{
    if (!m_preview)
        return;
    const bool complete = m_preview->Continue(partEnd);
    const std::map<int, int>& marked = m_preview->GetMarks();
    // Before the marks are complete: the points found so far, and the share
    // waits for the whole count.
    m_count->setText(QString::number(marked.size()));
    if (complete) {
        const int valid = m_preview->GetTrack()->GetPtNav().GetValidCount();
        m_percent->setText(valid > 0 ? String::Ftoa(100.0 * static_cast<double>(marked.size()) / valid, 2)
                                     : QString());
    } else {
        m_percent->setText(Translator::GetInstance().LoadStr(IDS_PREVIEW_COUNTING));
        m_previewWork->start();
    }
    // The map and the point list follow the marks found so far now and then,
    // not after every part, which would cost a map frame each.
    if (complete || !m_marksShown.isValid() || m_marksShown.elapsed() >= MarksShownEveryMs) {
        FilterPreviewMarks::GetInstance().Show(m_segment, marked);
        m_marksShown.start();
    }
}

void HistogramDlg::OnLineMoved(int row, double value)
{
    m_shownRow = row;
    const ValueFilterRows::Unit unit = RowAt(row).unit;
    const MeasuringSystem system = System();
    // The limit as the user would type it, so that the line, the dialog
    // and the rule's text agree on one number.
    QString text = ValueFilterRows::FormatLimit(value, unit, system);
    // A limit of 0 makes no rule: the line stops at the smallest one written.
    if (!ValueFilterRows::ParseLimit(text, unit, system))
        text = unit == ValueFilterRows::Unit::Accel ? QStringLiteral("0.01") : QStringLiteral("0.1");
    ValueFilterLimits::GetInstance().SetText(row, text, system);
}
