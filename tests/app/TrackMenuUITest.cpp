#include "CommandIds.h"
#include "CommandUI.h"
#include "DialogScript.h"
#include "MainFrame.h"
#include "MessageBoxScript.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "OpenTracksTestBench.h"
#include "RebuildTreeDlg.h"
#include "RebuildTreeOptions.h"
#include "RegistryKey.h"
#include "StringIds.h"
#include "Track.h"
#include "TrackMenuUI.h"
#include "TrackTree.h"
#include "Translator.h"

#include <QAction>
#include <QCheckBox>
#include <QSlider>

#include <gtest/gtest.h>

namespace {


QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

OpenTracksModel& Model()
{
    return OpenTracks::Get().model;
}

TracksStateHolderImpl& Holder()
{
    return OpenTracks::Get().holder;
}

TimeSpan Minutes(int minutes)
{
    return TimeSpan(TimeSpan::Minutes, minutes);
}

// Sets the options back to their defaults, as a first run has them.
void ResetOptions()
{
    RebuildTreeOptions& options = RebuildTreeOptions::GetInstance();
    options.folderThreshold.ResetToDefault();
    options.segThreshold.ResetToDefault();
    options.keepBreaks.ResetToDefault();
}

class TrackMenuUITest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetOptions();
        m_ui = new TrackMenuUI(m_frame);
    }

    void TearDown() override
    {
        Model().Remove(Model().GetFileTids());
        ResetOptions();
    }

    // An open file with one segment per entry: each entry lists the gaps
    // before its runs of 20 points 10 s apart (the first gap is ignored).
    int AddFile(const std::vector<std::vector<TimeSpan>>& segments, const QString& name = QStringLiteral("day"))
    {
        TrackTree tree;
        const int file = tree.GetCreator()->AddFile(name, QString(), TrackFileGpx);
        TrackDataSetImpl data;
        Time time(2024, 5, 1, 10, 0, 0);
        double lon = 10.0;
        for (const std::vector<TimeSpan>& gaps : segments) {
            const int segment = tree.GetCreator()->AddSegment(file, QString());
            auto points = std::make_shared<TrackData>();
            for (const TimeSpan gap : gaps) {
                time += gap;
                for (int i = 0; i < 20; ++i, lon += 0.0001) {
                    points->Append(TrackPoint(TVector3<double>(lon, 47.0, 500.0), time));
                    time += TimeSpan::FromSeconds(10);
                }
            }
            data.Add(segment, points);
        }
        return Model().AddOpenedFile(*tree.GetReader(), file, data, QString(), TrackFileGpx);
    }

    static std::vector<int> Segments(int tid) { return SegmentsOf(Model(), tid); }
    static std::vector<int> Sizes(int tid) { return SegmentSizes(Model(), tid); }
    static std::vector<TrackPoint> Points(int tid) { return AllPoints(Model(), tid); }

    CommandUI Query(int id)
    {
        CommandUI ui(id);
        m_frame.GetHub().OnCommandUI(ui);
        return ui;
    }

    void Run(int id) { ASSERT_TRUE(m_frame.GetHub().OnCommand(id)); }

    MainFrame m_frame;
    TrackMenuUI* m_ui = nullptr;
};

} // namespace

TEST_F(TrackMenuUITest, CommandsNeedSelectedSegmentsAndMergeNeedsTwo)
{
    const int first = AddFile({{Minutes(0)}});
    const int second = AddFile({{Minutes(0)}});
    for (const int id : {ID_TRACK_RESTRUCTURE, ID_TRACK_MERGE, ID_TRACK_ADD_BREAK, ID_TRACK_REMOVE_BREAK, ID_TRACK_REVERSE, ID_TRACK_INCREASE_FREQUENCY})
        EXPECT_FALSE(Query(id).IsEnabled()) << id;
    Holder().SetSelection({first});
    for (const int id : {ID_TRACK_RESTRUCTURE, ID_TRACK_ADD_BREAK, ID_TRACK_REMOVE_BREAK, ID_TRACK_REVERSE, ID_TRACK_INCREASE_FREQUENCY})
        EXPECT_TRUE(Query(id).IsEnabled()) << id;
    EXPECT_FALSE(Query(ID_TRACK_MERGE).IsEnabled());
    Holder().SetSelection({first, second});
    EXPECT_TRUE(Query(ID_TRACK_MERGE).IsEnabled());
}

