#include "BytesDisp.h"
#include "ColumnFitCheck.h"
#include "CommandIds.h"
#include "DockingPane.h"
#include "MainFrame.h"
#include "MessageBoxScript.h"
#include "TrackMenuUI.h"
#include "TrackView.h"
#include "TracksFileUI.h"
#include "GEventManagerImpl.h"
#include "Locale.h"
#include "RecordItemColor.h"
#include "ReportModel.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "AppTracksFixture.h"
#include "TimeZones.h"
#include "TrackDurationText.h"
#include "TrackListData.h"
#include "TrackListDlg.h"
#include "TrkList.h"
#include "TrkPropCtrl.h"
#include "TrkRecord.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QHeaderView>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QFile>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QImage>
#include <QFont>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <memory>

namespace {

TimeSpan Span(int days, int hours, int minutes, int seconds = 0)
{
    return TimeSpan::FromSeconds(((days * 24.0 + hours) * 60 + minutes) * 60 + seconds);
}

TEST(TrackDurationText, DaysHoursMinutesAndSeconds)
{
    EXPECT_EQ(TrackDurationText(Span(2, 5, 40)), QStringLiteral("2d 6h"));
    EXPECT_EQ(TrackDurationText(Span(4, 3, 0)), QStringLiteral("4d"));
    EXPECT_EQ(TrackDurationText(Span(0, 1, 7)), QStringLiteral("1h 7m"));
    EXPECT_EQ(TrackDurationText(Span(0, 0, 9, 30)), QStringLiteral("9m 30s"));
    EXPECT_EQ(TrackDurationText(Span(0, 0, 12)), QStringLiteral("12m"));
}

TEST(TrackDurationText, HoursAreRoundedOnlyBehindDays)
{
    EXPECT_EQ(TrackDurationText(Span(1, 0, 29)), QStringLiteral("1d 0h"));
    EXPECT_EQ(TrackDurationText(Span(0, 2, 59, 59)), QStringLiteral("2h 59m"));
    EXPECT_EQ(TrackDurationText(Span(0, 0, 10, 0)), QStringLiteral("10m"));
}

// Records what the pane hands to the rest of the program.
struct Outside
{
    std::vector<std::vector<int>> located;
    std::vector<int> commands;
    std::vector<std::vector<int>> askedToClose;
    bool mayClose = true;
};

class TrackListTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc));
        m_checks = GEventManagerImpl::GetInstance().Subscribe(
            GEventFilter{GEventKind::CheckStateChanged}, [this] { ++m_checkEvents; }, GEventGroup::Views);
    }

    void TearDown() override
    {
        m_dlg.reset();
        AppTracksFixture::TearDown();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings());
    }

    TrackListDlg& Dlg()
    {
        if (!m_dlg) {
            m_dlg = std::make_unique<TrackListDlg>(
                [this](const std::vector<int>& tids) { m_outside.located.push_back(tids); },
                [this](int id) { m_outside.commands.push_back(id); },
                [this](const std::vector<int>& files) {
                    m_outside.askedToClose.push_back(files);
                    return m_outside.mayClose;
                });
            m_dlg->SetMenuRunner([this](const std::vector<std::pair<int, bool>>& commands, const QPoint&) {
                m_menu = commands;
                return m_choice;
            });
            m_dlg->resize(500, 600);
            m_dlg->show();
        }
        return *m_dlg;
    }
    TrkList& List() { return Dlg().GetList(); }

    QModelIndex Cell(int tid, int columnId)
    {
        const QModelIndex row = List().FindRow(tid);
        return row.siblingAtColumn(List().GetModel().FindColumn(columnId));
    }
    QString Text(int tid, int columnId) { return Cell(tid, columnId).data(Qt::DisplayRole).toString(); }

    bool Enabled(int id) const
    {
        for (const auto& [command, enabled] : m_menu)
            if (command == id)
                return enabled;
        ADD_FAILURE() << "no menu item " << id;
        return false;
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&List(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(&List(), &release);
    }

    static std::vector<int> SelectedItems()
    {
        std::vector<int> items;
        Holder().GetState().GetSelectedItems(items);
        return items;
    }

    static std::vector<TrackPoint> Walk(int count, int firstMinute)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i)
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, 0) + TimeSpan(TimeSpan::Minutes, firstMinute + i)));
        return points;
    }

    // A file "trip" holding a folder "day" with one segment of three points
    // and, beside the folder, a segment of points without times.
    static int AddFileWithFolder(int& folder, int& timed, int& untimed)
    {
        TrackTree tree;
        TrackTreeCreatorI& creator = *tree.GetCreator();
        const int file = creator.AddFile(QStringLiteral("trip"), QStringLiteral("/tmp/trip.gpx"), TrackFileGpx);
        const int day = creator.AddFolder(file, QStringLiteral("day"));
        TrackDataSetImpl data;
        data.Add(creator.AddSegment(day, QStringLiteral("morning")), std::make_shared<TrackData>(Walk(3, 0)));
        std::vector<TrackPoint> bare{TrackPoint({0, 0, 0}, Time()), TrackPoint({0.001, 0, 0}, Time())};
        data.Add(creator.AddSegment(file, QStringLiteral("bare")), std::make_shared<TrackData>(bare));
        const int added = Model().AddOpenedFile(*tree.GetReader(), file, data, QStringLiteral("/tmp/trip.gpx"),
                                                TrackFileGpx);
        const std::vector<int>& children = Model().GetReader()->GetChildren(added);
        folder = children.at(0);
        untimed = children.at(1);
        timed = Model().GetReader()->GetChildren(folder).at(0);
        return added;
    }

    // A file built in memory, as a merge makes one, with one segment.
    static int AddNewFile(const std::vector<TrackPoint>& points)
    {
        TrackTree tree;
        const int file = tree.GetCreator()->AddFile(QStringLiteral("merged"), QString(), TrackFileGpx);
        TrackDataSetImpl data;
        data.Add(tree.GetCreator()->AddSegment(file, QString()), std::make_shared<TrackData>(points));
        return Model().AddNewFile(*tree.GetReader(), file, data);
    }

    static QString Name(int tid) { return Model().GetReader()->GetNode(tid)->GetName(); }

    // A point in the upper or lower quarter of a row, in viewport terms.
    QPoint InRow(int tid, bool lower)
    {
        const QRect rect = List().visualRect(List().FindRow(tid));
        EXPECT_TRUE(rect.isValid()) << tid;
        return {rect.left() + 5, lower ? rect.bottom() - rect.height() / 4 : rect.top() + rect.height() / 4};
    }

    // Drags data over the list to at, as the pointer moving there does;
    // whether the list would take a drop there.
    bool DragOver(const QMimeData& data, const QPoint& at)
    {
        QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(List().viewport(), &enter);
        return MoveOver(data, at);
    }
    bool MoveOver(const QMimeData& data, const QPoint& at)
    {
        QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        move.ignore();
        QApplication::sendEvent(List().viewport(), &move);
        return move.isAccepted() && move.dropAction() == Qt::MoveAction;
    }
    bool Drop(const QMimeData& data, const QPoint& at)
    {
        DragOver(data, at);
        QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(List().viewport(), &drop);
        return drop.isAccepted();
    }
    static std::unique_ptr<QMimeData> Dragged(const std::vector<int>& tids)
    {
        return std::unique_ptr<QMimeData>(TrkList::MakeDragData(tids));
    }

    Outside m_outside;
    std::vector<std::pair<int, bool>> m_menu;
    int m_choice = 0;
    int m_checkEvents = 0;
    std::unique_ptr<TrackListDlg> m_dlg;

