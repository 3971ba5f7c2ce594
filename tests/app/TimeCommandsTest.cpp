#include "DialogScript.h"
#include "FSetTimeDlg.h"
#include "FShiftTimeDlg.h"
#include "MessageBoxScript.h"
#include "ResetTimeUiImpl.h"
#include "StringIds.h"
#include "TimeCommands.h"
#include "AppTracksFixture.h"
#include "TimeConv.h"
#include "Translator.h"

#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

// What a date and time control pair shows, as a wall-clock Time.
Time Shown(const DlgBase& dlg)
{
    const auto* date = dlg.findChild<QDateEdit*>(QStringLiteral("Date"));
    const auto* time = dlg.findChild<QTimeEdit*>(QStringLiteral("Time"));
    if (!date || !time) {
        ADD_FAILURE() << "no date or time control";
        return Time();
    }
    const QDate d = date->date();
    const QTime t = time->time();
    return Time(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

void Show(DlgBase& dlg, const Time& local)
{
    const TimeComponents c = TimeConv::GetComponents(local);
    dlg.findChild<QDateEdit*>(QStringLiteral("Date"))->setDate(QDate(c.year, c.month, c.day));
    dlg.findChild<QTimeEdit*>(QStringLiteral("Time"))->setTime(QTime(c.hour, c.minute, c.second));
}

std::vector<Time> TimesOf(const std::vector<TrackPoint>& points)
{
    std::vector<Time> times;
    for (const TrackPoint& point : points)
        times.push_back(point.GetTime());
    return times;
}

class TimeCommandsTest : public AppTracksFixture
{
protected:
    // Points 1 km apart with the given times.
    static std::vector<TrackPoint> Kilometres(const std::vector<Time>& times)
    {
        std::vector<TrackPoint> points;
        for (size_t i = 0; i < times.size(); ++i)
            points.push_back(At(1000.0 * static_cast<double>(i), times[i]));
        return points;
    }
};

} // namespace

TEST_F(TimeCommandsTest, ShiftWithTwoItemsSelectedAsksForOneAndChangesNothing)
{
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time(2024, 5, 1, 11)}),
                              Kilometres({Time(2024, 5, 1, 12), Time(2024, 5, 1, 13)})});
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection(segments);
    const std::vector<TrackPoint> before = PointsOf(file);
    MessageBoxScript boxes;
    DialogScript dialogs;
    RunShiftTimeCommand(nullptr);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown()[0].text, Str(IDS_SELECT_SINGLE_FILE));
    EXPECT_TRUE(dialogs.GetShownTitles().empty());
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
    EXPECT_EQ(m_announced, 0);
}

TEST_F(TimeCommandsTest, ShiftOfATrackWithoutPointsOrTimesIsRefused)
{
    const int empty = AddFile({{}});
    Holder().SetSelection({empty});
    MessageBoxScript boxes;
    DialogScript dialogs;
    RunShiftTimeCommand(nullptr);
    const int untimed = AddFile({Kilometres({Time(), Time()})});
    Holder().SetSelection({untimed});
    RunShiftTimeCommand(nullptr);
    ASSERT_EQ(boxes.GetShown().size(), 2u);
    EXPECT_EQ(boxes.GetShown()[0].text, Str(IDS_TRACK_HAS_NO_POINTS));
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONWARNING);
    EXPECT_EQ(boxes.GetShown()[1].text, Str(IDS_COMMAND_NOT_APPLICABLE));
    EXPECT_TRUE(dialogs.GetShownTitles().empty());
}

TEST_F(TimeCommandsTest, ShiftMovesEveryTimeOfTheFileToTheNewLocalStart)
{
    const Time first(2024, 5, 1, 10, 0, 0);
    const int file = AddFile({Kilometres({first, Time(), Time(2024, 5, 1, 10, 5)}),
                              Kilometres({Time(2024, 5, 1, 11, 0), Time(2024, 5, 1, 11, 30, 15)})});
    Holder().SetSelection({file});
    const std::vector<Time> before = TimesOf(PointsOf(file));
    const Time newLocal(2021, 12, 24, 18, 30, 0);
    Time offered;
    DialogScript dialogs;
    dialogs.AddAction([&](DlgBase& dlg) {
        offered = Shown(dlg);
        Show(dlg, newLocal);
        return IDOK;
    });
    RunShiftTimeCommand(nullptr);
    // The dialog offered the old start in local time.
    EXPECT_EQ(offered, TimeConv::UtcToLocal(first));
    const TimeSpan shift = TimeConv::LocalToUtc(newLocal) - first;
    const std::vector<Time> after = TimesOf(PointsOf(file));
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        if (before[i].IsNull())
            EXPECT_TRUE(after[i].IsNull()) << i;
        else
            EXPECT_EQ(after[i], before[i] + shift) << i;
    }
    EXPECT_EQ(after[0], TimeConv::LocalToUtc(newLocal));
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(m_announced, 1);
}