TEST_F(TrackMenuUITest, BreakCommandsHaveTheirShortcutsOnTheWindow)
{
    QAction* add = m_frame.GetActions().Find(ID_TRACK_ADD_BREAK);
    QAction* remove = m_frame.GetActions().Find(ID_TRACK_REMOVE_BREAK);
    ASSERT_NE(add, nullptr);
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(add->shortcut(), QKeySequence(QStringLiteral("Ctrl+B")));
    EXPECT_EQ(remove->shortcut(), QKeySequence(QStringLiteral("Ctrl+J")));
    EXPECT_TRUE(m_frame.actions().contains(add));
    EXPECT_TRUE(m_frame.actions().contains(remove));
    EXPECT_EQ(*Query(ID_TRACK_ADD_BREAK).GetText(), Str(1358));
    EXPECT_EQ(*Query(ID_TRACK_REMOVE_BREAK).GetText(), Str(1359));
}

TEST_F(TrackMenuUITest, RestructureOfAFileUsesAndStoresTheDialogChoices)
{
    // 3-minute and 40-minute gaps: with a 2-minute segment gap and a
    // 30-minute folder gap they become a segment cut and a folder cut.
    const int file = AddFile({{Minutes(0), Minutes(3), Minutes(40)}});
    Holder().SetSelection({file});
    DialogScript dialogs;
    dialogs.AddAction([](DlgBase& dlg) {
        auto& rebuild = dynamic_cast<RebuildTreeDlg&>(dlg);
        rebuild.GetSegmentSlider().setValue(2);
        rebuild.GetFolderSlider().setValue(3);
        rebuild.GetKeepBreaksBox().setChecked(true);
        return IDOK;
    });
    MessageBoxScript boxes;
    Run(ID_TRACK_RESTRUCTURE);
    EXPECT_TRUE(boxes.GetShown().empty());
    ASSERT_EQ(dialogs.GetShownTitles().size(), 1u);
    EXPECT_EQ(dialogs.GetShownTitles().front(), Str(IDS_REBUILD_TREE_TITLE));
    const std::vector<int> folders = Model().GetReader()->GetChildren(file);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(Sizes(folders[0]), (std::vector<int>{20, 20}));
    EXPECT_EQ(Sizes(folders[1]), (std::vector<int>{20}));
    EXPECT_TRUE(Model().GetFileAttr(file)->modified);
    // Stored, as a later run reads them.
    const RebuildTreeOptions stored;
    EXPECT_EQ(stored.segThreshold.Get(), 2);
    EXPECT_EQ(stored.folderThreshold.Get(), 30);
    EXPECT_TRUE(stored.keepBreaks.Get());
}

TEST_F(TrackMenuUITest, RestructureKeepsTheCurrentPointOnItsPoint)
{
    const int file = AddFile({{Minutes(0), Minutes(70), Minutes(8)}});
    Holder().SetSelection({file});
    Holder().SetCurrentPoint(Segments(file).front(), 45);
    const double lon = Points(file)[45].GetLon();
    DialogScript dialogs;
    dialogs.AddAnswer(IDOK);
    Run(ID_TRACK_RESTRUCTURE);
    ASSERT_EQ(Sizes(file), (std::vector<int>{20, 20, 20}));
    // Point 45 of the file is point 5 of the third segment now.
    const TrackPosition current = Holder().GetState().GetCurrentPoint();
    EXPECT_EQ(current, (TrackPosition{Segments(file).at(2), 5}));
    EXPECT_EQ(Points(current.tid).at(5).GetLon(), lon);
}

TEST_F(TrackMenuUITest, RestructureCancelledChangesNothing)
{
    const int file = AddFile({{Minutes(0), Minutes(70)}});
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({file});
    DialogScript dialogs;
    dialogs.AddAction([](DlgBase& dlg) {
        dynamic_cast<RebuildTreeDlg&>(dlg).GetSegmentSlider().setValue(9);
        return IDCANCEL;
    });
    Run(ID_TRACK_RESTRUCTURE);
    EXPECT_EQ(Segments(file), segments);
    EXPECT_EQ(RebuildTreeOptions().segThreshold.Get(), 5);
}

