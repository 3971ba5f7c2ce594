#include "ColumnFitCheck.h"
#include "CommandIds.h"
#include "DockingPane.h"
#include "EventKindLog.h"
#include "GEventManagerImpl.h"
#include "Locale.h"
#include "MainFrame.h"
#include "OblDlgBase.h"
#include "PointList.h"
#include "PointListDlg.h"
#include "RegistryKey.h"
#include "ReportModel.h"
#include "AppTracksFixture.h"
#include "TimeZones.h"
#include "TrkPointRecord.h"
#include "ViewSettings.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>

namespace {

const Time kStart(2024, 5, 1, 10, 0);
constexpr int kRemovedByUser = 12;

TimeSpan Minutes(int minutes)
{
    return TimeSpan(TimeSpan::Minutes, minutes);
}

class PointListTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings(TimeZoneSettings::Utc));
        ShowFiltered(true);
        ClearLayout();
    }

    void TearDown() override
    {
        m_dlg.reset();
        ClearLayout();
        ShowFiltered(true);
        AppTracksFixture::TearDown();
        TimeZones::GetInstance().SetTZSettings(TimeZoneSettings());
    }

    static void ClearLayout() { RegistryKey(OblDlgBase::GetLayoutSection(QStringLiteral("PointList"))).ClearSection(); }

    static void ShowFiltered(bool on)
    {
        ViewSettings::GetInstance().showDeleted.Set(on);
        GEventManagerImpl::GetInstance().Notify(GEventKind::ViewSettingsChanged);
    }

    // count points a minute and 10 m apart; those in filtered carry a reason.
    static std::vector<TrackPoint> Walk(int count, const std::vector<int>& filtered = {})
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i)
            points.push_back(At(10.0 * i, kStart + Minutes(i)));
        for (int index : filtered)
            points[static_cast<size_t>(index)].GetStatus().SetFilterReason(kRemovedByUser);
        return points;
    }

    // A file of one segment per list, the first segment selected; its tid.
    int Open(const std::vector<std::vector<TrackPoint>>& segments)
    {
        const int segment = Segments(AddFile(segments)).front();
        Holder().SetSelection({segment});
        return segment;
    }

    PointListDlg& Dlg()
    {
        if (!m_dlg) {
            m_dlg = std::make_unique<PointListDlg>([this](const TrackPosition& point) { m_shown.push_back(point); });
            m_dlg->SetMenuRunner([this](const std::vector<std::pair<int, bool>>& commands, const QPoint&) {
                m_menu = commands;
                return m_choice;
            });
            m_dlg->resize(900, 400);
            m_dlg->show();
        }
        return *m_dlg;
    }
    PointList& List() { return Dlg().GetList(); }

    int Rows() { return List().GetModel().rowCount(); }
    QModelIndex Cell(int row, int columnId)
    {
        return List().GetModel().index(row, List().GetModel().FindColumn(columnId));
    }
    QString Text(int row, int columnId) { return Cell(row, columnId).data(Qt::DisplayRole).toString(); }
    std::vector<QString> Numbers()
    {
        std::vector<QString> out;
        for (int row = 0; row < Rows(); ++row)
            out.push_back(Text(row, PtColumn::Number));
        return out;
    }

    bool Enabled(int id) const
    {
        for (const auto& [command, enabled] : m_menu)
            if (command == id)
                return enabled;
        ADD_FAILURE() << "no menu item " << id;
        return false;
    }

    // Focuses the point's row as the user would and opens the menu.
    void MenuOn(int index, int choice = 0)
    {
        ASSERT_TRUE(List().SetFocusedId(index));
        m_choice = choice;
        Dlg().ShowMenu(QPoint());
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&List(), &press);
    }

    // A left click on the row of a point, with the given keys held.
    void ClickRow(int index, Qt::KeyboardModifiers modifiers)
    {
        const QPoint at = List().visualRect(List().FindRow(index)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, List().viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(List().viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, List().viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(List().viewport(), &release);
    }

    // The rows whose background marks them as in the point range.
    std::vector<int> RangeRows()
    {
        std::vector<int> rows;
        for (int row = 0; row < Rows(); ++row) {
            const QVariant background = Cell(row, PtColumn::Elevation).data(Qt::BackgroundRole);
            if (background.isValid()) {
                EXPECT_EQ(background.value<QColor>(), QColor(230, 255, 230));
                rows.push_back(row);
            }
        }
        return rows;
    }

    static TrackPoint PointAt(int tid, int index)
    {
        TrackPoint point;
        EXPECT_TRUE(Model().GetTrack(tid)->GetPoint(index, point));
        return point;
    }

    std::unique_ptr<PointListDlg> m_dlg;
    std::vector<TrackPosition> m_shown;
    std::vector<std::pair<int, bool>> m_menu;
    int m_choice = 0;
};

TEST_F(PointListTest, OneRowPerPointWithItsTexts)
{
    Open({Walk(5, {2})});
    ASSERT_EQ(Rows(), 5);
    EXPECT_EQ(Numbers(), (std::vector<QString>{"1", "2", "3", "4", "5"}));
    const Time third = kStart + Minutes(2);
    EXPECT_EQ(Text(2, PtColumn::DateTime), Locale::GetDateString(third) + "  " + Locale::GetTimeString(third));
    EXPECT_EQ(Text(2, PtColumn::Time), Locale::GetTimeString(third));
    EXPECT_EQ(Text(2, PtColumn::Date), Locale::GetDateString(third));
    EXPECT_EQ(Text(3, PtColumn::Elapsed), QStringLiteral("00:03:00"));
    EXPECT_EQ(Text(1, PtColumn::LegLength), Locale::GetDoubleString(10.0, 1));
    EXPECT_TRUE(Text(1, PtColumn::Coordinates).contains(QChar(0xB0)));
    EXPECT_TRUE(Text(0, PtColumn::Status).isEmpty());
    EXPECT_FALSE(Cell(0, PtColumn::Status).data(Qt::DecorationRole).value<QIcon>().isNull());
}

TEST_F(PointListTest, FilteredPointsAreGreyAndTellWhy)
{
    Open({Walk(5, {2})});
    EXPECT_EQ(Cell(2, PtColumn::Speed).data(Qt::ForegroundRole).value<QColor>(), QColor(0xA0, 0xA0, 0xA0));
    EXPECT_EQ(Cell(2, PtColumn::Number).data(Qt::ToolTipRole).toString(), QStringLiteral("Removed by user"));
    EXPECT_FALSE(Cell(1, PtColumn::Speed).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(Cell(1, PtColumn::Number).data(Qt::ToolTipRole).isValid());
}

TEST_F(PointListTest, StatusIconsTellStartEndAndFiltered)
{
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::SegmentStart, true), 2);
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::SegmentStart, false), 4);
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::SegmentEnd, true), 3);
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::SegmentEnd, false), 5);
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::Inside, true), 1);
    EXPECT_EQ(TrkPointRecord::GetIconIndex(PtListNavI::Inside, false), 0);

    // What the list shows: six different icons, green for the valid points
    // and grey for the filtered ones, at the start, inside and at the end.
    const auto icon = [this](int row) {
        return Cell(row, PtColumn::Status).data(Qt::DecorationRole).value<QIcon>().pixmap(12, 12).toImage();
    };
    std::vector<QImage> shown;
    ShowFiltered(true);
    for (const std::vector<int>& filtered : {std::vector<int>{}, std::vector<int>{0, 2, 4}}) {
        Open({Walk(5, filtered)});
        for (int row : {0, 2, 4}) {
            const QImage image = icon(row);
            ASSERT_FALSE(image.isNull()) << row;
            const QColor centre = image.pixelColor(6, 6);
            if (filtered.empty())
                EXPECT_GT(centre.green(), 2 * centre.red()) << row;
            else
                EXPECT_EQ(centre.red(), centre.green()) << row;
            shown.push_back(image);
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_NE(shown[i], shown[j]) << i << " and " << j;
    }
}