private:
    boost::signals2::scoped_connection m_checks;
};

TEST_F(TrackListTest, TreeRowsShowNamesAndFiguresByKind)
{
    int folder = -1, timed = -1, untimed = -1;
    const int file = AddFileWithFolder(folder, timed, untimed);
    ASSERT_EQ(List().GetModel().rowCount(), 1);
    const QModelIndex fileRow = List().FindRow(file);
    ASSERT_TRUE(fileRow.isValid());
    EXPECT_EQ(List().GetModel().rowCount(fileRow), 2);
    EXPECT_EQ(List().FindRow(timed).parent(), List().FindRow(folder));
    EXPECT_EQ(Text(file, TrkColumn::Name), QStringLiteral("trip"));
    EXPECT_EQ(Text(folder, TrkColumn::Name), QStringLiteral("day"));
    EXPECT_EQ(Text(timed, TrkColumn::Name), QStringLiteral("morning"));

    // The file shows its start date, the segment its times of day, the
    // folder neither.
    EXPECT_EQ(Text(file, TrkColumn::Start), Locale::GetDateString(Time(2024, 5, 1), Locale::LongDate));
    EXPECT_TRUE(Text(file, TrkColumn::Finish).isEmpty());
    EXPECT_TRUE(Text(folder, TrkColumn::Start).isEmpty());
    EXPECT_TRUE(Text(folder, TrkColumn::Finish).isEmpty());
    EXPECT_EQ(Text(timed, TrkColumn::Start), Locale::GetTimeString(Time(2024, 5, 1, 10, 0)));
    EXPECT_EQ(Text(timed, TrkColumn::Finish), Locale::GetTimeString(Time(2024, 5, 1, 10, 2)));
    EXPECT_EQ(Text(timed, TrkColumn::Duration), QStringLiteral("2m 0s"));
    EXPECT_EQ(Text(file, TrkColumn::Duration), QStringLiteral("2m 0s"));
    EXPECT_EQ(Text(timed, TrkColumn::Points), QStringLiteral("3"));
    EXPECT_EQ(Text(timed, TrkColumn::Distance), Locale::GetDoubleString(0.2, 1));

    // Points without times come in filtered: none regular, no times.
    EXPECT_TRUE(Text(untimed, TrkColumn::Start).isEmpty());
    EXPECT_TRUE(Text(untimed, TrkColumn::Finish).isEmpty());
    EXPECT_TRUE(Text(untimed, TrkColumn::Duration).isEmpty());
    EXPECT_EQ(Text(untimed, TrkColumn::Points), QStringLiteral("0"));
}

TEST_F(TrackListTest, ColumnsComeInTheirOrderWithTheUnitInTheDistanceCaption)
{
    const ReportModel& model = List().GetModel();
    ASSERT_EQ(model.GetColumnCount(), 7);
    const int order[] = {TrkColumn::Name, TrkColumn::Start, TrkColumn::Finish, TrkColumn::Duration,
                         TrkColumn::Distance, TrkColumn::Points, TrkColumn::Color};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(model.GetColumn(i).id, order[i]) << i;
    EXPECT_TRUE(List().GetColumns().IsColumnVisible(TrkColumn::Start));
    EXPECT_FALSE(List().GetColumns().IsColumnVisible(TrkColumn::Duration));
    const int distance = model.FindColumn(TrkColumn::Distance);
    EXPECT_EQ(model.headerData(distance, Qt::Horizontal, Qt::DisplayRole).toString(),
              Translator::GetInstance().LoadStr(IDS_TRACK_COL_DISTANCE) + QStringLiteral(" (")
                  + UnitsDisp::GetUnitNotation(DistanceUnits::Kilometers) + QStringLiteral(")"));

    const int file = AddFile({Walk(11, 0)});
    const int segment = Segments(file).front();
    ASSERT_EQ(Text(segment, TrkColumn::Distance), Locale::GetDoubleString(1.0, 1));
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    GEventManagerImpl::GetInstance().Notify(GEventKind::UnitsChanged);
    const DistanceUnits miles = UnitsConv::GetLargeDistUnits(MeasuringSystem::Imperial);
    EXPECT_EQ(model.headerData(distance, Qt::Horizontal, Qt::DisplayRole).toString(),
              Translator::GetInstance().LoadStr(IDS_TRACK_COL_DISTANCE) + QStringLiteral(" (")
                  + UnitsDisp::GetUnitNotation(miles) + QStringLiteral(")"));
    EXPECT_EQ(Text(segment, TrkColumn::Distance), Locale::GetDoubleString(1000 / UnitsConv::METERS_PER_MILE, 1));
}

