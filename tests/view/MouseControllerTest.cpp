#include "MouseControllerImpl.h"

#include "CoordTransform.h"
#include "MapViewHostI.h"
#include "OpenTracksTestBench.h"
#include "PointEdits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class FakeHost : public MapViewHostI
{
public:
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    bool HasCapture() const override { return captured; }
    void RepaintNow() override { ++repaints; }
    void ShowPointMenu(const PixelPoint& at, const TrackPosition& point) override
    {
        menuAt = at;
        menuPoint = point;
        ++menus;
    }
    bool IsOtherWindowActive() const override { return otherActive; }
    void SelectSegment(int tid) override { selected = tid; }
    void ShowPoint(const TrackPosition& point) override { shown = point; }

    bool captured = false;
    int repaints = 0;
    int menus = 0;
    PixelPoint menuAt;
    TrackPosition menuPoint;
    bool otherActive = false;
    int selected = -1;
    TrackPosition shown;
};

class MouseControllerTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        SourceTree source;
        m_segment = source.Segment(source.file, MakePoints(5, Time(2024, 5, 1, 10)));
        m_file = Open(source);
        m_segment = Segments(m_file).front();
        m_transform.SetViewRect({0, 0, 1000, 800});
        m_transform.SetScale(10.0);
        m_transform.SetCenter({10.002, 47.0});
    }

    MouseMessage Message(MouseMessage::Type type, PixelPoint at, bool leftHeld = false, bool ctrl = false)
    {
        MouseMessage message;
        message.type = type;
        message.pos = at;
        message.leftHeld = leftHeld;
        message.ctrl = ctrl;
        return message;
    }

    PickResult PointPick(int index)
    {
        PickResult pick;
        pick.kind = PickResult::Point;
        pick.point = {m_segment, index};
        double x = 0, y = 0, z = 0;
        model.GetTrack(m_segment)->GetPosition(index, x, y, z);
        pick.nearest = m_transform.GeoToPixel({x, y});
        return pick;
    }

    // A click: press, release, with the pick of the frame in between.
    void Click(PixelPoint press, PixelPoint release, const PickResult& pick)
    {
        m_mouse.SetPickResult(pick);
        m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, press));
        m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, release));
    }

    int m_file = -1;
    int m_segment = -1;
    int64_t m_now = 1000;
    CoordTransform m_transform;
    FakeHost m_host;
    PointEdits m_actions{model, holder, events};
    MouseControllerImpl m_mouse{m_transform, m_actions, m_host, [this] { return m_now; }};
};

} // namespace

TEST_F(MouseControllerTest, KeysZoomByTheirFactorsAndPanByAShareOfTheView)
{
    m_mouse.OnKeyDown(Qt::Key_PageDown, false, false);
    EXPECT_NEAR(m_transform.GetScale(), 10.0 / std::cbrt(2.0), 1e-9);
    EXPECT_EQ(m_host.repaints, 1);
    m_transform.SetScale(10.0);
    m_mouse.OnKeyDown(Qt::Key_Plus, false, true);
    EXPECT_NEAR(m_transform.GetScale(), 5.0, 1e-9);
    m_mouse.OnKeyDown(Qt::Key_Minus, true, false);
    EXPECT_NEAR(m_transform.GetScale(), 5.0 * std::pow(2.0, 1.0 / 8), 1e-9);
    m_mouse.OnKeyDown(Qt::Key_PageUp, true, true);
    EXPECT_NEAR(m_transform.GetScale(), 5.0 * std::pow(2.0, 1.0 / 8) * std::cbrt(2.0), 1e-9);

    // 9 % of 1000 px to the left: what was 90 px left of the centre is there.
    m_transform.SetScale(10.0);
    const GeoPoint left = m_transform.PixelToGeo({500 - 90, 400});
    m_mouse.OnKeyDown(Qt::Key_Left, false, false);
    EXPECT_EQ(m_transform.GeoToPixel(left), (PixelPoint{500, 400}));
    const GeoPoint below = m_transform.PixelToGeo({500, 400 + 6});
    m_mouse.OnKeyDown(Qt::Key_Down, true, false);
    EXPECT_EQ(m_transform.GeoToPixel(below), (PixelPoint{500, 400}));
}

