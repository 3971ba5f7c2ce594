#include "CleaningFigureRows.h"
#include "CleaningLog.h"
#include "CleaningReportDlg.h"
#include "CleaningReportText.h"
#include "CleaningUI.h"
#include "CliCommands.h"
#include "CommandIds.h"
#include "DialogScript.h"
#include "DockingPane.h"
#include "EditingFrameFixture.h"
#include "FileDialogScript.h"
#include "GpxBuilder.h"
#include "LoadManager.h"
#include "MessageBoxScript.h"
#include "OpenTracks.h"
#include "PrivateOpenTracks.h"
#include "RecipeReader.h"
#include "RecipeRunner.h"
#include "SaveManager.h"
#include "StatisticsOptions.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TimeConv.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QString Str(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// As text, so that a failure shows the two files readably.
std::string Text(const QByteArray& bytes)
{
    return bytes.toStdString();
}

// A copy of a fixture under folder, by the fixture's own file name, so that
// copies in two folders save to the same text.
QString CopyFixture(const QString& fixture, const QString& folder)
{
    return WriteTestFile(QDir(folder).filePath(QFileInfo(fixture).fileName()), ReadAll(FixturePath(fixture)));
}

class CleaningUITest : public EditingFrameFixture
{
protected:
    void SetUp() override
    {
        EditingFrameFixture::SetUp();
        new CleaningUI(m_frame);
        m_dir = MakeTempDir();
    }

    // Opens the file as the command line's cleaning does.
    static int Open(const QString& path)
    {
        LoadedTrackFile loaded = LoadManager().Load(path);
        EXPECT_TRUE(TrackLoaderI::HasTracks(loaded.status)) << path.toStdString();
        return Model().AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path, loaded.type);
    }

    static QByteArray SavedGpx(const OpenTracksModel& model, int file, const QString& path)
    {
        SaveManager saving;
        EXPECT_EQ(saving.GetTrackSaver(TrackFileGpx)->SaveTrack(path, model.GetReader(), file, model.GetDataSet()),
                  TrackSaverI::Success);
        return ReadAll(path);
    }

    QString Path(const QString& name) const { return QDir(m_dir).filePath(name); }

    CleaningReportDlg& Pane()
    {
        auto* pane = dynamic_cast<CleaningReportDlg*>(m_frame.GetPanes().GetPane(PANE_CLEANING_REPORT)->widget());
        EXPECT_NE(pane, nullptr);
        return *pane;
    }

    QString m_dir;
};

// The cells of a row of the report pane: label, before, after, change.
QStringList Cells(const QTreeWidgetItem& item)
{
    return {item.text(0), item.text(1), item.text(2), item.text(3)};
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& label)
{
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == label)
            return parent->child(i);
    }
    ADD_FAILURE() << "no row " << label.toStdString();
    return nullptr;
}

// The rows a group of the pane should hold for these figures.
void ExpectFigures(QTreeWidgetItem* group, const std::optional<TrackStatistics>& before,
                   const std::optional<TrackStatistics>& after)
{
    ASSERT_NE(group, nullptr);
    for (const CleaningFigureRow& row : CleaningFigureRow::Of(before, after)) {
        const QTreeWidgetItem* item = Child(group, Str(row.labelId));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(Cells(*item), QStringList({Str(row.labelId), row.before, row.after, row.change}))
            << group->text(0).toStdString();
    }
}

} // namespace