TEST_F(TrackListTest, DefaultColumnsFitTheirTitlesAndDatesInANarrowPane)
{
    int folder = -1, timed = -1, untimed = -1;
    const int file = AddFileWithFolder(folder, timed, untimed);
    Dlg().resize(300, 400);
    QApplication::processEvents();
    ExpectEveryColumnFits(List(), List().GetColumns());
    const ReportModel& model = List().GetModel();
    const QFontMetrics cells = List().fontMetrics();
    for (int tid : {file, timed})
        for (int columnId : {TrkColumn::Start, TrkColumn::Finish, TrkColumn::Duration})
            EXPECT_GT(List().header()->sectionSize(model.FindColumn(columnId)),
                      cells.horizontalAdvance(Text(tid, columnId)));
}

TEST_F(TrackListTest, FiguresOfSeveralNodesAddUpTheirSegments)
{
    const int file = AddFile({Walk(3, 0), Walk(4, 30)});
    // Its last point has no time: the segment adds points but no times,
    // though it starts before all others.
    const std::vector<TrackPoint> halfTimed{At(0, Time(2024, 5, 1, 9, 0)), At(100, Time())};
    const int other = AddFile({Walk(2, 60), halfTimed});

    const TrackListData both = TrackListData::OfNodes({file, other});
    EXPECT_TRUE(both.computed);
    EXPECT_EQ(both.pointCount, 11);
    EXPECT_EQ(both.GetFilteredCount(), both.pointCount - both.validCount);
    EXPECT_EQ(both.start, Time(2024, 5, 1, 10, 0));
    EXPECT_EQ(both.finish, Time(2024, 5, 1, 11, 1));
    EXPECT_LT(both.bounds.minX, both.bounds.maxX);

    const TrackListData timedOnly = TrackListData::OfNodes({file, Segments(other).front()});
    EXPECT_EQ(timedOnly.validCount, 9);
    EXPECT_EQ(timedOnly.GetFilteredCount(), 0);
    EXPECT_NEAR(timedOnly.distance, 200 + 300 + 100, 1.0);

    const int segment = Segments(file).back();
    const TrackListData one = TrackListData::OfNode(segment);
    EXPECT_EQ(one.kind, TrackInfo::KindSegment);
    EXPECT_EQ(one.tid, segment);
    EXPECT_EQ(one.pointCount, 4);
    EXPECT_EQ(one.start, Time(2024, 5, 1, 10, 30));
    EXPECT_EQ(one.finish, Time(2024, 5, 1, 10, 33));
    EXPECT_EQ(TrackListData::OfNode(file).kind, TrackInfo::KindFile);
    EXPECT_FALSE(TrackListData::OfNode(-5).computed);
}

TEST_F(TrackListTest, SheetOfAFileNeverSaved)
{
    const int file = AddNewFile(Walk(4, 0));
    Dlg();
    Holder().SetSelection({file});
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_NAME), QStringLiteral("merged"));
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_PATH).isEmpty());
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_SIZE).isEmpty());
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_MODIFIED), Translator::GetInstance().LoadStr(IDS_NEVER_SAVED));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_POINTS), QStringLiteral("4 / 0"));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_START), Locale::GetDateTimeString(Time(2024, 5, 1, 10, 0)));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_FINISH), Locale::GetDateTimeString(Time(2024, 5, 1, 10, 3)));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_DISTANCE), UnitsDisp::GetSmartDistanceString(300.0));
}

TEST_F(TrackListTest, SheetOfAFileOnDisk)
{
    const QString dir = MakeTempDir();
    const QString path = WriteTestFile(dir + QStringLiteral("/walk.gpx"), QByteArray(2048, 'x'));
    TrackTree tree;
    const int loaded = tree.GetCreator()->AddFile(QStringLiteral("walk"), path, TrackFileGpx);
    TrackDataSetImpl data;
    data.Add(tree.GetCreator()->AddSegment(loaded, QString()), std::make_shared<TrackData>(Walk(2, 0)));
    const int file = Model().AddOpenedFile(*tree.GetReader(), loaded, data, path, TrackFileGpx);
    Dlg();
    Holder().SetSelection({Segments(file).front()});
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_NAME), QStringLiteral("walk"));
    EXPECT_EQ(QDir::fromNativeSeparators(sheet.GetItemText(IDS_TRACK_PROP_PATH)), QFileInfo(dir).absoluteFilePath());
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_SIZE), BytesDisp::GetBytesString(2048, 1));
    EXPECT_FALSE(sheet.GetItemText(IDS_TRACK_PROP_MODIFIED).isEmpty());
    EXPECT_NE(sheet.GetItemText(IDS_TRACK_PROP_MODIFIED), Translator::GetInstance().LoadStr(IDS_NEVER_SAVED));
}

TEST_F(TrackListTest, SheetOfThreeFilesGivesTheirNumber)
{
    const int a = AddFile({Walk(2, 0)});
    const int b = AddFile({Walk(2, 10)});
    const int c = AddNewFile(Walk(2, 20));
    Dlg();
    Holder().SetSelection({a, b, c});
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_NAME),
              QStringLiteral("3") + Translator::GetInstance().LoadStr(IDS_FILES_SELECTED));
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_PATH).isEmpty());
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_SIZE).isEmpty());
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_MODIFIED).isEmpty());
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_POINTS), QStringLiteral("6 / 0"));
}