TEST_F(MouseControllerTest, CtrlArrowsStepAlongTheTrackAndShowThePoint)
{
    const GeoPoint centre = m_transform.GetCenter();
    holder.SetCurrentPoint(m_segment, 2);
    m_mouse.OnKeyDown(Qt::Key_Right, false, true);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 3}));
    EXPECT_EQ(m_host.shown, (TrackPosition{m_segment, 3}));
    m_mouse.OnKeyDown(Qt::Key_Left, false, true);
    m_mouse.OnKeyDown(Qt::Key_Left, false, true);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 1}));
    EXPECT_EQ(m_transform.GetCenter(), centre) << "stepping does not pan";
}

TEST_F(MouseControllerTest, WheelAndDoubleClickZoomAtTheMouse)
{
    const PixelPoint at{700, 200};
    const GeoPoint under = m_transform.PixelToGeo(at);
    MouseMessage wheel = Message(MouseMessage::Wheel, at);
    wheel.wheelDelta = 240;
    m_mouse.OnMouseMessage(wheel);
    // Two notches of a fourth root of two.
    EXPECT_NEAR(m_transform.GetScale(), 10.0 / std::sqrt(2.0), 1e-9);
    EXPECT_EQ(m_transform.GeoToPixel(under), at);
    // Over another window the wheel does nothing.
    wheel.overMap = false;
    m_mouse.OnMouseMessage(wheel);
    EXPECT_NEAR(m_transform.GetScale(), 10.0 / std::sqrt(2.0), 1e-9);

    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDoubleClick, at));
    EXPECT_NEAR(m_transform.GetScale(), 5.0 / std::sqrt(2.0), 1e-9);
    EXPECT_EQ(m_transform.GeoToPixel(under), (PixelPoint{500, 400}));
}

TEST_F(MouseControllerTest, DraggingMovesTheMapAndOnlyAClickChoosesAPoint)
{
    const PickResult pick = PointPick(3);
    const GeoPoint grabbed = m_transform.PixelToGeo({300, 300});
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, {300, 300}));
    EXPECT_TRUE(m_host.captured);
    EXPECT_EQ(m_mouse.GetCursor(), MouseCursor::Dragging);
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {340, 280}, true));
    EXPECT_EQ(m_transform.GeoToPixel(grabbed), (PixelPoint{340, 280}));
    EXPECT_TRUE(m_mouse.NeedsRedraw(true));
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, {340, 280}));
    EXPECT_FALSE(m_host.captured);
    EXPECT_EQ(State().GetCurrentPoint().tid, -1) << "a drag is not a click";

    Click({100, 100}, {105, 100}, pick);
    EXPECT_EQ(State().GetCurrentPoint().tid, -1) << "5 px apart is a drag";
    Click({100, 100}, {104, 96}, pick);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 3}));

    // A segment clicked becomes the selection.
    PickResult segment;
    segment.kind = PickResult::Segment;
    segment.point = {m_segment, 1};
    Click({50, 50}, {50, 50}, segment);
    EXPECT_EQ(m_host.selected, m_segment);
}

TEST_F(MouseControllerTest, AMoveWithoutTheButtonEndsADrag)
{
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, {300, 300}));
    ASSERT_TRUE(m_mouse.NeedsRedraw(false));
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {320, 300}, false));
    EXPECT_FALSE(m_host.captured);
    EXPECT_FALSE(m_mouse.NeedsRedraw(false));
    EXPECT_EQ(m_mouse.GetCursor(), MouseCursor::Hand);
}

TEST_F(MouseControllerTest, HoverWaitsFourHundredMillisecondsThenPicksOnce)
{
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {200, 200}));
    EXPECT_FALSE(m_mouse.NeedsRedraw(true));
    EXPECT_FALSE(m_mouse.AllowsHover());
    m_now += 400;
    EXPECT_FALSE(m_mouse.NeedsRedraw(true));
    m_now += 1;
    EXPECT_TRUE(m_mouse.NeedsRedraw(true));
    EXPECT_FALSE(m_mouse.NeedsRedraw(false)) << "not while the mouse is elsewhere";
    EXPECT_TRUE(m_mouse.AllowsHover());
    m_mouse.SetPickResult(PointPick(2));
    EXPECT_TRUE(m_mouse.NeedsRedraw(true));
    EXPECT_TRUE(m_mouse.AllowsHover());
    EXPECT_FALSE(m_mouse.NeedsRedraw(true));
    EXPECT_EQ(m_mouse.GetPickResult().kind, PickResult::Point);
    EXPECT_EQ(m_mouse.GetCursor(), MouseCursor::Arrow);
    // A move forgets it.
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {201, 200}));
    EXPECT_EQ(m_mouse.GetPickResult().kind, PickResult::Nothing);

    // A dialog in front: nothing is picked.
    m_now += 1000;
    m_host.otherActive = true;
    EXPECT_FALSE(m_mouse.AllowsHover());
}

