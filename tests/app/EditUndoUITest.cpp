#include "CommandIds.h"
#include "CommandUI.h"
#include "DockingPane.h"
#include "EditingFrameFixture.h"
#include "MessageBoxScript.h"
#include "StringIds.h"
#include "TrackListDlg.h"
#include "TrkList.h"
#include "TrackPtNavI.h"
#include "UndoOptions.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

class EditUndoUITest : public EditingFrameFixture
{
protected:
    // A file of two segments of 20 points 5 m apart; point 7 of the first
    // lies 300 m off the line.
    int AddRide()
    {
        std::vector<std::vector<TrackPoint>> segments(2);
        for (int s = 0; s < 2; ++s) {
            for (int i = 0; i < 20; ++i) {
                TrackPoint point = At(5.0 * i + 1000.0 * s, Time(2024, 5, 1, 10 + s, 0, i));
                if (s == 0 && i == 7)
                    point.Set2D({point.GetLon(), 300.0 * LonPerMeter()});
                segments[static_cast<size_t>(s)].push_back(point);
            }
        }
        return AddFile(segments);
    }

    CommandUI Query(int id)
    {
        CommandUI ui(id);
        m_frame.GetHub().OnCommandUI(ui);
        return ui;
    }

    int Valid(int tid) const { return Model().GetTrack(tid)->GetPtNav().GetValidCount(); }

    MessageBoxScript m_boxes;
};

} // namespace

TEST_F(EditUndoUITest, UndoAndRedoNameTheStepAndFollowTheMenuCommands)
{
    const int file = AddRide();
    const std::vector<int> segments = Segments(file);
    EXPECT_FALSE(Query(ID_EDIT_UNDO).IsEnabled());
    EXPECT_FALSE(Query(ID_EDIT_REDO).IsEnabled());

    Holder().SetSelection({file});
    Run(ID_FILTER_SPIKES);
    ASSERT_EQ(Valid(segments[0]), 19);
    Run(ID_FILTER_DELETE);
    ASSERT_EQ(Model().GetTrack(segments[0])->GetPointCount(), 19);
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(Query(ID_EDIT_UNDO).GetText().value_or(QString()), QStringLiteral("&Undo Delete filtered points"));

    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Model().GetTrack(segments[0])->GetPointCount(), 20);
    EXPECT_EQ(Valid(segments[0]), 19);
    EXPECT_EQ(Query(ID_EDIT_UNDO).GetText().value_or(QString()), QStringLiteral("&Undo Spike filter"));
    EXPECT_EQ(Query(ID_EDIT_REDO).GetText().value_or(QString()), QStringLiteral("&Redo Delete filtered points"));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Valid(segments[0]), 20);
    EXPECT_FALSE(IsModified(file)) << "all its steps undone, the file matches its disk again";
    EXPECT_FALSE(Query(ID_EDIT_UNDO).IsEnabled());

    Run(ID_EDIT_REDO);
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Model().GetTrack(segments[0])->GetPointCount(), 19);
    EXPECT_TRUE(IsModified(file));
    EXPECT_FALSE(Query(ID_EDIT_REDO).IsEnabled());
}

TEST_F(EditUndoUITest, BreaksAndReversingComeBackWithTheFileTree)
{
    const int file = AddRide();
    const std::vector<TrackPoint> before = PointsOf(file);
    Holder().SetSelection({file});
    Holder().SetCurrentPoint(Segments(file)[0], 4);
    Run(ID_TRACK_ADD_BREAK);
    ASSERT_EQ(Segments(file).size(), 3u);
    Run(ID_TRACK_REVERSE);
    ASSERT_NE(PointsOf(file), before);
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Segments(file).size(), 2u);
    EXPECT_EQ(PointsOf(file), before);
    EXPECT_FALSE(IsModified(file));
}

TEST_F(EditUndoUITest, TheEditMenuOffersBothWithTheirKeys)
{
    QMenu* edit = m_frame.FindMenu(IDS_MENU_EDIT);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 2);
    EXPECT_EQ(edit->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(edit->actions()[1]->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(edit->actions()[1]->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
}

TEST_F(EditUndoUITest, TheTitleMarksUnsavedChangesUntilTheyAreUndone)
{
    const int file = AddRide();
    const QString clean = m_frame.windowTitle();
    ASSERT_FALSE(clean.startsWith(QLatin1Char('*')));
    Holder().SetSelection({file});
    auto* tracks = dynamic_cast<TrackListDlg*>(m_frame.GetPanes().GetPane(PANE_TRACKS)->widget());
    ASSERT_NE(tracks, nullptr);
    const auto listed = [&] { return tracks->GetList().FindRow(file).data().toString(); };
    const QString name = listed();
    ASSERT_FALSE(name.endsWith(QLatin1Char('*')));
    Run(ID_FILTER_SPIKES);
    EXPECT_TRUE(m_frame.windowTitle().startsWith(QStringLiteral("* ")));
    EXPECT_EQ(listed(), name + QStringLiteral(" *"));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(m_frame.windowTitle(), clean);
    EXPECT_EQ(listed(), name);
}

TEST_F(EditUndoUITest, TheMemorySettingBoundsTheHistory)
{
    const int file = AddRide();
    UndoOptions::GetInstance().memoryMiB.Set(3);
    EXPECT_EQ(OpenTracks::Get().history.GetLimit(), size_t{3} << 20);
    UndoOptions::GetInstance().memoryMiB.ResetToDefault();
    EXPECT_EQ(OpenTracks::Get().history.GetLimit(), size_t{256} << 20);
    Holder().SetSelection({file});
    Run(ID_FILTER_SPIKES);
    EXPECT_TRUE(Query(ID_EDIT_UNDO).IsEnabled());
}