TEST_F(TrackListTest, SheetShowsTheStatisticsOfTheSelectionInTheUsersUnits)
{
    // Two walks of 100 m a minute, three and four points, an hour apart.
    const int file = AddFile({Walk(3, 0), Walk(4, 60)});
    Dlg();
    Holder().SetSelection({file});
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    // The hour between the walks is no part of the file's five minutes.
    const QString fiveMinutes = TrackDurationText(TimeSpan(TimeSpan::Minutes, 5)).trimmed();
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_DURATION), fiveMinutes);
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_MOVING_TIME), fiveMinutes);
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_AVG_SPEED), UnitsDisp::GetSpeedString(6.0, 1));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_MAX_SPEED), UnitsDisp::GetSpeedString(6.0, 1));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_ELEVATION_RANGE),
              UnitsDisp::GetAltitudeString(100, 0) + QStringLiteral(" / ") + UnitsDisp::GetAltitudeString(100, 0));
    // No heart rate in these points: the row stays empty.
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_HEART_RATE).isEmpty());

    Holder().SetSelection({Segments(file).front()});
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_DURATION), TrackDurationText(TimeSpan(TimeSpan::Minutes, 2)).trimmed());

    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    GEventManagerImpl::GetInstance().Notify(GEventKind::UnitsChanged);
    const QString imperial = UnitsDisp::GetSpeedString(6.0, 1);
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_AVG_SPEED), imperial);
    EXPECT_NE(imperial, UnitsDisp::GetSpeedString(6.0, 1));
}

TEST_F(TrackListTest, SheetCaptionsAreNotCutOff)
{
    Dlg().show();
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    const QFontMetrics metrics(sheet.font());
    for (int caption : {IDS_TRACK_PROP_AVG_MOVING_SPEED, IDS_TRACK_PROP_ELEVATION_RANGE, IDS_TRACK_PROP_POINTS}) {
        const QTreeWidgetItem* row = sheet.FindItem(caption);
        ASSERT_NE(row, nullptr);
        EXPECT_GE(sheet.header()->sectionSize(0) - sheet.indentation(), metrics.horizontalAdvance(row->text(0)))
            << row->text(0).toStdString();
    }
}

TEST_F(TrackListTest, SheetOfASelectionWithoutPoints)
{
    const int file = AddFile({{}});
    Dlg();
    Holder().SetSelection({file});
    const TrkPropCtrl& sheet = Dlg().GetProperties();
    EXPECT_EQ(sheet.GetItemText(IDS_TRACK_PROP_POINTS), QStringLiteral("-"));
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_DISTANCE).isEmpty());
    EXPECT_TRUE(sheet.GetItemText(IDS_TRACK_PROP_START).isEmpty());
}

TEST_F(TrackListTest, SelectionGoesOutToTheStateAndComesBack)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10)});
    const int other = AddFile({Walk(2, 20)});
    const std::vector<int> segments = Segments(file);
    List().Select({segments[1], other});
    EXPECT_EQ(SelectedItems(), (std::vector<int>{segments[1], other}));
    EXPECT_TRUE(Holder().GetState().IsSelected(Segments(other).front()));

    Holder().SetSelection({segments[0]});
    EXPECT_EQ(List().GetSelectedIds(), (std::vector<int>{segments[0]}));
    EXPECT_EQ(List().GetFocusedId(), segments[0]);
    EXPECT_EQ(Dlg().GetProperties().GetItemText(IDS_TRACK_PROP_POINTS), QStringLiteral("2 / 0"));

    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedItems().size(), 5u);
}

TEST_F(TrackListTest, CheckBoxesToggleThroughTheState)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10)});
    const std::vector<int> segments = Segments(file);
    Dlg();
    EXPECT_EQ(Cell(segments[0], TrkColumn::Name).data(Qt::CheckStateRole), QVariant(Qt::Checked));

    // What a click on the check box does.
    List().GetModel().setData(Cell(segments[0], TrkColumn::Name), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(m_checkEvents, 1);
    EXPECT_EQ(Holder().GetState().GetCheckState(segments[0]), TracksStateI::Unchecked);
    EXPECT_EQ(Cell(segments[0], TrkColumn::Name).data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    EXPECT_EQ(Cell(file, TrkColumn::Name).data(Qt::CheckStateRole), QVariant(Qt::PartiallyChecked));

    // Space toggles the selection, by the first item's state.
    List().Select({segments[0], segments[1]});
    Press(Qt::Key_Space);
    EXPECT_EQ(m_checkEvents, 2);
    EXPECT_EQ(Holder().GetState().GetCheckState(file), TracksStateI::Checked);
    Press(Qt::Key_Space);
    EXPECT_EQ(Holder().GetState().GetCheckState(file), TracksStateI::Unchecked);
    // Ctrl+Space is for the selection only.
    Press(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(m_checkEvents, 3);
    EXPECT_EQ(Holder().GetState().GetCheckState(file), TracksStateI::Unchecked);
}

TEST_F(TrackListTest, MenuEnablesByTheNumberOfSelectedItems)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10)});
    const std::vector<int> segments = Segments(file);
    List().Select({segments[0]});
    Dlg().ShowMenu(QPoint());
    ASSERT_EQ(m_menu.size(), 7u);
    EXPECT_TRUE(Enabled(TrackListDlg::CmdLocate));
    EXPECT_TRUE(Enabled(TrackListDlg::CmdRename));
    EXPECT_TRUE(Enabled(TrackListDlg::CmdDelete));
    EXPECT_TRUE(Enabled(TrackListDlg::CmdReverse));
    EXPECT_FALSE(Enabled(TrackListDlg::CmdMerge));
    EXPECT_FALSE(Enabled(TrackListDlg::CmdJoin));

    List().Select(segments);
    Dlg().ShowMenu(QPoint());
    EXPECT_FALSE(Enabled(TrackListDlg::CmdRename));
    EXPECT_TRUE(Enabled(TrackListDlg::CmdMerge));
    EXPECT_TRUE(Enabled(TrackListDlg::CmdJoin));

    // Nothing selected: no menu.
    m_menu.clear();
    List().Select({});
    Dlg().ShowMenu(QPoint());
    EXPECT_TRUE(m_menu.empty());
}