TEST_F(MouseControllerTest, AHoveredSegmentHoldsTheMouseUntilItMovesTenPixels)
{
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {200, 200}));
    m_now += 500;
    ASSERT_TRUE(m_mouse.AllowsHover());
    PickResult segment;
    segment.kind = PickResult::Segment;
    segment.point = {m_segment, 1};
    m_mouse.SetPickResult(segment);
    EXPECT_FALSE(m_mouse.AllowsHover());
    EXPECT_TRUE(m_host.captured);
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {209, 191}));
    EXPECT_EQ(m_mouse.GetPickResult().kind, PickResult::Segment);
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {210, 195}));
    EXPECT_FALSE(m_host.captured);
    EXPECT_EQ(m_mouse.GetPickResult().kind, PickResult::Nothing);
}

TEST_F(MouseControllerTest, EditModeMovesAPointAndInsertsOnALine)
{
    m_mouse.SetMode(MouseModeEdit);
    const PickResult pick = PointPick(2);
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, {pick.nearest.x + 2, pick.nearest.y + 1}));
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 2}));
    m_mouse.OnMouseMessage(Message(MouseMessage::Move, {pick.nearest.x + 32, pick.nearest.y - 19}, true));
    double x = 0, y = 0, z = 0;
    model.GetTrack(m_segment)->GetPosition(2, x, y, z);
    EXPECT_EQ(m_transform.GeoToPixel({x, y}), (PixelPoint{pick.nearest.x + 30, pick.nearest.y - 20}));
    EXPECT_TRUE(model.GetFileAttr(m_file)->modified);
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, {pick.nearest.x + 32, pick.nearest.y - 19}));
    EXPECT_EQ(m_mouse.GetCursor(), MouseCursor::Edit);

    // A click on the line between points 0 and 1, a quarter of the way, at
    // a metre per pixel.
    m_transform.SetScale(1.0);
    m_transform.SetCenter({10.0005, 47.0});
    TrackPoint a, b;
    model.GetTrack(m_segment)->GetPoint(0, a);
    model.GetTrack(m_segment)->GetPoint(1, b);
    PickResult line;
    line.kind = PickResult::Line;
    line.point = {m_segment, 0};
    line.second = 1;
    line.nearest = m_transform.GeoToPixel({a.GetLon() + (b.GetLon() - a.GetLon()) / 4, 47.0});
    Click({10, 10}, {10, 10}, line);
    ASSERT_EQ(model.GetTrack(m_segment)->GetPointCount(), 6);
    TrackPoint inserted;
    model.GetTrack(m_segment)->GetPoint(1, inserted);
    EXPECT_TRUE(inserted.GetStatus().IsInMode(TrackPointStatus::AddedByUser));
    const double t = (inserted.GetLon() - a.GetLon()) / (b.GetLon() - a.GetLon());
    EXPECT_NEAR(t, 0.25, 0.01);
    EXPECT_NEAR((inserted.GetTime() - a.GetTime()).GetInSeconds(), 10.0 * t, 1e-3);
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 1}));
}

TEST_F(MouseControllerTest, InsertingOnANorthSouthLineUsesTheLatitudeAlone)
{
    SourceTree source(QStringLiteral("north"));
    std::vector<TrackPoint> points{TrackPoint({8.0, 47.0, 100.0}, Time(2024, 5, 1, 10)),
                                   TrackPoint({8.0, 47.01, 200.0}, Time(2024, 5, 1, 10, 10))};
    source.Segment(source.file, points);
    const int segment = Segments(Open(source)).front();
    const TrackPosition added = m_actions.InsertPoint(segment, 0, 1, {8.3, 47.002});
    TrackPoint point;
    model.GetTrack(segment)->GetPoint(added.index, point);
    EXPECT_DOUBLE_EQ(point.GetLon(), 8.0);
    EXPECT_NEAR(point.GetLat(), 47.002, 1e-9);
    EXPECT_NEAR(point.GetElevation(), 120.0, 1e-6);
    EXPECT_NEAR((point.GetTime() - Time(2024, 5, 1, 10)).GetInSeconds(), 120.0, 1e-3);
}

