#include "AppTracksFixture.h"
#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "PointRangeMenu.h"
#include "ProfileDlg.h"
#include "RegistryKey.h"
#include "TimeZones.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>
#include <tuple>

namespace {

using namespace ProfileQuantity;

void Send(QWidget& widget, QEvent::Type type, int x, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPointF pos(x, widget.height() / 2.0);
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

void Wheel(QWidget& widget, int x, int notches)
{
    const QPointF pos(x, widget.height() / 2.0);
    QWheelEvent event(pos, widget.mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

class ProfilePaneTest : public AppTracksFixture
{
protected:
    // Every 10 m and 10 s from 10:00, rising 2 m a point, with a heart rate.
    static std::vector<TrackPoint> Climb(int count, const Time& start = Time(2024, 5, 1, 10, 0))
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i) {
            TrackPoint point = At(i * 10.0, start + TimeSpan::FromSeconds(i * 10.0));
            point.SetElevation(100.0 + 2 * i);
            point.GetGpsParams().SetHeartRate(static_cast<unsigned char>(120 + i));
            points.push_back(point);
        }
        return points;
    }

    void SetUp() override
    {
        AppTracksFixture::SetUp();
        RegistryKey(QStringLiteral("Settings\\Profile")).ClearSection();
    }
    void TearDown() override
    {
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc));
        AppTracksFixture::TearDown();
    }

    // A pane laid out at a known size, charting the segment's first point on.
    void Open(ProfileDlg& dlg, int segment)
    {
        Holder().SetCurrentPoint(segment, 0);
        dlg.resize(800, 300);
        dlg.show();
        QCoreApplication::processEvents();
    }

    static int PixelOf(ProfileDlg& dlg, int pointIndex)
    {
        const ProfileChart& chart = dlg.GetView().GetChart();
        const ProfileSeries& series = *chart.GetSeries();
        const int sample = series.SampleOfPoint(pointIndex);
        return static_cast<int>(std::lround(chart.XToPixel(series.X(chart.GetAxis())[static_cast<size_t>(sample)])));
    }
};

TEST_F(ProfilePaneTest, HoverLabelsTheNearestPointAndAClickMakesItCurrent)
{
    const int segment = Segments(AddFile({Climb(11)})).front();
    ProfileDlg dlg;
    Open(dlg, segment);
    ProfileView& view = dlg.GetView();
    ASSERT_EQ(dlg.GetSegment(), segment);

    Send(view, QEvent::MouseMove, PixelOf(dlg, 4) + 2, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view.GetMarks().hoverSample, 4);
    const QStringList lines = view.GetChart().GetSampleLines(4);
    EXPECT_TRUE(lines.contains(QStringLiteral("Elevation: 108 m"))) << lines.join('|').toStdString();

    Send(view, QEvent::MouseButtonPress, PixelOf(dlg, 4) + 2, Qt::LeftButton, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, PixelOf(dlg, 4) + 2, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 4}));
    EXPECT_EQ(view.GetMarks().currentSample, 4);
}

TEST_F(ProfilePaneTest, FollowsTheCurrentPointAndSegmentChosenElsewhere)
{
    const int file = AddFile({Climb(11), Climb(5)});
    const std::vector<int> segments = Segments(file);
    ProfileDlg dlg;
    Open(dlg, segments[0]);
    Holder().SetCurrentPoint(segments[0], 7);
    EXPECT_EQ(dlg.GetView().GetMarks().currentSample, 7);
    // The marker is drawn in red on the point's column.
    const QImage image = dlg.GetView().grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        red += qRed(image.pixel(PixelOf(dlg, 7), y)) > 200 && qGreen(image.pixel(PixelOf(dlg, 7), y)) < 80;
    EXPECT_GT(red, 10);

    Holder().SetCurrentPoint(segments[1], 2);
    EXPECT_EQ(dlg.GetSegment(), segments[1]);
    EXPECT_EQ(dlg.GetView().GetChart().GetSeries()->Size(), 5);
    EXPECT_EQ(dlg.GetView().GetMarks().currentSample, 2);
}

