#include "CommandIds.h"
#include "CommandUI.h"
#include "DialogScript.h"
#include "FValueDlg.h"
#include "FilterReasons.h"
#include "FilterUI.h"
#include "MainFrame.h"
#include "MessageBoxScript.h"
#include "OpenTracks.h"
#include "OptUnits.h"
#include "StringIds.h"
#include "TrackPoint.h"
#include "TrackPtNavI.h"
#include "TrackTree.h"
#include "OpenTracksTestBench.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPoints = 20;
// The point of the first segment that lies 300 m off the road.
constexpr int kSpike = 7;

class FilterUITest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        new FilterUI(m_frame);
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        // The dialog opens with the limits last set, by another test too.
        ValueFilterLimits::GetInstance().Clear();
    }

    void TearDown() override { Model().Remove(Model().GetFileTids()); }

    static OpenTracksModel& Model() { return OpenTracks::Get().model; }
    static TracksStateHolderImpl& Holder() { return OpenTracks::Get().holder; }

    // A file of two segments riding east at 5 m/s, one point a second; the
    // first segment has one point 300 m north of the road.
    int AddRide()
    {
        TrackTree tree;
        const QString path = QStringLiteral("/tmp/ride.gpx");
        const int file = tree.GetCreator()->AddFile(QStringLiteral("ride"), path, TrackFileGpx);
        TrackDataSetImpl data;
        const double metresPerDegreeLon = 111320.0 * std::cos(47.0 * M_PI / 180.0);
        for (int s = 0; s < 2; ++s) {
            const int segment = tree.GetCreator()->AddSegment(file, QString());
            auto points = std::make_shared<TrackData>();
            for (int i = 0; i < kPoints; ++i) {
                const double lat = 47.0 + (s == 0 && i == kSpike ? 300.0 / 111320.0 : 0.0);
                points->Append(TrackPoint(TVector3<double>(8.0 + 5.0 * i / metresPerDegreeLon, lat, 500.0),
                                          Time(2024, 5, 1, 10 + s, 0, i)));
            }
            data.Add(segment, points);
        }
        return Model().AddOpenedFile(*tree.GetReader(), file, data, path, TrackFileGpx);
    }

    std::vector<int> Segments(int tid) const { return SegmentsOf(Model(), tid); }

    int Valid(int tid) const { return Model().GetTrack(tid)->GetPtNav().GetValidCount(); }
    int Count(int tid) const { return Model().GetTrack(tid)->GetPointCount(); }
    bool IsModified(int file) const { return Model().GetFileAttr(file)->modified; }

    bool IsEnabled(int id)
    {
        CommandUI ui(id);
        m_frame.GetHub().OnCommandUI(ui);
        return ui.IsEnabled();
    }

    void Run(int id) { ASSERT_TRUE(m_frame.GetHub().OnCommand(id)); }

    // Answers the next filter-by-value dialog with the texts for the edits
    // of the given control ids.
    static void FillValueDialog(DialogScript& script, std::vector<std::pair<int, QString>> values, int answer = IDOK)
    {
        script.AddAction([values, answer](DlgBase& dlg) {
            for (const auto& [id, text] : values) {
                auto* edit = dlg.findChild<QLineEdit*>(QString::number(id));
                EXPECT_NE(edit, nullptr) << id;
                if (edit) {
                    EXPECT_TRUE(edit->text().isEmpty());
                    edit->setText(text);
                }
            }
            return answer;
        });
    }

    MainFrame m_frame;
};

} // namespace

TEST_F(FilterUITest, CommandsNeedASelectedSegment)
{
    const int file = AddRide();
    Holder().SetSelection({});
    for (int id : {ID_FILTER_BY_VALUE, ID_FILTER_SPIKES, ID_FILTER_DELETE, ID_FILTER_RESTORE, ID_FILTER_FIRST, ID_FILTER_LAST})
        EXPECT_FALSE(IsEnabled(id)) << id;
    Holder().SetSelection({Segments(file)[1]});
    for (int id : {ID_FILTER_BY_VALUE, ID_FILTER_SPIKES, ID_FILTER_DELETE, ID_FILTER_RESTORE, ID_FILTER_FIRST, ID_FILTER_LAST})
        EXPECT_TRUE(IsEnabled(id)) << id;
}

TEST_F(FilterUITest, ValueDialogShowsSixLabelledRowsInTheUserUnits)
{
    const int file = AddRide();
    Holder().SetSelection({file});
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    DialogScript dialogs;
    QStringList labels;
    dialogs.AddAction([&labels](DlgBase& dlg) {
        for (int id = 1551; id <= 1561; id += 2) {
            const auto* label = dlg.findChild<QLabel*>(QString::number(id));
            labels << (label ? label->text() : QStringLiteral("missing"));
        }
        return IDCANCEL;
    });
    MessageBoxScript boxes;
    Run(ID_FILTER_BY_VALUE);
    EXPECT_EQ(labels, QStringList({"Min. distance (ft):", "Max. speed (mph):", "Min. speed (mph):",
                                   "Max. forward acceleration (ft/s²):", "Max. braking acceleration (ft/s²):",
                                   "Max. radial acceleration (ft/s²):"}));
    // Cancelled: nothing ran.
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_FALSE(IsModified(file));
}