TEST_F(TrackListTest, ChosenCommandsReachTheirHandlers)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10)});
    const std::vector<int> segments = Segments(file);
    List().Select({file});
    for (int choice : {TrackListDlg::CmdLocate, TrackListDlg::CmdReverse, TrackListDlg::CmdSaveAs}) {
        m_choice = choice;
        Dlg().ShowMenu(QPoint());
    }
    EXPECT_EQ(m_outside.located, (std::vector<std::vector<int>>{segments}));
    EXPECT_EQ(m_outside.commands, (std::vector<int>{ID_TRACK_REVERSE, ID_FILE_SAVE_AS}));

    // Merge and Join are disabled for one item: choosing them does nothing.
    for (int choice : {TrackListDlg::CmdMerge, TrackListDlg::CmdJoin}) {
        m_choice = choice;
        Dlg().ShowMenu(QPoint());
    }
    EXPECT_EQ(m_outside.commands.size(), 2u);
    EXPECT_EQ(Segments(file), segments);

    // Enter locates the focused item alone.
    List().SetFocusedId(segments[1]);
    Press(Qt::Key_Return);
    EXPECT_EQ(m_outside.located.back(), (std::vector<int>{segments[1]}));

    List().Select(segments);
    for (int choice : {TrackListDlg::CmdMerge, TrackListDlg::CmdJoin}) {
        m_choice = choice;
        Dlg().ShowMenu(QPoint());
    }
    EXPECT_EQ(m_outside.commands.back(), ID_TRACK_MERGE);
    EXPECT_EQ(Segments(file).size(), 1u);
}

TEST_F(TrackListTest, DeleteAsksBeforeClosingFilesAndMovesTheFocusOn)
{
    const int first = AddFile({Walk(2, 0)});
    const int second = AddFile({Walk(2, 10)});
    List().Select({first});
    m_outside.mayClose = false;
    m_choice = TrackListDlg::CmdDelete;
    Dlg().ShowMenu(QPoint());
    EXPECT_EQ(m_outside.askedToClose, (std::vector<std::vector<int>>{{first}}));
    EXPECT_TRUE(List().FindRow(first).isValid());

    m_outside.mayClose = true;
    Press(Qt::Key_Delete);
    EXPECT_EQ(m_outside.askedToClose.size(), 2u);
    EXPECT_FALSE(List().FindRow(first).isValid());
    EXPECT_EQ(Model().GetFileTids(), (std::vector<int>{second}));
    EXPECT_EQ(List().GetFocusedId(), second);

    // A segment alone closes no file: nothing to ask about.
    List().Select(Segments(second));
    Press(Qt::Key_Delete);
    EXPECT_EQ(m_outside.askedToClose.size(), 2u);
    EXPECT_TRUE(Segments(second).empty());
    EXPECT_TRUE(IsModified(second));
}

TEST_F(TrackListTest, TheCurrentSegmentIsBoldAndFollowsTheCurrentPoint)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10)});
    const std::vector<int> segments = Segments(file);
    Dlg();
    const auto bold = [this](int tid) { return Cell(tid, TrkColumn::Name).data(Qt::FontRole).value<QFont>().bold(); };
    int redraws = 0;
    const QMetaObject::Connection counter =
        QObject::connect(&List().GetModel(), &QAbstractItemModel::dataChanged, [&redraws] { ++redraws; });
    Holder().SetCurrentPoint(segments[1], 0);
    EXPECT_GT(redraws, 0);
    EXPECT_TRUE(bold(segments[1]));
    EXPECT_FALSE(bold(segments[0]));
    EXPECT_FALSE(bold(file));
    Holder().SetCurrentPoint(segments[0], 1);
    EXPECT_TRUE(bold(segments[0]));
    EXPECT_FALSE(bold(segments[1]));
    QObject::disconnect(counter);
}

TEST_F(TrackListTest, AFileIsRenamedOnlyWhenItsNewNamePassesTheCheck)
{
    const int file = AddFile({Walk(2, 0)});
    const int segment = Segments(file).front();
    const QString oldName = Name(file);
    Dlg();
    std::vector<std::pair<int, QString>> asked;
    bool allow = false;
    List().SetFileNameCheck([&](int tid, const QString& name) {
        asked.emplace_back(tid, name);
        return allow;
    });
    List().GetModel().setData(Cell(file, TrkColumn::Name), QStringLiteral(" a?b "), Qt::EditRole);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], std::make_pair(file, QStringLiteral("a?b")));
    EXPECT_EQ(Name(file), oldName);
    EXPECT_FALSE(IsModified(file));

    allow = true;
    List().GetModel().setData(Cell(file, TrkColumn::Name), QStringLiteral("Morning"), Qt::EditRole);
    EXPECT_EQ(Name(file), QStringLiteral("Morning"));
    EXPECT_TRUE(IsModified(file));
    // Segments are not files: their names are not checked.
    List().GetModel().setData(Cell(segment, TrkColumn::Name), QStringLiteral("Climb"), Qt::EditRole);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(Name(segment), QStringLiteral("Climb"));
}

