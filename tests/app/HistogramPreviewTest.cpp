#include "AppTracksFixture.h"
#include "CommandIds.h"
#include "DialogScript.h"
#include "EditUndoUI.h"
#include "FilterPreviewMarks.h"
#include "FilterUI.h"
#include "HistogramDlg.h"
#include "HistogramView.h"
#include "MainFrame.h"
#include "MessageBoxScript.h"
#include "StringIds.h"
#include "TrackPtNavI.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr int kMaxSpeedRow = 1;
constexpr int kMinDistRow = 0;

class HistogramPreviewTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        ValueFilterLimits::GetInstance().Clear();
        new EditUndoUI(m_frame);
        new FilterUI(m_frame);
        // The pane class has no meta object of its own for findChild to match.
        for (QWidget* widget : m_frame.findChildren<QWidget*>())
            if (auto* pane = dynamic_cast<HistogramDlg*>(widget))
                m_pane = pane;
        ASSERT_NE(m_pane, nullptr);
        m_pane->resize(400, 200);
        m_pane->show();
    }

    void TearDown() override
    {
        ValueFilterLimits::GetInstance().Clear();
        AppTracksFixture::TearDown();
    }

    // 100 points a second apart; the speed climbs by 1 km/h a point from
    // 10 km/h, so each limit cuts off a known share.
    int AddClimbingRide()
    {
        std::vector<TrackPoint> points;
        double meters = 0;
        for (int i = 0; i < 100; ++i) {
            points.push_back(At(meters, Time(2024, 5, 1, 10, i / 60, i % 60)));
            meters += (10.0 + i) / 3.6;
        }
        const int segment = Segments(AddFile({points})).front();
        Holder().SetSelection({segment});
        Holder().SetCurrentPoint(segment, 0);
        return segment;
    }

    void Mouse(QEvent::Type type, int x, Qt::MouseButtons held)
    {
        HistogramView& view = m_pane->GetView();
        const QPointF at(x, view.height() / 2);
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    void Drag(int fromX, int toX)
    {
        Mouse(QEvent::MouseButtonPress, fromX, Qt::LeftButton);
        Mouse(QEvent::MouseMove, (fromX + toX) / 2, Qt::LeftButton);
        Mouse(QEvent::MouseMove, toX, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, toX, Qt::NoButton);
    }

    QString Limit(int row) const
    {
        return ValueFilterLimits::GetInstance().GetTexts(MeasuringSystem::Metric)[static_cast<size_t>(row)];
    }

    int Valid(int tid) const { return Model().GetTrack(tid)->GetPtNav().GetValidCount(); }

    MainFrame m_frame;
    MessageBoxScript m_boxes;
    HistogramDlg* m_pane = nullptr;
};

} // namespace

TEST_F(HistogramPreviewTest, DraggingALineSetsTheLimitAndPreviewsWithoutChangingThePoints)
{
    const int segment = AddClimbingRide();
    HistogramView& view = m_pane->GetView();
    ASSERT_EQ(view.GetValues().size(), 100u);
    EXPECT_TRUE(Limit(kMaxSpeedRow).isEmpty());

    // From the right edge, where the maximum comes in, to the middle.
    const int middle = view.width() / 2;
    Drag(view.width() - 1, middle);
    const double limit = Limit(kMaxSpeedRow).toDouble();
    EXPECT_NEAR(limit, view.ValueAtColumn(middle), 0.05);
    EXPECT_EQ(m_pane->GetSpeedField().text(), Limit(kMaxSpeedRow));

    // Speeds from 11 to 109 km/h: those above the limit would go (and
    // once one goes, the next one's speed is over a longer step, no lower).
    const FilterPreviewMarks& marks = FilterPreviewMarks::GetInstance();
    EXPECT_EQ(marks.GetTid(), segment);
    const int above = static_cast<int>(std::count_if(view.GetValues().begin(), view.GetValues().end(),
                                                     [limit](double v) { return v > limit; }));
    ASSERT_GT(above, 10);
    EXPECT_EQ(static_cast<int>(marks.GetIndices().size()), above);
    EXPECT_EQ(m_pane->GetCountField().text(), QString::number(above));
    EXPECT_EQ(m_pane->GetPercentField().text(), QString::number(above, 'f', 2));
    EXPECT_EQ(Valid(segment), 100);

    // Further left, more would go: the line follows the mouse.
    Drag(middle, middle / 2);
    EXPECT_LT(Limit(kMaxSpeedRow).toDouble(), limit);
    EXPECT_GT(static_cast<int>(marks.GetIndices().size()), above);
    // The minimum speed is the other line of the chart; the maximum stays.
    const QString maximum = Limit(kMaxSpeedRow);
    Drag(0, 10);
    EXPECT_FALSE(Limit(2).isEmpty());
    EXPECT_EQ(Limit(kMaxSpeedRow), maximum);
}