TEST_F(FilterUITest, FilterByValueMarksWithTheRuleTextAndReports)
{
    const int file = AddRide();
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({file});
    DialogScript dialogs;
    // The spike is reached at over 1000 km/h; nothing else is over 50.
    FillValueDialog(dialogs, {{1552, QStringLiteral("50")}, {1550, QStringLiteral("0")}});
    MessageBoxScript boxes;
    Run(ID_FILTER_BY_VALUE);
    EXPECT_EQ(Valid(segments[0]), kPoints - 1);
    EXPECT_EQ(Valid(segments[1]), kPoints);
    TrackPoint spike;
    Model().GetTrack(segments[0])->GetPoint(kSpike, spike);
    EXPECT_EQ(FilterReasons::GetInstance().GetText(spike.GetStatus().GetFilterReason()).text, "Speed >50 km/h");
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.startsWith(QStringLiteral("1 points removed.\nTime: ")));
    EXPECT_EQ(boxes.GetShown().front().flags & MB_ICONMASK, MB_ICONINFORMATION);
    EXPECT_TRUE(IsModified(file));

    // The edits start empty again and an empty dialog finds nothing.
    FillValueDialog(dialogs, {});
    Run(ID_FILTER_BY_VALUE);
    ASSERT_EQ(boxes.GetShown().size(), 2u);
    EXPECT_TRUE(boxes.GetShown().back().text.startsWith(QStringLiteral("0 points removed.")));
}

TEST_F(FilterUITest, SpikesThenDeleteThenRestore)
{
    const int file = AddRide();
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({segments[0]});
    MessageBoxScript boxes;
    Run(ID_FILTER_SPIKES);
    EXPECT_EQ(Valid(segments[0]), kPoints - 1);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.startsWith(QStringLiteral("1 points removed.")));

    // Restoring brings the point back without a word.
    Run(ID_FILTER_RESTORE);
    EXPECT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(Valid(segments[0]), kPoints);

    Run(ID_FILTER_SPIKES);
    Run(ID_FILTER_DELETE);
    EXPECT_EQ(Count(segments[0]), kPoints - 1);
    EXPECT_EQ(Valid(segments[0]), kPoints - 1);
    ASSERT_EQ(boxes.GetShown().size(), 3u);
    EXPECT_TRUE(boxes.GetShown().back().text.startsWith(QStringLiteral("1 points removed.")));
    // The other segment was not selected.
    EXPECT_EQ(Count(segments[1]), kPoints);

    Run(ID_FILTER_DELETE);
    ASSERT_EQ(boxes.GetShown().size(), 4u);
    EXPECT_TRUE(boxes.GetShown().back().text.startsWith(QStringLiteral("0 points removed.")));
}

TEST_F(FilterUITest, StopsNeedExactlyOneSelectedItem)
{
    const int file = AddRide();
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({segments[0], segments[1]});
    MessageBoxScript boxes;
    Run(ID_FILTER_STOPS);
    EXPECT_TRUE(boxes.GetShown().empty());
    EXPECT_EQ(Model().GetFileTids().size(), 1u);
    EXPECT_FALSE(IsModified(file));
}

TEST_F(FilterUITest, StopsOfTheOneSelectedItemAddTheirFourFilesAndReport)
{
    const int file = AddRide();
    Holder().SetSelection({Segments(file)[1]});
    MessageBoxScript boxes;
    Run(ID_FILTER_STOPS);
    const std::vector<int> files = Model().GetFileTids();
    ASSERT_EQ(files.size(), 5u);
    QStringList names;
    for (size_t i = 1; i < files.size(); ++i)
        names << Model().GetReader()->GetNode(files[i])->GetName();
    EXPECT_EQ(names, QStringList({"Shadow_M", "Shadow_M_multi", "Detailed", "Rare"}));
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.contains(QStringLiteral(" points removed.\nTime: ")));
}

TEST_F(FilterUITest, LocalInconsistenciesReportTheValidPointsLost)
{
    const int file = AddRide();
    Holder().SetSelection({file});
    MessageBoxScript boxes;
    Run(ID_FILTER_LOCAL);
    const int lost = 2 * kPoints - Valid(file);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.startsWith(QString::number(lost) + QStringLiteral(" points removed.")))
        << boxes.GetShown().front().text.toStdString();
}

TEST_F(FilterUITest, TimeCommandsAreHandedOn)
{
    const int file = AddRide();
    const std::vector<int> segments = Segments(file);
    const Translator& texts = Translator::GetInstance();
    Holder().SetSelection({segments[0], segments[1]});
    MessageBoxScript boxes({IDOK, IDNO});
    Run(ID_TIME_SHIFT);
    Holder().SetSelection({file});
    Run(ID_TIME_RESET);
    ASSERT_EQ(boxes.GetShown().size(), 2u);
    EXPECT_EQ(boxes.GetShown()[0].text, texts.LoadStr(IDS_SELECT_SINGLE_FILE));
    EXPECT_EQ(boxes.GetShown()[1].text, texts.LoadStr(IDS_RESET_TIME_CONFIRM));
}
