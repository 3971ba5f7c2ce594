#include "CommandIds.h"
#include "CommandUI.h"
#include "FileDialogScript.h"
#include "MainFrame.h"
#include "OpenTracks.h"
#include "OpenTracksTestBench.h"
#include "PointRangeUI.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TrackView.h"
#include "TracksFileUI.h"
#include "Translator.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Tids = std::vector<int>;
using Points = std::vector<TrackPoint>;

const Time kStart(2024, 5, 1, 10, 0, 0);
constexpr std::array kRangeCommands{ID_RANGE_NEW_SEGMENT, ID_RANGE_CROP, ID_RANGE_DELETE, ID_RANGE_SAVE_AS};

OpenTracksModel& Model()
{
    return OpenTracks::Get().model;
}

TracksStateHolderImpl& Holder()
{
    return OpenTracks::Get().holder;
}

// The range commands as the program wires them: the frame with its panes,
// the file commands and the range commands.
class PointRangeUITest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = MakeTempDir();
        m_files = std::make_unique<TracksFileUI>(m_frame);
        new PointRangeUI(m_frame, *m_files); // a child of the frame
        SourceTree source;
        source.Segment(source.file, MakePoints(8, kStart));
        source.Segment(source.file, MakePoints(3, kStart + TimeSpan::FromSeconds(100), 10.0, 11.0));
        file = OpenSource(Model(), source);
        segment = SegmentsOf(Model(), file).front();
        before = AllPoints(Model(), segment);
    }

    void TearDown() override
    {
        Model().Remove(Model().GetFileTids());
        m_files.reset();
    }

    bool Enabled(int id)
    {
        CommandUI ui(id);
        m_frame.GetHub().OnCommandUI(ui);
        return ui.IsEnabled();
    }

    void Run(int id) { ASSERT_TRUE(m_frame.GetHub().OnCommand(id)); }

    QString m_dir;
    MainFrame m_frame;
    std::unique_ptr<TracksFileUI> m_files;
    int file = -1;
    int segment = -1;
    Points before;
};

} // namespace

TEST_F(PointRangeUITest, TheCommandsStandInTheTrackMenuAndNeedARange)
{
    for (const int id : kRangeCommands) {
        const QAction* action = m_frame.GetActions().Find(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->text(), Translator::GetInstance().LoadStr(MenuTextId(id)));
        EXPECT_FALSE(Enabled(id)) << id;
    }
    Holder().SetPointRange(segment, 2, 5);
    for (const int id : kRangeCommands)
        EXPECT_TRUE(Enabled(id)) << id;
    // The rest of the id block is not in use.
    EXPECT_FALSE(Enabled(ID_RANGE_LAST));
    Holder().ClearPointRange();
    EXPECT_FALSE(Enabled(ID_RANGE_CROP));
}

TEST_F(PointRangeUITest, NewSegmentFromSelectionIsNamedSelectionAndHoldsTheMarkedPoints)
{
    Holder().MarkPoint(segment, 5);
    Holder().MarkPoint(segment, 2);
    Run(ID_RANGE_NEW_SEGMENT);
    const Tids segments = SegmentsOf(Model(), file);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0], segment);
    EXPECT_EQ(Model().GetReader()->GetNode(segments[1])->GetName(),
              Translator::GetInstance().LoadStr(IDS_SELECTION_SEGMENT_NAME));
    EXPECT_EQ(AllPoints(Model(), segments[1]), Points(before.begin() + 2, before.begin() + 6));
    EXPECT_EQ(AllPoints(Model(), segment), before);
}

TEST_F(PointRangeUITest, CropAndDeleteWorkOnTheHeldRange)
{
    Holder().SetPointRange(segment, 1, 3);
    Run(ID_RANGE_DELETE);
    EXPECT_EQ(Model().GetTrack(segment)->GetPtNav().GetValidCount(), 5);
    Run(ID_RANGE_CROP);
    ASSERT_EQ(Model().GetTrack(segment)->GetPointCount(), 3);
    EXPECT_EQ(Model().GetTrack(segment)->GetPtNav().GetValidCount(), 0);
    EXPECT_EQ(AllPoints(Model(), segment).front().GetTime(), before[1].GetTime());
}

TEST_F(PointRangeUITest, SaveSelectionAsWritesAFileOfJustThosePoints)
{
    Holder().SetPointRange(segment, 3, 6);
    FileDialogScript dialogs;
    const QString target = QDir(m_dir).filePath(QStringLiteral("stretch.gpx"));
    dialogs.AddAnswer({target});
    Run(ID_RANGE_SAVE_AS);
    ASSERT_EQ(dialogs.GetRequests().size(), 1u);
    EXPECT_TRUE(dialogs.GetRequests().front().initialName.startsWith(QStringLiteral("GPS_2024-05-01")));

    ASSERT_EQ(Model().GetFileTids().size(), 2u);
    const int saved = Model().GetFileTids().back();
    EXPECT_EQ(AllPoints(Model(), saved), Points(before.begin() + 3, before.begin() + 7));
    EXPECT_EQ(Model().GetFileAttr(saved)->path, target);
    EXPECT_FALSE(Model().GetFileAttr(saved)->modified);
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().count("<trkpt"), 4);
    std::vector<int> selected;
    Holder().GetState().GetSelectedItems(selected);
    EXPECT_EQ(selected, std::vector<int>{saved});
}

TEST_F(PointRangeUITest, CancellingTheSaveDialogAddsNoFile)
{
    Holder().SetPointRange(segment, 3, 6);
    FileDialogScript dialogs;
    dialogs.AddCancel();
    Run(ID_RANGE_SAVE_AS);
    EXPECT_EQ(Model().GetFileTids(), Tids{file});
}

TEST_F(PointRangeUITest, TheMapsPointMenuSendsARangeCommandToTheFrame)
{
    Holder().SetPointRange(segment, 0, 4);
    TrackView& view = m_frame.GetTrackView();
    CommandMenu::Commands offered;
    view.SetPointMenuRunner([&offered](const CommandMenu::Commands& commands, const QPoint&) {
        offered = commands;
        return static_cast<int>(ID_RANGE_CROP);
    });
    view.ShowPointMenu({10, 10}, {segment, 2});
    EXPECT_NE(std::find(offered.begin(), offered.end(), std::pair<int, bool>{ID_RANGE_CROP, true}), offered.end());
    EXPECT_EQ(AllPoints(Model(), segment), Points(before.begin(), before.begin() + 5));
}