TEST_F(HistogramPreviewTest, ALimitInTheBulkOfALongTrackIsWorkedOutInPartsWhileTheWindowStaysLive)
{
    // 60,000 points at speeds all over 10 to 40 km/h: a limit in the middle
    // catches half of them, more than a part of the work can judge.
    std::mt19937 random(5);
    std::uniform_real_distribution<double> speed(10.0, 40.0);
    std::vector<TrackPoint> points;
    double meters = 0;
    for (int i = 0; i < 60000; ++i) {
        points.push_back(At(meters, Time(2024, 5, 1, 0, 0, 0) + TimeSpan::FromSeconds(i)));
        meters += speed(random) / 3.6;
    }
    const int segment = Segments(AddFile({points})).front();
    Holder().SetSelection({segment});
    Holder().SetCurrentPoint(segment, 0);
    HistogramView& view = m_pane->GetView();
    ASSERT_EQ(view.GetValues().size(), 60000u);

    Drag(view.width() - 1, view.width() / 2);
    const QString counting = Translator::GetInstance().LoadStr(IDS_PREVIEW_COUNTING);
    EXPECT_EQ(m_pane->GetPercentField().text(), counting);
    const std::vector<int> early = FilterPreviewMarks::GetInstance().GetIndices();
    EXPECT_EQ(m_pane->GetCountField().text(), QString::number(early.size()));

    // The rest comes while the window waits for input.
    QElapsedTimer waited;
    waited.start();
    while (m_pane->GetPercentField().text() == counting && waited.elapsed() < 60000)
        QApplication::processEvents();
    const std::vector<int> previewed = FilterPreviewMarks::GetInstance().GetIndices();
    EXPECT_EQ(m_pane->GetCountField().text(), QString::number(previewed.size()));
    EXPECT_EQ(m_pane->GetPercentField().text(), QString::number(100.0 * previewed.size() / 60000, 'f', 2));
    EXPECT_GT(previewed.size(), 20000u);
    EXPECT_TRUE(std::includes(previewed.begin(), previewed.end(), early.begin(), early.end()));

    m_boxes.AddAnswer(IDOK);
    m_pane->GetApplyButton().click();
    std::vector<int> filtered;
    Model().GetTrack(segment)->GetPtNav().GetFilteredIndices(filtered);
    EXPECT_EQ(filtered, previewed);
}

TEST_F(HistogramPreviewTest, ApplyMarksWhatThePreviewShowedAsOneUndoStep)
{
    const int segment = AddClimbingRide();
    Drag(m_pane->GetView().width() - 1, m_pane->GetView().width() / 3);
    const std::vector<int> previewed = FilterPreviewMarks::GetInstance().GetIndices();
    ASSERT_FALSE(previewed.empty());
    const size_t steps = OpenTracks::Get().history.GetStepCount();

    m_boxes.AddAnswer(IDOK);
    ASSERT_TRUE(m_pane->GetApplyButton().isEnabled());
    m_pane->GetApplyButton().click();
    std::vector<int> filtered;
    Model().GetTrack(segment)->GetPtNav().GetFilteredIndices(filtered);
    EXPECT_EQ(filtered, previewed);
    EXPECT_EQ(OpenTracks::Get().history.GetStepCount(), steps + 1);
    // Nothing more to mark with the same limits.
    EXPECT_TRUE(FilterPreviewMarks::GetInstance().GetIndices().empty());

    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Valid(segment), 100);
    EXPECT_EQ(FilterPreviewMarks::GetInstance().GetIndices(), previewed);
    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_EDIT_REDO));
    Model().GetTrack(segment)->GetPtNav().GetFilteredIndices(filtered);
    EXPECT_EQ(filtered, previewed);
}