TEST_F(TrackListTest, RenameTrimsAndMarksTheFileChanged)
{
    const int file = AddFile({Walk(2, 0)});
    const int segment = Segments(file).front();
    int fileEvents = 0;
    const auto counter = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{GEventKind::FileAttrChanged},
        [&fileEvents, file] {
            ++fileEvents;
            EXPECT_EQ(GEventManagerImpl::GetInstance().GetInt(), file);
        },
        GEventGroup::Views);
    Dlg();
    EXPECT_EQ(List().GetModel().setData(Cell(segment, TrkColumn::Name), QStringLiteral("  Up the hill "), Qt::EditRole),
              false);
    EXPECT_EQ(Name(segment), QStringLiteral("Up the hill"));
    EXPECT_EQ(Text(segment, TrkColumn::Name), QStringLiteral("Up the hill"));
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(fileEvents, 1);

    // Blank or unchanged names are no rename.
    List().GetModel().setData(Cell(segment, TrkColumn::Name), QStringLiteral("   "), Qt::EditRole);
    List().GetModel().setData(Cell(segment, TrkColumn::Name), QStringLiteral("Up the hill"), Qt::EditRole);
    EXPECT_EQ(Name(segment), QStringLiteral("Up the hill"));
    EXPECT_EQ(fileEvents, 1);

    // F2 and Rename open the editor on the focused row.
    List().Select({file});
    List().SetFocusedId(file);
    Press(Qt::Key_F2);
    QLineEdit* editor = List().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("walk"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(editor, &escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(List().viewport()->findChild<QLineEdit*>(), nullptr);

    List().Select({segment});
    List().SetFocusedId(segment);
    m_choice = TrackListDlg::CmdRename;
    Dlg().ShowMenu(QPoint());
    editor = List().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("Up the hill"));
}

TEST_F(TrackListTest, RowsFollowFilesClosedAndOpened)
{
    const int first = AddFile({Walk(2, 0)});
    ASSERT_EQ(List().GetModel().rowCount(), 1);
    const int second = AddFile({Walk(2, 10), Walk(2, 20)});
    EXPECT_EQ(List().GetModel().rowCount(), 2);
    ASSERT_TRUE(List().FindRow(second).isValid());
    EXPECT_EQ(List().GetModel().rowCount(List().FindRow(second)), 2);
    EXPECT_TRUE(List().isExpanded(List().FindRow(second)));

    Holder().SetSelection({second});
    Model().Remove({first});
    EXPECT_EQ(List().GetModel().rowCount(), 1);
    EXPECT_FALSE(List().FindRow(first).isValid());
    // The selection survives the rebuild of the rows.
    EXPECT_EQ(List().GetSelectedIds(), (std::vector<int>{second}));

    Model().Remove({Segments(second).front()});
    EXPECT_EQ(List().GetModel().rowCount(List().FindRow(second)), 1);
}

TEST_F(TrackListTest, SegmentColoursShowAndChange)
{
    const int file = AddFile({Walk(2, 0)});
    const int segment = Segments(file).front();
    Dlg();
    const QVariant swatch = Cell(segment, TrkColumn::Color).data(ReportControl::ColorSwatchRole);
    ASSERT_TRUE(swatch.isValid());
    EXPECT_FALSE(Cell(file, TrkColumn::Color).data(ReportControl::ColorSwatchRole).isValid());

    const ColorChooser previous = RecordItemColor::SetColorChooser([](uint32_t& color, QWidget*) {
        color = 0x0000FF;
        return true;
    });
    List().clicked(Cell(segment, TrkColumn::Color));
    RecordItemColor::SetColorChooser(previous);
    const auto* node = static_cast<const TrackInfo::Segment*>(Model().GetReader()->GetNode(segment));
    EXPECT_EQ(node->GetColour().GetColorref(), 0x0000FFu);
    EXPECT_EQ(Cell(segment, TrkColumn::Color).data(ReportControl::ColorSwatchRole).value<QColor>(), QColor(255, 0, 0));
}

TEST_F(TrackListTest, InTheMainWindowCommandsReachTheMapAndTheTrackMenu)
{
    MainFrame frame;
    new TrackMenuUI(frame); // a child of the frame, which deletes it
    auto* dlg = dynamic_cast<TrackListDlg*>(frame.GetPanes().GetPane(PANE_TRACKS)->widget());
    ASSERT_NE(dlg, nullptr);
    frame.GetTrackView().resize(400, 300);
    const std::vector<TrackPoint> far{At(0, Time(2024, 5, 1, 10, 0)), At(50000, Time(2024, 5, 1, 12, 0))};
    const int file = AddFile({Walk(2, 0), far});
    const std::vector<int> segments = Segments(file);

    dlg->GetList().Select({segments[1]});
    const GeoPoint before = frame.GetTrackView().GetTransform().GetCenter();
    dlg->RunCommand(TrackListDlg::CmdLocate);
    EXPECT_NE(frame.GetTrackView().GetTransform().GetCenter().lon, before.lon);

    dlg->GetList().Select(segments);
    dlg->RunCommand(TrackListDlg::CmdMerge);
    EXPECT_EQ(Model().GetFileTids().size(), 2u);

    dlg->GetList().Select(segments);
    dlg->RunCommand(TrackListDlg::CmdJoin);
    EXPECT_EQ(Segments(file).size(), 1u);
    EXPECT_EQ(PointsOf(file).size(), 4u);
}