TEST_F(CleaningUITest, ARecordedRecipeReplayedOnACopyGivesTheFileTheStepsGaveByHand)
{
    const QString fixture = QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx");
    const int byHand = Open(CopyFixture(fixture, Path(QStringLiteral("a"))));
    const int replayed = Open(CopyFixture(fixture, Path(QStringLiteral("b"))));
    const QByteArray original = SavedGpx(Model(), replayed, Path(QStringLiteral("original.gpx")));
    MessageBoxScript boxes;
    DialogScript dialogs;

    Run(ID_RECIPE_RECORD);
    Holder().SetSelection({byHand});
    dialogs.AddAction([](DlgBase& dlg) {
        dlg.findChild<QLineEdit*>(QStringLiteral("1552"))->setText(QStringLiteral("25"));
        dlg.findChild<QLineEdit*>(QStringLiteral("1556"))->setText(QStringLiteral("1.5"));
        return IDOK;
    });
    Run(ID_FILTER_BY_VALUE);
    Run(ID_FILTER_SPIKES);
    Run(ID_FILTER_DELETE);
    dialogs.AddAnswer(IDOK);
    Run(ID_TRACK_RESTRUCTURE);
    // An hour later, as for a camera clock an hour behind.
    dialogs.AddAction([](DlgBase& dlg) {
        auto* date = dlg.findChild<QDateEdit*>(QStringLiteral("Date"));
        auto* time = dlg.findChild<QTimeEdit*>(QStringLiteral("Time"));
        const QDateTime later = QDateTime(date->date(), time->time()).addSecs(3600);
        date->setDate(later.date());
        time->setTime(later.time());
        return IDOK;
    });
    Run(ID_TIME_SHIFT);
    dialogs.AddAnswer(IDOK);
    Run(ID_TRACK_INCREASE_FREQUENCY);
    EXPECT_EQ(dialogs.GetPendingCount(), 0u);
    Run(ID_RECIPE_RECORD);

    const QString recipePath = Path(QStringLiteral("mine.json"));
    {
        FileDialogScript files;
        files.AddAnswer({recipePath});
        Run(ID_RECIPE_SAVE);
    }
    Recipe recipe;
    RecipeReader reader;
    ASSERT_TRUE(reader.ReadFile(recipePath, recipe)) << reader.GetError().toStdString();
    QStringList steps;
    for (const RecipeStep& step : recipe.steps)
        steps << step.GetName();
    EXPECT_EQ(steps, QStringList({"filter-by-value", "spikes", "delete-filtered", "restructure", "shift", "densify"}));
    EXPECT_EQ(recipe.steps[0].GetNumber(QStringLiteral("max_speed_kmh"), 0), 25.0);
    EXPECT_EQ(recipe.steps[4].GetNumber(QStringLiteral("seconds"), 0), 3600.0);
    EXPECT_EQ(recipe.name, QStringLiteral("mine"));

    Holder().SetSelection({replayed});
    {
        FileDialogScript files;
        files.AddAnswer({recipePath});
        Run(ID_RECIPE_APPLY);
    }
    const QByteArray handMade = SavedGpx(Model(), byHand, Path(QStringLiteral("hand.gpx")));
    EXPECT_NE(handMade, original);
    EXPECT_EQ(Text(SavedGpx(Model(), replayed, Path(QStringLiteral("replayed.gpx")))), Text(handMade));
}

TEST_F(CleaningUITest, TheReportPaneShowsWhatTheRecipeRunnerReportsForTheSameCleaning)
{
    const QString fixture = QStringLiteral("gpx/gpsbabel/dg100.gpx");
    const int file = Open(CopyFixture(fixture, Path(QStringLiteral("gui"))));
    Holder().SetSelection({file});
    MessageBoxScript boxes;
    EXPECT_EQ(Pane().GetTree().topLevelItemCount(), 0);
    EXPECT_EQ(Pane().GetTitle().text(), Str(IDS_CLEANING_REPORT_EMPTY));
    Run(ID_FILTER_SPIKES);
    Run(ID_FILTER_DELETE);

    // The same two steps as a recipe, on a model of its own.
    Recipe recipe;
    RecipeReader reader;
    ASSERT_TRUE(reader.Read(R"({"format": "quorvel-recipe", "version": 1, "steps": [{"step": "spikes"}]})", recipe));
    PrivateOpenTracks apart;
    LoadedTrackFile loaded = LoadManager().Load(CopyFixture(fixture, Path(QStringLiteral("apart"))));
    const int other = apart.model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data,
                                                QStringLiteral("apart.gpx"), loaded.type);
    const StatisticsParams params = StatisticsOptions::GetInstance().GetParams();
    RecipeRunner(recipe, params).Run(apart.model, other);
    ASSERT_TRUE(reader.Read(R"({"format": "quorvel-recipe", "version": 1, "steps": [{"step": "delete-filtered"}]})",
                            recipe));
    const CleaningReport expected = RecipeRunner(recipe, params).Run(apart.model, other);
    ASSERT_TRUE(expected.error.isEmpty());
    // The fixture has spikes, or the comparison would prove little.
    ASSERT_FALSE(expected.GetRemoved().empty());
    ASSERT_LT(expected.after.points, expected.before.points);

    EXPECT_EQ(Pane().GetTitle().text(), Str(IDS_CLEANING_REPORT_TITLE).arg(Str(IDS_UNDO_DELETE_FILTERED)).arg(1));
    ASSERT_EQ(Pane().GetTree().topLevelItemCount(), 1);
    QTreeWidgetItem* top = Pane().GetTree().topLevelItem(0);
    EXPECT_EQ(top->text(0), Model().GetReader()->GetNode(file)->GetName());
    QTreeWidgetItem* whole = Child(top, Str(IDS_CLEAN_REPORT_TOTAL));
    ExpectFigures(whole, expected.before, expected.after);
    QTreeWidgetItem* removed = Child(whole, Str(IDS_CLEAN_REPORT_REMOVED));
    ASSERT_NE(removed, nullptr);
    int total = 0;
    for (const auto& [reason, count] : expected.GetRemoved()) {
        const QTreeWidgetItem* row = Child(removed, reason);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->text(3), QString::number(-count));
        total += count;
    }
    EXPECT_EQ(removed->text(3), QString::number(-total));
    ASSERT_FALSE(expected.segments.empty());
    for (const CleaningSegment& segment : expected.segments)
        ExpectFigures(Child(top, CleaningReportText::SegmentTitle(segment)), segment.before, segment.after);

    // The log keeps where the removed points lay, for the map.
    size_t marked = 0;
    for (const CleaningSegment& segment : m_frame.GetCleaningLog().GetFiles().front().report.segments)
        marked += segment.points.size();
    EXPECT_EQ(marked, static_cast<size_t>(total));
}