TEST_F(PointListTest, HiddenFilteredPointsLeaveGapsInTheNumbers)
{
    ShowFiltered(false);
    Open({Walk(10, {1, 4, 5})});
    EXPECT_EQ(Rows(), 7);
    EXPECT_EQ(Numbers(), (std::vector<QString>{"1", "3", "4", "7", "8", "9", "10"}));
    ShowFiltered(true);
    EXPECT_EQ(Rows(), 10);
}

TEST_F(PointListTest, PointsWithoutTimeShowDashes)
{
    Open({{TrackPoint({0, 0, 0}, Time()), TrackPoint({0.001, 0, 0}, Time())}});
    for (int column : {PtColumn::Time, PtColumn::Date, PtColumn::DateTime})
        EXPECT_EQ(Text(1, column), QStringLiteral("-")) << column;
    EXPECT_TRUE(Text(1, PtColumn::Elapsed).isEmpty());
}

TEST_F(PointListTest, ElapsedTimeCountsDaysAndSign)
{
    std::vector<TrackPoint> points = Walk(3);
    points[1].SetTime(kStart + TimeSpan::FromSeconds(((24 + 2) * 60 + 3) * 60 + 4));
    points[2].SetTime(kStart - TimeSpan::FromSeconds(65));
    Open({points});
    EXPECT_EQ(Text(1, PtColumn::Elapsed), QStringLiteral("1d 02:03:04"));
    EXPECT_EQ(Text(2, PtColumn::Elapsed), QStringLiteral("-00:01:05"));
}

