#include "DialogScript.h"
#include "FIncreaseFreqDlg.h"
#include "IncreaseFrequency.h"
#include "IncreaseFrequencyCommand.h"
#include "MessageBoxScript.h"
#include "MessageBoxStyle.h"
#include "AppTracksFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>

namespace {

class IncreaseFrequencyCommandTest : public AppTracksFixture
{
protected:
    // Legs of 25 m and 2 s.
    static std::vector<TrackPoint> Walk(int count, double startMeters)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i)
            points.push_back(At(startMeters + 25.0 * i, Time(2024, 5, 1, 10, 0, 2 * i)));
        return points;
    }

    struct Seen
    {
        bool useTime = false;
        bool useDist = false;
        QString time;
        QString dist;
        QString distLabel;
    };

    // Reads the dialog, then applies the given changes and answers.
    static DlgPresenter Fill(Seen& seen, int useTime, const QString& dist, int answer = IDOK)
    {
        return [&seen, useTime, dist, answer](DlgBase& dlg) {
            auto* useTimeBox = dlg.findChild<QCheckBox*>(QStringLiteral("UseTime"));
            auto* useDistBox = dlg.findChild<QCheckBox*>(QStringLiteral("UseDist"));
            auto* timeEdit = dlg.findChild<QLineEdit*>(QStringLiteral("Time"));
            auto* distEdit = dlg.findChild<QLineEdit*>(QStringLiteral("Dist"));
            if (!useTimeBox || !useDistBox || !timeEdit || !distEdit) {
                ADD_FAILURE() << "controls missing";
                return IDCANCEL;
            }
            seen = {useTimeBox->isChecked(), useDistBox->isChecked(), timeEdit->text(), distEdit->text(),
                    useDistBox->text()};
            if (useTime >= 0)
                useTimeBox->setChecked(useTime != 0);
            if (!dist.isEmpty())
                distEdit->setText(dist);
            return answer;
        };
    }
};

} // namespace

TEST_F(IncreaseFrequencyCommandTest, DefaultsCutEveryLegOfTheSelectedFile)
{
    const int file = AddFile({Walk(3, 0), Walk(2, 1000)});
    Holder().SetSelection({file});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, -1, QString()));
    RunIncreaseFrequencyCommand(nullptr);
    EXPECT_TRUE(seen.useTime);
    EXPECT_TRUE(seen.useDist);
    EXPECT_EQ(seen.time, QStringLiteral("1"));
    EXPECT_EQ(seen.dist, QStringLiteral("10"));
    EXPECT_TRUE(seen.distLabel.contains(QStringLiteral("(m)"))) << seen.distLabel.toStdString();
    // 25 m and 2 s: three parts a leg, two new points in each of 3 legs.
    const std::vector<int> segments = Segments(file);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(Model().GetTrack(segments[0])->GetPointCount(), 3 + 4);
    EXPECT_EQ(Model().GetTrack(segments[1])->GetPointCount(), 2 + 2);
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 11);
    const std::vector<TrackPoint> points = PointsOf(segments[0]);
    EXPECT_NEAR(points[1].GetLon() / LonPerMeter(), 25.0 / 3, 1e-6);
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(m_announced, 1);
}

TEST_F(IncreaseFrequencyCommandTest, ClearedTimeStepAndNewDistanceAreUsedAndStored)
{
    const int file = AddFile({Walk(2, 0)});
    Holder().SetSelection({file});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, 0, QStringLiteral("6")));
    RunIncreaseFrequencyCommand(nullptr);
    // 25 m in steps of at most 6 m: five parts; the 2 s no longer count.
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 6);
    const FIncreaseFreqDlg::Options options;
    EXPECT_FALSE(options.useTime.Get());
    EXPECT_TRUE(options.useDist.Get());
    EXPECT_DOUBLE_EQ(options.dist.Get(), 6.0);
    EXPECT_EQ(FIncreaseFreqDlg::GetTimeStep(options), TimeSpan());
    EXPECT_DOUBLE_EQ(FIncreaseFreqDlg::GetDistStep(options), 6.0);
}

TEST_F(IncreaseFrequencyCommandTest, DistanceIsTypedInTheSmallUnitOfTheUser)
{
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    const int file = AddFile({Walk(2, 0)});
    Holder().SetSelection({file});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, 0, QStringLiteral("100")));
    RunIncreaseFrequencyCommand(nullptr);
    EXPECT_NEAR(seen.dist.toDouble(), 10.0 / 0.3048, 1e-3);
    EXPECT_TRUE(seen.distLabel.contains(QStringLiteral("(ft)"))) << seen.distLabel.toStdString();
    EXPECT_NEAR(FIncreaseFreqDlg::Options().dist.Get(), 30.48, 1e-9);
    // 25 m is under 100 ft: nothing inserted.
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 2);
}

TEST_F(IncreaseFrequencyCommandTest, OnlyTheSelectedSegmentIsDensified)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 1000)});
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({segments[1]});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, -1, QString()));
    RunIncreaseFrequencyCommand(nullptr);
    EXPECT_EQ(Model().GetTrack(segments[0])->GetPointCount(), 2);
    EXPECT_EQ(Model().GetTrack(segments[1])->GetPointCount(), 4);
}

TEST_F(IncreaseFrequencyCommandTest, CancelLeavesTracksAndOptionsAlone)
{
    const int file = AddFile({Walk(3, 0)});
    Holder().SetSelection({file});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, 0, QStringLiteral("1"), IDCANCEL));
    RunIncreaseFrequencyCommand(nullptr);
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 3);
    EXPECT_TRUE(FIncreaseFreqDlg::Options().useTime.Get());
    EXPECT_DOUBLE_EQ(FIncreaseFreqDlg::Options().dist.Get(), 10.0);
    EXPECT_FALSE(IsModified(file));
    EXPECT_EQ(m_announced, 0);
}

TEST_F(IncreaseFrequencyCommandTest, AStrayTimestampYearsOffIsRefusedWithoutChange)
{
    // One leg spans 30 years: at 1 s it would take about a billion points.
    std::vector<TrackPoint> points = Walk(3, 0);
    points[2].SetTime(Time(2054, 5, 1, 10, 0, 4));
    const int file = AddFile({points, Walk(2, 1000)});
    Holder().SetSelection({file});
    Seen seen;
    DialogScript dialogs;
    dialogs.AddAction(Fill(seen, -1, QString()));
    MessageBoxScript boxes;
    RunIncreaseFrequencyCommand(nullptr);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown()[0].text.contains(QLocale().toString(IncreaseFrequency::MaxPoints)))
        << boxes.GetShown()[0].text.toStdString();
    EXPECT_EQ(boxes.GetShown()[0].flags & MB_ICONMASK, MB_ICONWARNING);
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 5);
    EXPECT_FALSE(IsModified(file));
    EXPECT_EQ(m_announced, 0);

    // Without the time step the same track is cut by distance alone.
    dialogs.AddAction(Fill(seen, 0, QString()));
    RunIncreaseFrequencyCommand(nullptr);
    EXPECT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(Model().GetTrack(file)->GetPointCount(), 11);
}