TEST_F(ProfilePaneTest, DragAcrossTheChartYieldsThePointRangeAndShadesIt)
{
    const int segment = Segments(AddFile({Climb(11)})).front();
    Model().GetTrack(segment)->GetPointStatus(2)->SetFilterReason(12);
    Model().GetTrack(segment)->Refresh(false);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    ProfileDlg dlg;
    std::tuple<int, int, int> dragged{-1, -1, -1};
    dlg.SetOnRangeDragged([&](int tid, int first, int last) { dragged = {tid, first, last}; });
    Open(dlg, segment);
    ProfileView& view = dlg.GetView();
    EXPECT_EQ(view.GetChart().GetSeries()->Size(), 10);

    // From just after point 1 (so the filtered point 2 is the first inside) to just past point 6, right to left.
    Send(view, QEvent::MouseButtonPress, PixelOf(dlg, 6) + 1, Qt::LeftButton, Qt::LeftButton);
    Send(view, QEvent::MouseMove, PixelOf(dlg, 4), Qt::NoButton, Qt::LeftButton);
    EXPECT_GE(view.GetMarks().dragFrom, 0);
    Send(view, QEvent::MouseMove, PixelOf(dlg, 1) + 2, Qt::NoButton, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, PixelOf(dlg, 1) + 2, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dragged, std::make_tuple(segment, 3, 6));
    EXPECT_EQ(view.GetMarks().rangeFirstSample, view.GetChart().GetSeries()->SampleOfPoint(3));
    EXPECT_EQ(view.GetMarks().rangeLastSample, view.GetChart().GetSeries()->SampleOfPoint(6));
    // A drag is no click: the current point stayed.
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 0}));

    // A range given from outside that starts on the filtered point shades from the next charted one.
    dlg.SetRange(2, 5);
    EXPECT_EQ(view.GetMarks().rangeFirstSample, view.GetChart().GetSeries()->SampleOfPoint(3));
}

TEST_F(ProfilePaneTest, ADraggedRangeIsTheTracksRangeWithItsFiguresAndItsCommands)
{
    const std::vector<int> segments = Segments(AddFile({Climb(11), Climb(5)}));
    const int segment = segments[0];
    ProfileDlg dlg;
    std::vector<int> sent;
    dlg.SetCommandSender([&](int id) { sent.push_back(id); });
    Open(dlg, segment);
    ProfileView& view = dlg.GetView();
    EXPECT_TRUE(dlg.GetRangeSummary().isEmpty());

    Send(view, QEvent::MouseButtonPress, PixelOf(dlg, 2) - 1, Qt::LeftButton, Qt::LeftButton);
    Send(view, QEvent::MouseMove, PixelOf(dlg, 5), Qt::NoButton, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, PixelOf(dlg, 6) + 1, Qt::LeftButton, Qt::NoButton);
    const PointRange range = Holder().GetState().GetPointRange();
    ASSERT_EQ(range.tid, segment);
    // Points 2 to 6: 4 legs of 10 m, 40 s, climbing 2 m a point.
    EXPECT_EQ(range.first, 2);
    EXPECT_EQ(range.last, 6);
    const QString summary = dlg.GetRangeSummary();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("5 points"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("40 m"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("up 8 m, down 0 m"))) << summary.toStdString();
    // The figures wrap rather than widen the pane, which would squeeze the
    // docks beside it.
    EXPECT_LT(dlg.minimumSizeHint().width(), QFontMetrics(dlg.font()).horizontalAdvance(summary));

    // A range set elsewhere is shaded here; on another segment it is not.
    Holder().SetPointRange(segment, 7, 9);
    EXPECT_EQ(view.GetMarks().rangeFirstSample, 7);
    EXPECT_EQ(view.GetMarks().rangeLastSample, 9);
    EXPECT_TRUE(dlg.GetRangeSummary().startsWith(QStringLiteral("3 points")));
    Holder().SetPointRange(segments[1], 1, 3);
    EXPECT_EQ(view.GetMarks().rangeFirstSample, -1);
    EXPECT_TRUE(dlg.GetRangeSummary().isEmpty());

    // The chart's menu offers the range commands and hands the chosen one on.
    Holder().SetPointRange(segment, 1, 4);
    CommandMenu::Commands offered;
    dlg.SetMenuRunner([&](const CommandMenu::Commands& commands, const QPoint&) {
        offered = commands;
        return commands.size() > 1 ? commands[1].first : 0;
    });
    Q_EMIT view.customContextMenuRequested(QPoint(10, 10));
    ASSERT_GE(offered.size(), 4u);
    for (const auto& [id, enabled] : offered)
        EXPECT_TRUE(PointRangeMenu::IsRangeCommand(id) && enabled);
    EXPECT_EQ(sent, std::vector<int>{offered[1].first});

    // Escape in the chart clears the range.
    view.setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &escape);
    EXPECT_TRUE(Holder().GetState().GetPointRange().IsEmpty());
    EXPECT_TRUE(dlg.GetRangeSummary().isEmpty());
}

TEST_F(ProfilePaneTest, UnitsOptionsChangeTheAxisLabels)
{
    const int segment = Segments(AddFile({Climb(11)})).front();
    ProfileDlg dlg;
    Open(dlg, segment);
    const ProfileChart& chart = dlg.GetView().GetChart();
    EXPECT_EQ(chart.GetUnitNotation(Elevation), "m");
    EXPECT_EQ(chart.GetValueTicks(Elevation).front().label, "100");
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    GEventManagerImpl::GetInstance().Notify(GEventKind::UnitsChanged);
    EXPECT_EQ(chart.GetUnitNotation(Elevation), "ft");
    // 100 to 120 m are 328 to 394 ft.
    EXPECT_GE(chart.GetValueTicks(Elevation).front().value, 320.0);
    EXPECT_TRUE(chart.GetXTicks().back().label.endsWith(" mi"));
}