TEST_F(PointListTest, FocusedRowBecomesTheCurrentPointAndIsShownOnce)
{
    const int segment = Open({Walk(6)});
    List().SetFocusedId(3);
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 3}));
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown.front(), (TrackPosition{segment, 3}));
    Press(Qt::Key_Down);
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 4}));
    ASSERT_EQ(m_shown.size(), 2u);
    EXPECT_EQ(m_shown.back(), (TrackPosition{segment, 4}));
    // Back to a point after the map chose another one: shown again.
    Holder().SetCurrentPoint(segment, 1);
    List().SetFocusedId(4);
    EXPECT_EQ(m_shown.size(), 3u);
}

TEST_F(PointListTest, CurrentPointFromElsewhereFocusesItsRowWithoutEcho)
{
    const int segment = Open({Walk(6, {1})});
    ShowFiltered(false);
    Dlg();
    Holder().SetCurrentPoint(segment, 4);
    EXPECT_EQ(List().GetFocusedId(), 4);
    EXPECT_EQ(List().currentIndex().row(), 3);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(PointListTest, MenuOffersRemoveOrRestoreByStatus)
{
    const int segment = Open({Walk(6, {2})});
    MenuOn(2);
    EXPECT_FALSE(Enabled(PointListDlg::CmdRemove));
    EXPECT_TRUE(Enabled(PointListDlg::CmdRestore));
    EXPECT_TRUE(Enabled(PointListDlg::CmdDelete));
    MenuOn(3);
    EXPECT_TRUE(Enabled(PointListDlg::CmdRemove));
    EXPECT_FALSE(Enabled(PointListDlg::CmdRestore));

    MenuOn(2, PointListDlg::CmdRestore);
    EXPECT_TRUE(PointAt(segment, 2).IsValid());
    MenuOn(3, PointListDlg::CmdRemove);
    EXPECT_FALSE(PointAt(segment, 3).IsValid());
    EXPECT_EQ(PointAt(segment, 3).GetStatus().GetFilterReason(), kRemovedByUser);
    EXPECT_EQ(Cell(3, PtColumn::Number).data(Qt::ToolTipRole).toString(), QStringLiteral("Removed by user"));
}

TEST_F(PointListTest, MenuOffersBreaksByPlaceInTheSegment)
{
    const int segment = Open({Walk(6)});
    MenuOn(0);
    EXPECT_FALSE(Enabled(PointListDlg::CmdAddBreak));
    EXPECT_TRUE(Enabled(PointListDlg::CmdRemoveBreak));
    MenuOn(5);
    EXPECT_FALSE(Enabled(PointListDlg::CmdAddBreak));
    EXPECT_TRUE(Enabled(PointListDlg::CmdRemoveBreak));
    MenuOn(2, PointListDlg::CmdAddBreak);
    const int file = TrackTreeAlg(Model().GetReader().get()).GetFileId(segment);
    EXPECT_EQ(Segments(file).size(), 2u);
}

TEST_F(PointListTest, EndsOfASegmentAreItsOuterValidPoints)
{
    Open({Walk(6, {0, 5})});
    MenuOn(1);
    EXPECT_TRUE(Enabled(PointListDlg::CmdRemoveBreak));
    MenuOn(4);
    EXPECT_TRUE(Enabled(PointListDlg::CmdRemoveBreak));
    EXPECT_FALSE(Enabled(PointListDlg::CmdAddBreak));
    MenuOn(2);
    EXPECT_FALSE(Enabled(PointListDlg::CmdRemoveBreak));
}

TEST_F(PointListTest, DisabledCommandChosenDoesNothing)
{
    const int segment = Open({Walk(6)});
    MenuOn(3, PointListDlg::CmdRestore);
    EXPECT_TRUE(PointAt(segment, 3).IsValid());
    EXPECT_EQ(Model().GetTrack(segment)->GetPointCount(), 6);
}

TEST_F(PointListTest, DeleteKeyRemovesAndShiftDeleteDeletes)
{
    const int segment = Open({Walk(6)});
    const int file = TrackTreeAlg(Model().GetReader().get()).GetFileId(segment);
    ASSERT_TRUE(List().SetFocusedId(2));
    Press(Qt::Key_Delete);
    EXPECT_EQ(PointAt(segment, 2).GetStatus().GetFilterReason(), kRemovedByUser);
    EXPECT_EQ(Rows(), 6);
    EXPECT_TRUE(IsModified(file));

    ASSERT_TRUE(List().SetFocusedId(4));
    Press(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Model().GetTrack(segment)->GetPointCount(), 5);
    EXPECT_EQ(Rows(), 5);
    EXPECT_EQ(PointAt(segment, 4).GetTime(), kStart + Minutes(5));
}

TEST_F(PointListTest, CtrlArrowsJumpToTheOtherStatus)
{
    const int segment = Open({Walk(8, {3, 4})});
    ASSERT_TRUE(List().SetFocusedId(1));
    Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(List().GetFocusedId(), 3);
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 3}));
    Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(List().GetFocusedId(), 5);
    // No filtered point after the last run of valid ones.
    Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(List().GetFocusedId(), 5);
    Press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(List().GetFocusedId(), 4);
}