TEST_F(TrackMenuUITest, RestructureOfASegmentAsksAboutItsFile)
{
    const int file = AddFile({{Minutes(0)}, {Minutes(0), Minutes(70)}});
    const int second = Segments(file).at(1);
    Holder().SetSelection({second});

    MessageBoxScript no{IDNO};
    DialogScript dialogs;
    dialogs.AddAnswer(IDOK);
    Run(ID_TRACK_RESTRUCTURE);
    ASSERT_EQ(no.GetShown().size(), 1u);
    EXPECT_EQ(no.GetShown().front().text, Str(IDS_RESTRUCTURE_FILES_ONLY));
    EXPECT_EQ(no.GetShown().front().flags & 0xF, MB_YESNO);
    // Declined: no dialog, nothing changed.
    EXPECT_TRUE(dialogs.GetShownTitles().empty());
    EXPECT_EQ(Sizes(file), (std::vector<int>{20, 40}));

    no.AddAnswer(IDYES);
    Run(ID_TRACK_RESTRUCTURE);
    EXPECT_EQ(dialogs.GetShownTitles().size(), 1u);
    // The whole file with the defaults: the segments' break has no gap, the
    // 70 minutes make a folder.
    const std::vector<int> folders = Model().GetReader()->GetChildren(file);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(Sizes(folders[0]), (std::vector<int>{40}));
    EXPECT_EQ(Sizes(folders[1]), (std::vector<int>{20}));
}

TEST_F(TrackMenuUITest, FileThatCannotBeSplitIsReportedAndOthersGoOn)
{
    const int good = AddFile({{Minutes(0), Minutes(70)}});
    const int empty = AddFile({});
    Holder().SetSelection({empty, good});
    DialogScript dialogs;
    dialogs.AddAnswer(IDOK);
    MessageBoxScript boxes;
    Run(ID_TRACK_RESTRUCTURE);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown().front().text, Str(IDS_SPLIT_ERROR));
    EXPECT_EQ(Model().GetReader()->GetChildren(good).size(), 2u);
}

TEST_F(TrackMenuUITest, MergeMakesANamedNewFileAndSelectsIt)
{
    const int first = AddFile({{Minutes(0)}}, QStringLiteral("first"));
    const int second = AddFile({{Minutes(0)}}, QStringLiteral("second"));
    Model().SetModified(first, false);
    Holder().SetSelection({first, second});
    const QString name = OpenTracks::Get().namer.GetDefaultName({first, second});
    Run(ID_TRACK_MERGE);
    ASSERT_EQ(Model().GetFileTids().size(), 3u);
    const int merged = Model().GetFileTids().back();
    EXPECT_EQ(Model().GetReader()->GetNode(merged)->GetName(), name);
    EXPECT_TRUE(name.startsWith(QStringLiteral("GPS_2024-05-01")));
    EXPECT_EQ(Points(merged).size(), 40u);
    std::vector<int> selected;
    Holder().GetState().GetSelectedItems(selected);
    EXPECT_EQ(selected, std::vector<int>{merged});
    EXPECT_EQ(Sizes(first), std::vector<int>{20});
    EXPECT_FALSE(Model().GetFileAttr(first)->modified);
}

TEST_F(TrackMenuUITest, ReverseMirrorsTheTimesOfTheSelection)
{
    const int file = AddFile({{Minutes(0)}});
    const int segment = Segments(file).front();
    Holder().SetSelection({segment});
    Holder().SetCurrentPoint(segment, 0);
    const std::vector<TrackPoint> before = Points(file);
    Run(ID_TRACK_REVERSE);
    const std::vector<TrackPoint> after = Points(file);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.front().GetLon(), before.back().GetLon());
    EXPECT_EQ(after.front().GetTime(), before.front().GetTime());
    EXPECT_EQ(after.back().GetTime(), before.back().GetTime());
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 19}));
    EXPECT_TRUE(Model().GetFileAttr(file)->modified);
}

TEST_F(TrackMenuUITest, CtrlBSplitsAtTheCurrentPointButNotAtTheEnds)
{
    const int file = AddFile({{Minutes(0)}});
    const int segment = Segments(file).front();
    Holder().SetSelection({file});
    Holder().SetCurrentPoint(segment, 19);
    m_frame.GetActions().Find(ID_TRACK_ADD_BREAK)->trigger();
    EXPECT_EQ(Sizes(file), std::vector<int>{20});
    Holder().SetCurrentPoint(segment, 4);
    m_frame.GetActions().Find(ID_TRACK_ADD_BREAK)->trigger();
    EXPECT_EQ(Sizes(file), (std::vector<int>{5, 15}));
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 4}));
}