TEST_F(CleaningUITest, APresetAppliedToTwoOpenFilesGivesWhatTheCommandLineWritesInOneUndoStep)
{
    const QString preset = QStringLiteral(QUORVEL_SOURCE_DATA_DIR "/recipes/bike.json");
    const QStringList fixtures = {QStringLiteral("gpx/gpsbabel/vitovtt-sample.gpx"),
                                  QStringLiteral("gpx/gpsbabel/dg100.gpx")};
    QStringList inputs;
    std::vector<int> files;
    for (const QString& fixture : fixtures) {
        inputs << CopyFixture(fixture, Path(QStringLiteral("in")));
        files.push_back(Open(inputs.back()));
    }
    const QString cliOut = Path(QStringLiteral("cli"));
    ASSERT_EQ(RunCliCommand(QStringLiteral("clean"),
                            QStringList({QStringLiteral("--recipe"), preset}) + inputs + QStringList({QStringLiteral("-o"), cliOut})),
              0);

    std::vector<QByteArray> before;
    for (size_t i = 0; i < files.size(); ++i)
        before.push_back(SavedGpx(Model(), files[i], Path(QStringLiteral("before%1.gpx").arg(i))));
    Holder().SetSelection(files);
    const size_t steps = OpenTracks::Get().history.GetStepCount();
    MessageBoxScript boxes;
    {
        FileDialogScript dialogs;
        dialogs.AddAnswer({preset});
        Run(ID_RECIPE_APPLY);
    }
    EXPECT_TRUE(boxes.GetShown().empty());
    for (size_t i = 0; i < files.size(); ++i) {
        const QString name = QFileInfo(inputs[static_cast<int>(i)]).completeBaseName() + QStringLiteral(".gpx");
        EXPECT_EQ(Text(SavedGpx(Model(), files[i], Path(QStringLiteral("gui%1.gpx").arg(i)))),
                  Text(ReadAll(QDir(cliOut).filePath(name))))
            << name.toStdString();
        EXPECT_TRUE(IsModified(files[i]));
    }
    EXPECT_EQ(m_frame.GetCleaningLog().GetFiles().size(), 2u);
    EXPECT_EQ(m_frame.GetCleaningLog().GetNameId(), IDS_UNDO_APPLY_RECIPE);

    ASSERT_EQ(OpenTracks::Get().history.GetStepCount(), steps + 1);
    Run(ID_EDIT_UNDO);
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(Text(SavedGpx(Model(), files[i], Path(QStringLiteral("undone%1.gpx").arg(i)))), Text(before[i])) << i;
}