TEST_F(PointListTest, BigTrackHasAllRowsWithoutRowObjects)
{
    constexpr int count = 200000;
    std::vector<TrackPoint> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points.push_back(At(i, kStart + TimeSpan::FromSeconds(i)));
    Open({points});
    EXPECT_EQ(Rows(), count);
    EXPECT_EQ(Text(count - 1, PtColumn::Number), Locale::GetIntString(count));
    Holder().SetCurrentPoint(Holder().GetState().GetCurrentSegment(), count - 10);
    EXPECT_EQ(List().GetFocusedId(), count - 10);
}

TEST_F(PointListTest, RowsFollowChangesAndTheCurrentSegment)
{
    ShowFiltered(false);
    const int first = Open({Walk(6), Walk(3)});
    const int file = TrackTreeAlg(Model().GetReader().get()).GetFileId(first);
    const int second = Segments(file).back();
    EXPECT_EQ(Rows(), 6);

    Holder().SetSelection({second});
    EXPECT_EQ(Rows(), 3);
    Holder().SetSelection({first});
    EXPECT_EQ(Rows(), 6);

    MenuOn(1, PointListDlg::CmdRemove);
    EXPECT_EQ(Rows(), 5);
    ShowFiltered(true);
    MenuOn(1, PointListDlg::CmdRestore);
    ShowFiltered(false);
    EXPECT_EQ(Rows(), 6);

    Model().GetTrack(first)->DeletePoint(0);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    EXPECT_EQ(Rows(), 5);

    Holder().SetSelection({});
    EXPECT_EQ(Rows(), 0);
}

TEST_F(PointListTest, CaptionsCarryTheUnits)
{
    Open({Walk(2)});
    const ReportModel& model = List().GetModel();
    const auto title = [&](int column) {
        return model.headerData(model.FindColumn(column), Qt::Horizontal, Qt::DisplayRole).toString();
    };
    EXPECT_EQ(title(PtColumn::LegLength), QStringLiteral("Leg length (m)"));
    EXPECT_EQ(title(PtColumn::FromStart), QStringLiteral("From start (km)"));
    EXPECT_EQ(title(PtColumn::Speed), QStringLiteral("Speed (km/h)"));
    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    GEventManagerImpl::GetInstance().Notify(GEventKind::UnitsChanged);
    EXPECT_EQ(title(PtColumn::LegLength), QStringLiteral("Leg length (ft)"));
}

TEST_F(PointListTest, DefaultColumnsFitTheirTitlesAndValuesInANarrowPane)
{
    Open({Walk(3)});
    // Narrower than the columns together: a scroll bar, never a cut title.
    Dlg().resize(400, 300);
    QApplication::processEvents();
    ExpectEveryColumnFits(List(), List().GetColumns(), [this](int columnId) { return Text(1, columnId); });
}

TEST_F(PointListTest, ColumnLayoutIsKeptForTheNextList)
{
    Open({Walk(2)});
    EXPECT_FALSE(List().GetColumns().IsColumnVisible(PtColumn::Accel));
    EXPECT_TRUE(List().GetColumns().IsColumnVisible(PtColumn::Hdop));
    List().GetColumns().SetColumnVisible(PtColumn::Accel, true);
    List().GetColumns().SetColumnVisible(PtColumn::Hdop, false);
    List().GetColumns().SaveLayout();
    m_dlg.reset();
    EXPECT_TRUE(List().GetColumns().IsColumnVisible(PtColumn::Accel));
    EXPECT_FALSE(List().GetColumns().IsColumnVisible(PtColumn::Hdop));
    List().GetColumns().RestoreDefaultLayout();
    EXPECT_FALSE(List().GetColumns().IsColumnVisible(PtColumn::Accel));
}