TEST_F(TrackListTest, InTheMainWindowClosingAChangedFileAsksFirst)
{
    MainFrame frame;
    TracksFileUI files(frame);
    auto* dlg = dynamic_cast<TrackListDlg*>(frame.GetPanes().GetPane(PANE_TRACKS)->widget());
    ASSERT_NE(dlg, nullptr);
    const int file = AddFile({Walk(2, 0)});
    Model().SetModified(file, true);
    dlg->GetList().Select({file});
    {
        MessageBoxScript boxes({IDCANCEL});
        dlg->RunCommand(TrackListDlg::CmdDelete);
        ASSERT_EQ(boxes.GetShown().size(), 1u);
        EXPECT_EQ(boxes.GetShown()[0].flags & 0xF, static_cast<unsigned>(MB_YESNOCANCEL));
    }
    EXPECT_EQ(Model().GetFileTids(), std::vector<int>{file}) << "cancelled: still open";
    {
        MessageBoxScript boxes({IDNO});
        dlg->RunCommand(TrackListDlg::CmdDelete);
        EXPECT_EQ(boxes.GetShown().size(), 1u);
    }
    EXPECT_TRUE(Model().GetFileTids().empty()) << "not saved, closed";
}

} // namespace

TEST_F(TrackListTest, JoinOfFirstAndThirdIsRefusedWithTheMessage)
{
    const int file = AddFile({Walk(2, 0), Walk(2, 10), Walk(2, 20)});
    const std::vector<int> segments = Segments(file);
    MessageBoxScript boxes;
    List().Select({segments[0], segments[2]});
    Dlg().RunCommand(TrackListDlg::CmdJoin);
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(boxes.GetShown().front().text, Translator::GetInstance().LoadStr(IDS_JOIN_NOT_CONSECUTIVE));
    EXPECT_EQ(Segments(file), segments);

    List().Select({segments[1], segments[2]});
    Dlg().RunCommand(TrackListDlg::CmdJoin);
    EXPECT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_EQ(Segments(file), (std::vector<int>{segments[0], segments[1]}));
    EXPECT_EQ(PointsOf(segments[1]).size(), 4u);
}

TEST_F(TrackListTest, DraggedRowsTravelAsTheirTids)
{
    const auto data = Dragged({7, 12, 30});
    EXPECT_TRUE(data->hasFormat(QStringLiteral("TrkList")));
    EXPECT_EQ(TrkList::DraggedTids(*data), (std::vector<int>{7, 12, 30}));
    QMimeData other;
    other.setData(QStringLiteral("TrkList"), "3,x");
    EXPECT_TRUE(TrkList::DraggedTids(other).empty());
}

TEST_F(TrackListTest, TheMiddleOfARowSplitsTheGapAboveFromTheGapBelow)
{
    const int file = AddFile({Walk(2, 0), Walk(3, 10), Walk(4, 20)});
    const std::vector<int> segs = Segments(file);
    List();
    const auto data = Dragged({segs[2]});

    ASSERT_TRUE(DragOver(*data, InRow(segs[1], false)));
    TrkList::DropPlace mark = List().GetDropMark();
    EXPECT_TRUE(mark.valid);
    EXPECT_EQ(mark.row, segs[1]);
    EXPECT_FALSE(mark.below);
    EXPECT_EQ(mark.parent, file);
    EXPECT_EQ(mark.before, segs[1]);

    ASSERT_TRUE(MoveOver(*data, InRow(segs[1], true)));
    mark = List().GetDropMark();
    EXPECT_EQ(mark.row, segs[1]);
    EXPECT_TRUE(mark.below);
    EXPECT_EQ(mark.before, segs[2]);

    // The lower half of an open file is the gap above its first segment.
    ASSERT_TRUE(MoveOver(*data, InRow(file, true)));
    mark = List().GetDropMark();
    EXPECT_EQ(mark.parent, file);
    EXPECT_EQ(mark.before, segs[0]);

    // Nothing changed while dragging.
    EXPECT_EQ(Segments(file), segs);
    EXPECT_FALSE(IsModified(file));
}

