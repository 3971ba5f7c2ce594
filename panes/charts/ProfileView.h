#pragma once

#include "ProfileChart.h"
#include "ProfilePainter.h"

#include <QWidget>

#include <functional>

// The profile chart window. Hovering moves a cursor with the values of the
// nearest point; a click picks that point, a left drag a range of points;
// the wheel zooms along x around the mouse, a middle drag pans, a double
// click shows everything again.
class ProfileView : public QWidget
{
public:
    // (segment tid, point index)
    using PointHandler = std::function<void(int, int)>;
    // (segment tid, first point index, last point index)
    using RangeHandler = std::function<void(int, int, int)>;

    // A press and release further apart than this is a drag, not a click.
    static constexpr int DragThreshold = 4;
    // One notch of the wheel shows this share of the range.
    static constexpr double ZoomPerNotch = 0.8;

    explicit ProfileView(QWidget* parent = nullptr);

    ProfileChart& GetChart() { return m_chart; }
    const ProfileMarks& GetMarks() const { return m_marks; }

    // Redraws after the chart changed.
    void Refresh();
    // Point indices of the charted segment; -1 for none.
    void SetCurrentPoint(int index);
    void SetRange(int first, int last);
    void SetEmptyText(const QString& text);
    void SetOnPointClicked(PointHandler handler) { m_onPointClicked = std::move(handler); }
    void SetOnRangeDragged(RangeHandler handler) { m_onRangeDragged = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Samples of the marked points, looked up again after every change of
    // the series; a filtered point is marked at the next charted one.
    void UpdateMarkSamples();
    int SampleNear(int index, bool fromAbove) const;

    ProfileChart m_chart;
    ProfileMarks m_marks;
    int m_currentPoint = -1;
    int m_rangeFirst = -1;
    int m_rangeLast = -1;
    int m_pressX = -1;
    int m_panX = -1;
    bool m_dragging = false;
    PointHandler m_onPointClicked;
    RangeHandler m_onRangeDragged;
};