TEST_F(PointListTest, MainWindowPointsPaneIsTheList)
{
    MainFrame frame;
    auto* dlg = dynamic_cast<PointListDlg*>(frame.GetPanes().GetPane(PANE_POINTS)->widget());
    ASSERT_NE(dlg, nullptr);
    const int segment = Open({Walk(4)});
    EXPECT_EQ(dlg->GetList().GetModel().rowCount(), 4);
    // Through the map's callback of the real window, the state follows.
    ASSERT_TRUE(dlg->GetList().SetFocusedId(2));
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 2}));
}

} // namespace

TEST_F(PointListTest, ShiftClickTakesThePointsFromTheCurrentOneAndPaintsTheirRows)
{
    const int segment = Open({Walk(10)});
    ASSERT_TRUE(List().SetFocusedId(2));
    EXPECT_TRUE(RangeRows().empty());
    EventKindLog log;

    ClickRow(6, Qt::ShiftModifier);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 2, 6}));
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 6}));
    EXPECT_EQ(RangeRows(), (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(std::count(log.kinds.begin(), log.kinds.end(), GEventKind::PointRangeChanged), 1);

    // From an end of the range, the other end holds.
    ClickRow(4, Qt::ShiftModifier);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 2, 4}));
    // A plain click moves the focus and leaves the range.
    ClickRow(8, Qt::NoModifier);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 2, 4}));
    EXPECT_EQ(Holder().GetState().GetCurrentPoint(), (TrackPosition{segment, 8}));
}

TEST_F(PointListTest, ShiftArrowsGrowAndShrinkTheRangeAndEscapeClearsIt)
{
    const int segment = Open({Walk(40, {6})});
    ASSERT_TRUE(List().SetFocusedId(3));
    Press(Qt::Key_Down, Qt::ShiftModifier);
    Press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 3, 5}));
    // Across the anchor: the range turns round it.
    for (int i = 0; i < 3; ++i)
        Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 2, 3}));
    EXPECT_EQ(RangeRows(), (std::vector<int>{2, 3}));

    Press(Qt::Key_PageDown, Qt::ShiftModifier);
    const int focused = List().GetFocusedId();
    EXPECT_GT(focused, 6);
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 3, focused}));

    EventKindLog log;
    Press(Qt::Key_Escape);
    EXPECT_TRUE(Holder().GetState().GetPointRange().IsEmpty());
    EXPECT_TRUE(RangeRows().empty());
    EXPECT_EQ(log.kinds, std::vector<int>{GEventKind::PointRangeChanged});
}

TEST_F(PointListTest, WithFilteredPointsHiddenTheRangeStillCountsThemAndTheirRowsAreMissing)
{
    ShowFiltered(false);
    const int segment = Open({Walk(8, {3, 4})});
    ASSERT_TRUE(List().SetFocusedId(2));
    Press(Qt::Key_Down, Qt::ShiftModifier);
    // The next row is point 5.
    EXPECT_EQ(Holder().GetState().GetPointRange(), (PointRange{segment, 2, 5}));
    EXPECT_EQ(RangeRows(), (std::vector<int>{2, 3}));
}

TEST_F(PointListTest, MenuOffersTheRangeCommandsWhileThereIsARangeAndSendsTheChosenOne)
{
    const int segment = Open({Walk(6)});
    std::vector<int> sent;
    Dlg().SetCommandSender([&sent](int id) { sent.push_back(id); });
    MenuOn(2);
    for (const int id : {ID_RANGE_NEW_SEGMENT, ID_RANGE_CROP, ID_RANGE_DELETE, ID_RANGE_SAVE_AS})
        EXPECT_FALSE(Enabled(id)) << id;

    Holder().SetPointRange(segment, 1, 3);
    MenuOn(2, ID_RANGE_CROP);
    for (const int id : {ID_RANGE_NEW_SEGMENT, ID_RANGE_CROP, ID_RANGE_DELETE, ID_RANGE_SAVE_AS})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(sent, std::vector<int>{ID_RANGE_CROP});
    // The frame carries it out; the list changes nothing itself.
    EXPECT_EQ(Model().GetTrack(segment)->GetPointCount(), 6);
}