TEST_F(TrackListTest, TheInsertionLineIsDrawnAtTheMarkedGap)
{
    const int file = AddFile({Walk(2, 0), Walk(3, 10), Walk(4, 20)});
    const std::vector<int> segs = Segments(file);
    List();
    const QRect row = List().visualRect(List().FindRow(segs[1]));
    const auto lineDiffers = [&](const QImage& a, const QImage& b, int y) {
        int differing = 0;
        for (int x = row.left(); x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
        return differing;
    };
    const QImage plain = List().viewport()->grab().toImage();
    const auto data = Dragged({segs[0]});

    ASSERT_TRUE(DragOver(*data, InRow(segs[1], true)));
    const QImage below = List().viewport()->grab().toImage();
    EXPECT_GT(lineDiffers(plain, below, row.bottom()), row.width() / 2);

    ASSERT_TRUE(MoveOver(*data, InRow(segs[2], false)));
    ASSERT_TRUE(MoveOver(*data, InRow(segs[1], false)));
    const QImage above = List().viewport()->grab().toImage();
    EXPECT_GT(lineDiffers(plain, above, row.top()), row.width() / 2);
    EXPECT_EQ(lineDiffers(plain, above, row.bottom()), 0);

    // A refused place shows no line.
    QDragLeaveEvent leave;
    QApplication::sendEvent(List().viewport(), &leave);
    EXPECT_FALSE(List().GetDropMark().valid);
    EXPECT_EQ(lineDiffers(plain, List().viewport()->grab().toImage(), row.top()), 0);
}

TEST_F(TrackListTest, DropAboveOrBelowARowReordersSiblingsAndKeepsThemSelected)
{
    const int file = AddFile({Walk(2, 0), Walk(3, 10), Walk(4, 20)});
    const std::vector<int> segs = Segments(file);
    Holder().SetSelection({segs[2]});
    List();

    EXPECT_TRUE(Drop(*Dragged({segs[2]}), InRow(segs[0], false)));
    EXPECT_EQ(Segments(file), (std::vector<int>{segs[2], segs[0], segs[1]}));
    EXPECT_TRUE(IsModified(file));
    EXPECT_EQ(SelectedItems(), std::vector<int>{segs[2]});
    EXPECT_EQ(List().GetSelectedIds(), std::vector<int>{segs[2]});
    // The rows follow the new order.
    EXPECT_LT(List().visualRect(List().FindRow(segs[2])).top(), List().visualRect(List().FindRow(segs[0])).top());
    EXPECT_FALSE(List().GetDropMark().valid);

    EXPECT_TRUE(Drop(*Dragged({segs[2], segs[0]}), InRow(segs[1], true)));
    EXPECT_EQ(Segments(file), (std::vector<int>{segs[1], segs[2], segs[0]}));
    EXPECT_EQ(PointsOf(file).size(), 9u);
}

TEST_F(TrackListTest, FilesDraggedAmongFilesAreReorderedUnchanged)
{
    const int first = AddFile({Walk(2, 0)});
    const int second = AddFile({Walk(3, 0)});
    List().collapse(List().FindRow(first));
    List().collapse(List().FindRow(second));

    EXPECT_TRUE(Drop(*Dragged({second}), InRow(first, false)));
    EXPECT_EQ(Model().GetFileTids(), (std::vector<int>{second, first}));
    EXPECT_FALSE(IsModified(first));
    EXPECT_FALSE(IsModified(second));
    EXPECT_EQ(List().GetId(0), second);
    EXPECT_EQ(List().GetId(1), first);

    // Below the last row is after the last file.
    const QRect last = List().visualRect(List().FindRow(first));
    EXPECT_TRUE(Drop(*Dragged({second}), QPoint(last.left() + 5, last.bottom() + last.height())));
    EXPECT_EQ(Model().GetFileTids(), (std::vector<int>{first, second}));
}

TEST_F(TrackListTest, DropsAcrossParentsAreRefused)
{
    const int first = AddFile({Walk(2, 0), Walk(3, 10)});
    const int second = AddFile({Walk(4, 0), Walk(5, 10)});
    const std::vector<int> a = Segments(first);
    const std::vector<int> b = Segments(second);
    List();

    // A segment into another file, among files, or segments of two files.
    EXPECT_FALSE(DragOver(*Dragged({a[0]}), InRow(b[1], false)));
    EXPECT_FALSE(List().GetDropMark().valid);
    EXPECT_FALSE(DragOver(*Dragged({a[0]}), InRow(first, false)));
    EXPECT_FALSE(DragOver(*Dragged({a[0], b[0]}), InRow(a[1], true)));
    // A file among segments.
    EXPECT_FALSE(DragOver(*Dragged({second}), InRow(a[1], false)));
    EXPECT_FALSE(List().GetDropMark().valid);

    EXPECT_FALSE(Drop(*Dragged({a[0]}), InRow(b[1], false)));
    EXPECT_FALSE(Drop(*Dragged({second}), InRow(a[1], false)));
    EXPECT_EQ(Segments(first), a);
    EXPECT_EQ(Segments(second), b);
    EXPECT_EQ(Model().GetFileTids(), (std::vector<int>{first, second}));
    EXPECT_FALSE(IsModified(first));
    EXPECT_FALSE(IsModified(second));

    // The same segment among its own siblings is taken.
    EXPECT_TRUE(DragOver(*Dragged({a[0]}), InRow(a[1], true)));
}

TEST_F(TrackListTest, FilesDroppedFromOutsideGoToTheOpener)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.gpx")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.plt"))});
    // Without an opener the list leaves such a drop to the window.
    EXPECT_FALSE(Drop(data, QPoint(20, 20)));

    QStringList opened;
    Dlg().SetOpenFiles([&opened](const QStringList& files) { opened += files; });
    EXPECT_TRUE(Drop(data, QPoint(20, 20)));
    EXPECT_FALSE(List().GetDropMark().valid);
    EXPECT_EQ(opened, (QStringList{QStringLiteral("/tmp/a.gpx"), QStringLiteral("/tmp/b.plt")}));
    EXPECT_TRUE(Model().GetFileTids().empty());
}

TEST_F(TrackListTest, DraggingNearTheBottomEdgeScrollsTheList)
{
    std::vector<std::vector<TrackPoint>> many(40, Walk(2, 0));
    const int file = AddFile(many);
    const std::vector<int> segs = Segments(file);
    Dlg().resize(500, 300);
    QApplication::processEvents();
    QScrollBar* bar = List().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    ASSERT_EQ(bar->value(), 0);

    const QPoint nearBottom(20, List().viewport()->height() - 3);
    DragOver(*Dragged({segs[0]}), nearBottom);
    QElapsedTimer timer;
    timer.start();
    while (bar->value() == 0 && timer.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GT(bar->value(), 0);
    QDragLeaveEvent leave;
    QApplication::sendEvent(List().viewport(), &leave);
}

namespace {
// Counts the paints of a widget.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

TEST_F(TrackListTest, TheLineIsRepaintedOnlyWhenItMoves)
{
    const int file = AddFile({Walk(2, 0), Walk(3, 10), Walk(4, 20)});
    const std::vector<int> segs = Segments(file);
    List();
    QApplication::processEvents();
    PaintCounter counter;
    List().viewport()->installEventFilter(&counter);
    const auto data = Dragged({segs[0]});
    const QRect row = List().visualRect(List().FindRow(segs[2]));

    ASSERT_TRUE(DragOver(*data, QPoint(row.left() + 5, row.top() + 1)));
    QApplication::processEvents();
    const int first = counter.paints;
    EXPECT_GT(first, 0);
    // Still in the upper half of the same row: the same gap.
    ASSERT_TRUE(MoveOver(*data, QPoint(row.left() + 40, row.top() + row.height() / 2 - 1)));
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, first);
    // Into the lower half: the line moves.
    ASSERT_TRUE(MoveOver(*data, QPoint(row.left() + 5, row.bottom() - 1)));
    QApplication::processEvents();
    EXPECT_GT(counter.paints, first);
    List().viewport()->removeEventFilter(&counter);
}