TEST_F(CleaningUITest, AnUndoneCleaningLeavesThePaneAndTheMapUntilItIsRedone)
{
    const int file = Open(CopyFixture(QStringLiteral("gpx/gpsbabel/dg100.gpx"), Path(QStringLiteral("gui"))));
    Holder().SetSelection({file});
    Run(ID_FILTER_SPIKES);
    const QString reported = Pane().GetTitle().text();
    ASSERT_EQ(reported, Str(IDS_CLEANING_REPORT_TITLE).arg(Str(IDS_UNDO_FILTER_SPIKES)).arg(1));
    ASSERT_EQ(Pane().GetTree().topLevelItemCount(), 1);
    const CleaningLog& log = m_frame.GetCleaningLog();
    EXPECT_TRUE(log.Describes(OpenTracks::Get().history));

    Run(ID_EDIT_UNDO);
    EXPECT_FALSE(log.Describes(OpenTracks::Get().history)) << "the map's overlay asks the same";
    EXPECT_EQ(Pane().GetTitle().text(), Str(IDS_CLEANING_REPORT_UNDONE).arg(Str(IDS_UNDO_FILTER_SPIKES)));
    EXPECT_EQ(Pane().GetTree().topLevelItemCount(), 0);

    Run(ID_EDIT_REDO);
    EXPECT_TRUE(log.Describes(OpenTracks::Get().history));
    EXPECT_EQ(Pane().GetTitle().text(), reported);
    EXPECT_EQ(Pane().GetTree().topLevelItemCount(), 1);
}

TEST_F(CleaningUITest, LimitsAppliedToOneSegmentOfSeveralAreNotRecordedAndTheUserIsToldWhy)
{
    const auto write = [this](const QString& name, int segments) {
        GpxBuilder builder;
        const QDateTime start(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
        for (int s = 0; s < segments; ++s) {
            builder.Segment();
            // 11 m a second, with a jump of a kilometre in the middle.
            for (int i = 0; i < 20; ++i)
                builder.Add(47.0 + 0.0001 * i + (i == 10 ? 0.01 : 0.0), 8.0 + s, start.addSecs(100 * s + i));
        }
        return Open(builder.Write(Path(name)));
    };
    const auto segmentsOf = [](int file) {
        std::vector<int> segments;
        TrackTreeAlg(Model().GetReader().get()).GetSubsegmentIds(file, segments);
        return segments;
    };
    const int several = write(QStringLiteral("several.gpx"), 2);
    const int single = write(QStringLiteral("single.gpx"), 1);
    ValueFilterRows::Texts texts;
    texts[1] = QStringLiteral("100"); // maximum speed, km/h
    ValueFilterLimits::GetInstance().SetTexts(texts, MeasuringSystem::Metric);
    Run(ID_RECIPE_RECORD);
    MessageBoxScript boxes;

    const int part = segmentsOf(several).front();
    Holder().SetSelection({part});
    Holder().SetCurrentPoint(part, 0);
    // Besides the filter's own count of what it removed.
    const auto told = [&boxes] {
        return std::count_if(boxes.GetShown().begin(), boxes.GetShown().end(), [](const MessageBoxScript::Shown& shown) {
            return shown.text == Str(IDS_RECIPE_ONE_SEGMENT_NOT_RECORDED);
        });
    };
    Run(ID_FILTER_APPLY_LIMITS);
    EXPECT_EQ(told(), 1);
    EXPECT_TRUE(m_frame.GetCleaningLog().GetRecipe().steps.empty());
    // The filter itself ran on the segment all the same.
    EXPECT_LT(Model().GetTrack(part)->GetPtNav().GetValidCount(), 20);

    const int whole = segmentsOf(single).front();
    Holder().SetSelection({whole});
    Holder().SetCurrentPoint(whole, 0);
    Run(ID_FILTER_APPLY_LIMITS);
    EXPECT_EQ(told(), 1);
    ASSERT_EQ(m_frame.GetCleaningLog().GetRecipe().steps.size(), 1u);
    EXPECT_EQ(m_frame.GetCleaningLog().GetRecipe().steps.front().GetNumber(QStringLiteral("max_speed_kmh"), 0), 100.0);
    ValueFilterLimits::GetInstance().Clear();
}