TEST_F(TimeCommandsTest, CancelledShiftChangesNothing)
{
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time(2024, 5, 1, 11)})});
    Holder().SetSelection({file});
    const std::vector<TrackPoint> before = PointsOf(file);
    DialogScript dialogs;
    dialogs.AddAction([](DlgBase& dlg) {
        Show(dlg, Time(2000, 1, 1));
        return IDCANCEL;
    });
    RunShiftTimeCommand(nullptr);
    EXPECT_EQ(dialogs.GetShownTitles().size(), 1u);
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
}

TEST_F(TimeCommandsTest, RandomDateIsAlwaysTwoToTenYearsBack)
{
    FShiftTimeDlg dialog(Time(2024, 5, 1, 10));
    DialogScript dialogs;
    Time last;
    dialogs.AddAction([&last](DlgBase& dlg) {
        auto* button = dlg.findChild<QPushButton*>(QStringLiteral("2253"));
        EXPECT_NE(button, nullptr);
        if (!button)
            return IDCANCEL;
        for (int i = 0; i < 300; ++i) {
            const Time before = TimeConv::UtcToLocal(Time::GetCurTime());
            button->click();
            const Time after = TimeConv::UtcToLocal(Time::GetCurTime());
            last = Shown(dlg);
            EXPECT_GE((after - last).GetInDays(), 2.0);
            // 3652 days and the second cut off.
            EXPECT_LE((before - last).GetInDays(), 3652.0 + 1.0 / 86400);
        }
        return IDOK;
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetStart(), last);
}

TEST_F(TimeCommandsTest, ResetAsksFirstAndNoKeepsTheTimes)
{
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time(2024, 5, 1, 10, 0, 5), Time(2024, 5, 1, 11)})});
    Holder().SetSelection({file});
    const std::vector<TrackPoint> before = PointsOf(file);
    MessageBoxScript boxes({IDNO});
    DialogScript dialogs;
    RunResetTimeCommand(nullptr);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown()[0].text, Str(IDS_RESET_TIME_CONFIRM));
    EXPECT_EQ(boxes.GetShown()[0].flags & 0xF, MB_YESNO);
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
}

TEST_F(TimeCommandsTest, ResetOfATimedFileSpreadsItsPointsEvenlyAcrossSegments)
{
    // Four 1 km legs over two segments between 10:00 and 10:20.
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time(2024, 5, 1, 10, 0, 5)}),
                              {At(2000, Time(2024, 5, 1, 10, 1)), At(3000, Time(2024, 5, 1, 10, 19)),
                               At(4000, Time(2024, 5, 1, 10, 20))}});
    Holder().SetSelection({file});
    MessageBoxScript boxes({IDYES});
    DialogScript dialogs;
    RunResetTimeCommand(nullptr);
    EXPECT_TRUE(dialogs.GetShownTitles().empty());
    const std::vector<TrackPoint> after = PointsOf(file);
    ASSERT_EQ(after.size(), 5u);
    for (size_t i = 0; i < after.size(); ++i) {
        const Time expected = Time(2024, 5, 1, 10) + TimeSpan(TimeSpan::Minutes, 5.0 * static_cast<double>(i));
        EXPECT_NEAR((after[i].GetTime() - expected).GetInSeconds(), 0.0, 1e-3) << i;
        const bool interior = i > 0 && i + 1 < after.size();
        EXPECT_EQ(after[i].GetStatus().IsInMode(TrackPointStatus::TimeRegenerated), interior) << i;
    }
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(m_announced, 1);
}