TEST_F(TrackMenuUITest, CtrlJJoinsAtTheFirstPointAndFollowsThePoint)
{
    const int file = AddFile({{Minutes(0)}, {Minutes(0)}});
    const std::vector<int> segments = Segments(file);
    Holder().SetSelection({file});
    Holder().SetCurrentPoint(segments[1], 0);
    const double lon = Points(segments[1]).front().GetLon();
    m_frame.GetActions().Find(ID_TRACK_REMOVE_BREAK)->trigger();
    EXPECT_EQ(Sizes(file), std::vector<int>{40});
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segments[0], 20}));
    EXPECT_EQ(Points(file)[20].GetLon(), lon);
}

TEST_F(TrackMenuUITest, IncreaseFrequencyOpensItsDialog)
{
    const int file = AddFile({{Minutes(0)}});
    Holder().SetSelection({file});
    DialogScript dialogs;
    Run(ID_TRACK_INCREASE_FREQUENCY);
    EXPECT_EQ(dialogs.GetShownTitles().size(), 1u);
    EXPECT_EQ(Sizes(file), std::vector<int>{20});
}

TEST(RebuildTreeDlgTest, StartsFromTheStoredChoices)
{
    ResetOptions();
    RebuildTreeDlg dlg;
    EXPECT_EQ(dlg.GetSegmentSlider().minimum(), 1);
    EXPECT_EQ(dlg.GetSegmentSlider().maximum(), 10);
    EXPECT_EQ(dlg.GetFolderSlider().minimum(), 1);
    EXPECT_EQ(dlg.GetFolderSlider().maximum(), 60);
    EXPECT_EQ(dlg.GetSegmentSlider().value(), 5);
    EXPECT_EQ(dlg.GetFolderSlider().value(), 6);
    EXPECT_FALSE(dlg.GetKeepBreaksBox().isChecked());
    EXPECT_EQ(dlg.GetSegmentLabel(), QStringLiteral("Create new segment if a gap > 5 min."));
    EXPECT_EQ(dlg.GetFolderLabel(), QStringLiteral("Create new folder if a gap > 1 h 0 min."));
}

TEST(RebuildTreeDlgTest, LabelsFollowTheSliders)
{
    ResetOptions();
    RebuildTreeDlg dlg;
    dlg.GetFolderSlider().setValue(1);
    EXPECT_EQ(dlg.GetFolderLabel(), QStringLiteral("Create new folder if a gap > 0 h 10 min."));
    dlg.GetFolderSlider().setValue(15);
    EXPECT_EQ(dlg.GetFolderLabel(), QStringLiteral("Create new folder if a gap > 2 h 30 min."));
    dlg.GetFolderSlider().setValue(60);
    EXPECT_EQ(dlg.GetFolderLabel(), QStringLiteral("Create new folder if a gap > 10 h 0 min."));
    dlg.GetSegmentSlider().setValue(1);
    EXPECT_EQ(dlg.GetSegmentLabel(), QStringLiteral("Create new segment if a gap > 1 min."));
    dlg.GetSegmentSlider().setValue(10);
    EXPECT_EQ(dlg.GetSegmentLabel(), QStringLiteral("Create new segment if a gap > 10 min."));
}

TEST(RebuildTreeDlgTest, StoredValuesOutsideTheRangeLandOnTheEnds)
{
    ResetOptions();
    RebuildTreeOptions::GetInstance().folderThreshold.Set(5);
    RebuildTreeOptions::GetInstance().segThreshold.Set(30);
    RebuildTreeDlg dlg;
    EXPECT_EQ(dlg.GetFolderSlider().value(), 1);
    EXPECT_EQ(dlg.GetSegmentSlider().value(), 10);
    ResetOptions();
}

TEST(RebuildTreeDlgTest, KeepsItsLayoutUnderItsOwnKey)
{
    RebuildTreeDlg dlg;
    dlg.resize(420, 230);
    dlg.SaveLayout();
    EXPECT_TRUE(RegistryKey(OblDlgBase::GetLayoutSection(QStringLiteral("RebuildTree"))).HasValue(QStringLiteral("Rect")));
}