TEST_F(ProfilePaneTest, OffersTheCarriedValuesAndRemembersTheChoices)
{
    const int segment = Segments(AddFile({Climb(11)})).front();
    {
        ProfileDlg dlg;
        Open(dlg, segment);
        EXPECT_TRUE(dlg.GetValueAction(Elevation).isChecked());
        EXPECT_TRUE(dlg.GetValueAction(HeartRate).isVisible());
        EXPECT_FALSE(dlg.GetValueAction(Cadence).isVisible());
        EXPECT_FALSE(dlg.GetValueAction(Temperature).isVisible());
        dlg.GetValueAction(HeartRate).setChecked(true);
        dlg.GetAxisChoice().setCurrentIndex(static_cast<int>(ProfileAxis::Elapsed));
        EXPECT_EQ(dlg.GetView().GetChart().GetShown(), (std::vector<Id>{Elevation, HeartRate}));
        EXPECT_EQ(dlg.GetView().GetChart().GetXTicks().front().label, "0:00:00");
    }
    ProfileDlg again;
    EXPECT_TRUE(again.GetValueAction(HeartRate).isChecked());
    EXPECT_EQ(again.GetAxisChoice().currentIndex(), static_cast<int>(ProfileAxis::Elapsed));
}

TEST_F(ProfilePaneTest, TimeOfDayAxisReadsInTheChosenZone)
{
    // 21:50 to 22:10 UTC: 23:50 to 00:10 in Berlin in summer.
    const int segment = Segments(AddFile({Climb(121, Time(2024, 7, 1, 21, 50))})).front();
    const int berlin = static_cast<int>(TimeZones::GetAllTimeZones().indexOf(QStringLiteral("Europe/Berlin")));
    ASSERT_GE(berlin, 0);
    TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Custom, berlin));
    ProfileDlg dlg;
    dlg.GetAxisChoice().setCurrentIndex(static_cast<int>(ProfileAxis::TimeOfDay));
    Open(dlg, segment);
    std::vector<QString> labels;
    for (const ProfileTick& tick : dlg.GetView().GetChart().GetXTicks())
        labels.push_back(tick.label);
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels.front(), "23:50");
    EXPECT_NE(std::find(labels.begin(), labels.end(), "00:05"), labels.end());
    // The hover label gives the clock of the zone and the time since the start.
    const QStringList lines = dlg.GetView().GetChart().GetSampleLines(60);
    EXPECT_TRUE(lines.contains(QStringLiteral("Time of day: 00:00:00"))) << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Elapsed time: 0:10:00"))) << lines.join('|').toStdString();
}

TEST_F(ProfilePaneTest, WheelZoomsMiddleDragPansDoubleClickResets)
{
    const int segment = Segments(AddFile({Climb(101)})).front();
    ProfileDlg dlg;
    Open(dlg, segment);
    ProfileView& view = dlg.GetView();
    const auto whole = view.GetChart().GetVisibleRange();
    Wheel(view, 400, 3);
    const auto zoomed = view.GetChart().GetVisibleRange();
    EXPECT_NEAR(zoomed.second - zoomed.first, (whole.second - whole.first) * 0.512, 1e-6);
    Send(view, QEvent::MouseButtonPress, 400, Qt::MiddleButton, Qt::MiddleButton);
    Send(view, QEvent::MouseMove, 300, Qt::NoButton, Qt::MiddleButton);
    Send(view, QEvent::MouseButtonRelease, 300, Qt::MiddleButton, Qt::NoButton);
    EXPECT_GT(view.GetChart().GetVisibleRange().first, zoomed.first);
    // Panning moved the view, not the current point.
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 0}));
    Send(view, QEvent::MouseButtonDblClick, 300, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(view.GetChart().GetVisibleRange(), whole);
}

TEST_F(ProfilePaneTest, ReadsThePointsAgainWhenTheyChangeOnly)
{
    const int file = AddFile({Climb(11), Climb(4)});
    const int segment = Segments(file).front();
    ProfileDlg dlg;
    Open(dlg, segment);
    const ProfileSeries* before = dlg.GetView().GetChart().GetSeries();
    Holder().SetCurrentPoint(segment, 5);
    EXPECT_EQ(dlg.GetView().GetChart().GetSeries(), before);
    Model().GetTrack(segment)->GetPointStatus(5)->SetFilterReason(12);
    Model().GetTrack(segment)->Refresh(false);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    EXPECT_EQ(dlg.GetView().GetChart().GetSeries()->Size(), 10);
    // No segment: the pane says what to do.
    Holder().SetSelection({});
    Holder().SetCurrentPoint(-1, -1);
    EXPECT_TRUE(dlg.GetView().GetChart().IsEmpty());
    EXPECT_FALSE(dlg.GetView().GetMarks().emptyText.isEmpty());
}