TEST_F(TimeCommandsTest, UntimedTrackGetsTimesFromTheStartAndSpeedOfTheDialog)
{
    const int file = AddFile({Kilometres({Time(), Time(), Time()})});
    const int segment = Segments(file).front();
    ASSERT_EQ(Model().GetTrack(segment)->GetPtNav().GetValidCount(), 0);
    Holder().SetSelection({segment});
    MessageBoxScript boxes({IDYES});
    DialogScript dialogs;
    QString speedShown, labelShown;
    bool startAndSpeedShown = false;
    dialogs.AddAction([&](DlgBase& dlg) {
        speedShown = dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->text();
        labelShown = dlg.findChild<QLabel*>(QStringLiteral("SpeedLabel"))->text();
        startAndSpeedShown = dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->isVisibleTo(&dlg)
            && dlg.findChild<QDateEdit*>(QStringLiteral("Date"))->isVisibleTo(&dlg);
        // The start offered is twenty days back, on the minute.
        const Time offered = Shown(dlg);
        const double daysBack = (TimeConv::UtcToLocal(Time::GetCurTime()) - offered).GetInDays();
        EXPECT_GE(daysBack, 20.0);
        EXPECT_LT(daysBack, 20.0 + 2.0 / 1440);
        EXPECT_EQ(TimeConv::GetComponents(offered).second, 0);
        Show(dlg, Time(2024, 5, 1, 8, 0, 0));
        dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->setText(QStringLiteral("36"));
        return IDOK;
    });
    RunResetTimeCommand(nullptr);
    EXPECT_EQ(speedShown, QStringLiteral("60"));
    EXPECT_TRUE(labelShown.contains(QStringLiteral("(km/h)"))) << labelShown.toStdString();
    EXPECT_TRUE(startAndSpeedShown);
    const Time start = TimeConv::LocalToUtc(Time(2024, 5, 1, 8, 0, 0));
    const std::vector<TrackPoint> after = PointsOf(segment);
    ASSERT_EQ(after.size(), 3u);
    for (size_t i = 0; i < after.size(); ++i) {
        // 100 s for each km at 36 km/h; no longer filtered for lack of time.
        EXPECT_NEAR((after[i].GetTime() - start).GetInSeconds(), 100.0 * static_cast<double>(i), 1e-3) << i;
        EXPECT_TRUE(after[i].IsValid()) << i;
    }
    EXPECT_EQ(Model().GetTrack(segment)->GetPtNav().GetValidCount(), 3);
    EXPECT_DOUBLE_EQ(ResetTimeUiImpl::Options().speed.Get(), 36.0);
    EXPECT_TRUE(IsModified(file));
}

TEST_F(TimeCommandsTest, SpeedIsShownAndClampedInTheUserUnit)
{
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::MetricMs));
    ResetTimeUiImpl::Options().speed.Set(36.0);
    // Missing at the end: the speed carries the track on.
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time()})});
    QString speedShown, labelShown;
    bool startHidden = false;
    DialogScript dialogs;
    dialogs.AddAction([&](DlgBase& dlg) {
        speedShown = dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->text();
        labelShown = dlg.findChild<QLabel*>(QStringLiteral("SpeedLabel"))->text();
        startHidden = !dlg.findChild<QDateEdit*>(QStringLiteral("Date"))->isVisibleTo(&dlg);
        dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->setText(QStringLiteral("2000"));
        return IDOK;
    });
    EXPECT_TRUE(ResetTimeUiImpl(Model().GetTrack(file), nullptr).Run(false));
    EXPECT_EQ(speedShown, QStringLiteral("10"));
    EXPECT_TRUE(labelShown.contains(QStringLiteral("(m/s)"))) << labelShown.toStdString();
    EXPECT_TRUE(startHidden);
    // 2000 m/s is cut to 1000 m/s: 3600 km/h, one second for the km.
    EXPECT_DOUBLE_EQ(ResetTimeUiImpl::Options().speed.Get(), 3600.0);
    const std::vector<TrackPoint> after = PointsOf(file);
    EXPECT_NEAR((after[1].GetTime() - after[0].GetTime()).GetInSeconds(), 1.0, 1e-3);
}

TEST_F(TimeCommandsTest, FirstSpeedDefaultFollowsTheUnit)
{
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    const int file = AddFile({Kilometres({Time(), Time()})});
    QString speedShown;
    DialogScript dialogs;
    dialogs.AddAction([&](DlgBase& dlg) {
        speedShown = dlg.findChild<QLineEdit*>(QStringLiteral("Speed"))->text();
        return IDCANCEL;
    });
    const std::vector<TrackPoint> before = PointsOf(file);
    EXPECT_FALSE(ResetTimeUiImpl(Model().GetTrack(file), nullptr).Run(false));
    EXPECT_EQ(speedShown, QStringLiteral("40"));
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
    EXPECT_EQ(m_announced, 0);
}

TEST_F(TimeCommandsTest, TimedTrackInOrderNeedsNoRegenerationWithoutForce)
{
    const int file = AddFile({Kilometres({Time(2024, 5, 1, 10), Time(2024, 5, 1, 10, 0, 5), Time(2024, 5, 1, 11)})});
    const std::vector<TrackPoint> before = PointsOf(file);
    DialogScript dialogs;
    EXPECT_TRUE(ResetTimeUiImpl(Model().GetTrack(file), nullptr).Run(false));
    EXPECT_TRUE(dialogs.GetShownTitles().empty());
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
}