TEST_F(HistogramPreviewTest, DialogAndPaneShowEachOthersLimits)
{
    AddClimbingRide();
    Drag(m_pane->GetView().width() - 1, m_pane->GetView().width() / 2);
    const QString fromPane = Limit(kMaxSpeedRow);
    ASSERT_FALSE(fromPane.isEmpty());

    DialogScript dialogs;
    dialogs.AddAction([&](DlgBase& dlg) {
        auto* maxSpeed = dlg.findChild<QLineEdit*>(QStringLiteral("1552"));
        auto* minDist = dlg.findChild<QLineEdit*>(QStringLiteral("1550"));
        EXPECT_TRUE(maxSpeed && minDist);
        if (!maxSpeed || !minDist)
            return IDCANCEL;
        EXPECT_EQ(maxSpeed->text(), fromPane);
        EXPECT_TRUE(minDist->text().isEmpty());
        maxSpeed->setText(QStringLiteral("42"));
        minDist->setText(QStringLiteral("9.5"));
        return IDOK;
    });
    m_boxes.AddAnswer(IDOK);
    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_FILTER_BY_VALUE));
    EXPECT_EQ(dialogs.GetPendingCount(), 0u);

    // The speed chart's maximum line now stands at 42 km/h ...
    HistogramView& view = m_pane->GetView();
    ASSERT_EQ(view.GetCutOffs().size(), 2u);
    ASSERT_TRUE(view.GetCutOffs().front().value.has_value());
    EXPECT_DOUBLE_EQ(*view.GetCutOffs().front().value, 42.0);
    EXPECT_EQ(m_pane->GetSpeedField().text(), QStringLiteral("42"));
    // ... and the distance chart shows the minimum distance.
    m_pane->GetChooser().setCurrentIndex(HistogramDlg::Distance);
    ASSERT_EQ(view.GetCutOffs().size(), 1u);
    EXPECT_EQ(view.GetCutOffs().front().row, kMinDistRow);
    ASSERT_TRUE(view.GetCutOffs().front().value.has_value());
    EXPECT_DOUBLE_EQ(*view.GetCutOffs().front().value, 9.5);

    // A cancelled dialog leaves the limits alone.
    dialogs.AddAction([](DlgBase& dlg) {
        if (auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1552")))
            edit->setText(QStringLiteral("5"));
        return IDCANCEL;
    });
    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_FILTER_BY_VALUE));
    EXPECT_EQ(Limit(kMaxSpeedRow), QStringLiteral("42"));
}

TEST_F(HistogramPreviewTest, ChartsHdopAndSatellitesOnlyWhereThePointsCarryThem)
{
    std::vector<TrackPoint> carrying;
    for (int i = 0; i < 10; ++i) {
        TrackPoint point = At(10.0 * i, Time(2024, 5, 1, 10, 0, i));
        // Every other point says nothing of its fix.
        if (i % 2 == 0) {
            point.GetGpsParams().SetHdop(5.0 - 0.5 * i);
            point.GetGpsParams().SetSatCount(4 + i);
        }
        carrying.push_back(point);
    }
    std::vector<TrackPoint> silent;
    for (int i = 0; i < 10; ++i)
        silent.push_back(At(10.0 * i, Time(2024, 5, 1, 12, 0, i)));
    const std::vector<int> segments = Segments(AddFile({carrying, silent}));
    Holder().SetSelection({segments[0]});
    Holder().SetCurrentPoint(segments[0], 0);

    QComboBox& chooser = m_pane->GetChooser();
    chooser.setCurrentIndex(HistogramDlg::Hdop);
    EXPECT_EQ(m_pane->GetView().GetValues(), (std::vector<double>{1.0, 2.0, 3.0, 4.0, 5.0}));
    // No filter by value limits HDOP: no line to drag.
    EXPECT_TRUE(m_pane->GetView().GetCutOffs().empty());
    chooser.setCurrentIndex(HistogramDlg::Satellites);
    EXPECT_EQ(m_pane->GetView().GetValues(), (std::vector<double>{4, 6, 8, 10, 12}));

    // A segment without them: the chart goes back to the speeds.
    Holder().SetSelection({segments[1]});
    Holder().SetCurrentPoint(segments[1], 0);
    EXPECT_EQ(chooser.currentIndex(), HistogramDlg::Speed);
    EXPECT_EQ(m_pane->GetView().GetValues(), HistogramDlg::SegmentSpeeds(segments[1]));
}