TEST_F(MouseControllerTest, ARightClickOnAPointOpensItsMenu)
{
    const PickResult pick = PointPick(4);
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::RightDown, {40, 40}));
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 4}));
    m_mouse.OnMouseMessage(Message(MouseMessage::RightUp, {43, 41}));
    EXPECT_EQ(m_host.menus, 1);
    EXPECT_EQ(m_host.menuPoint, (TrackPosition{m_segment, 4}));
    EXPECT_EQ(m_host.menuAt, (PixelPoint{43, 41}));
    // Nothing under the mouse, or a drag: no menu.
    m_mouse.SetPickResult({});
    m_mouse.OnMouseMessage(Message(MouseMessage::RightDown, {40, 40}));
    m_mouse.OnMouseMessage(Message(MouseMessage::RightUp, {40, 40}));
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::RightDown, {40, 40}));
    m_mouse.OnMouseMessage(Message(MouseMessage::RightUp, {60, 40}));
    EXPECT_EQ(m_host.menus, 1);
}

TEST_F(MouseControllerTest, RemovedPointsStayAndComeBack)
{
    m_actions.RemovePoint({m_segment, 2});
    TrackPoint point;
    model.GetTrack(m_segment)->GetPoint(2, point);
    EXPECT_FALSE(point.IsValid());
    EXPECT_EQ(point.GetStatus().GetFilterReason(), PointEdits::RemovedByUserReason);
    EXPECT_EQ(model.GetTrack(m_segment)->GetPtNav().GetValidCount(), 4);
    EXPECT_TRUE(model.GetFileAttr(m_file)->modified);
    ASSERT_FALSE(Seen(GEventKind::PointRemovedRestored).empty());
    m_actions.RestorePoint({m_segment, 2});
    EXPECT_EQ(model.GetTrack(m_segment)->GetPtNav().GetValidCount(), 5);
    EXPECT_EQ(m_actions.GetPlace({m_segment, 0}), PointEdits::First);
    EXPECT_EQ(m_actions.GetPlace({m_segment, 4}), PointEdits::Last);
    EXPECT_EQ(m_actions.GetPlace({m_segment, 2}), PointEdits::Inside);
    EXPECT_EQ(m_actions.GetPlace({m_segment, 5}), PointEdits::NoPlace);
}

TEST_F(MouseControllerTest, CtrlClicksOnTwoPointsMakeTheRangeBetweenThem)
{
    const auto ctrlClick = [this](int index) {
        const PickResult pick = PointPick(index);
        m_mouse.SetPickResult(pick);
        m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, pick.nearest, false, true));
        m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, pick.nearest, false, true));
    };
    ctrlClick(3);
    EXPECT_TRUE(State().GetPointRange().IsEmpty());
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 3}));
    ctrlClick(1);
    EXPECT_EQ(State().GetPointRange(), (PointRange{m_segment, 1, 3}));
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 1}));
    // A segment named "Selection" is the command's business, not the click's.
    EXPECT_EQ(Segments(m_file).size(), 1u);

    m_mouse.OnKeyDown(Qt::Key_Escape, false, false);
    EXPECT_TRUE(State().GetPointRange().IsEmpty());
}

TEST_F(MouseControllerTest, PlainClicksAndCtrlDragsMarkNothing)
{
    Click(PointPick(0).nearest, PointPick(0).nearest, PointPick(0));
    const PickResult pick = PointPick(2);
    m_mouse.SetPickResult(pick);
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, pick.nearest, false, true));
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, {pick.nearest.x + 5, pick.nearest.y}, false, true));
    m_mouse.SetPickResult(PointPick(4));
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftDown, PointPick(4).nearest, false, true));
    m_mouse.OnMouseMessage(Message(MouseMessage::LeftUp, PointPick(4).nearest, false, true));
    // Had the plain click or the drag left a mark, this one would pair with it.
    EXPECT_TRUE(State().GetPointRange().IsEmpty());
    EXPECT_EQ(State().GetCurrentPoint(), (TrackPosition{m_segment, 4}));
}
