#include "ProfileView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

ProfileView::ProfileView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(60, 40);
    setMouseTracking(true);
}

void ProfileView::Refresh()
{
    UpdateMarkSamples();
    update();
}

void ProfileView::SetCurrentPoint(int index)
{
    m_currentPoint = index;
    Refresh();
}

void ProfileView::SetRange(int first, int last)
{
    m_rangeFirst = std::min(first, last);
    m_rangeLast = std::max(first, last);
    Refresh();
}

void ProfileView::SetEmptyText(const QString& text)
{
    m_marks.emptyText = text;
    update();
}

int ProfileView::SampleNear(int index, bool fromAbove) const
{
    const ProfileSeries* series = m_chart.GetSeries();
    if (!series || index < 0 || series->Size() == 0)
        return -1;
    const std::vector<int>& indices = series->indices;
    if (fromAbove) {
        const auto it = std::lower_bound(indices.begin(), indices.end(), index);
        return it == indices.end() ? -1 : static_cast<int>(it - indices.begin());
    }
    const auto it = std::upper_bound(indices.begin(), indices.end(), index);
    return it == indices.begin() ? -1 : static_cast<int>(it - indices.begin()) - 1;
}

void ProfileView::UpdateMarkSamples()
{
    const ProfileSeries* series = m_chart.GetSeries();
    m_marks.currentSample = series ? series->SampleOfPoint(m_currentPoint) : -1;
    m_marks.rangeFirstSample = SampleNear(m_rangeFirst, true);
    m_marks.rangeLastSample = SampleNear(m_rangeLast, false);
    if (m_marks.rangeFirstSample > m_marks.rangeLastSample)
        m_marks.rangeFirstSample = m_marks.rangeLastSample = -1;
    if (!series || m_marks.hoverSample >= series->Size())
        m_marks.hoverSample = -1;
}

void ProfileView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ProfilePainter::Paint(painter, m_chart, m_marks);
}

void ProfileView::resizeEvent(QResizeEvent*)
{
    m_chart.SetSize(width(), height());
}

void ProfileView::mousePressEvent(QMouseEvent* event)
{
    const int x = static_cast<int>(event->position().x());
    if (event->button() == Qt::LeftButton) {
        m_pressX = x;
        m_dragging = false;
    } else if (event->button() == Qt::MiddleButton) {
        m_panX = x;
        setCursor(Qt::ClosedHandCursor);
    }
}

void ProfileView::mouseMoveEvent(QMouseEvent* event)
{
    const int x = static_cast<int>(event->position().x());
    if (m_panX >= 0) {
        m_chart.PanBy(x - m_panX);
        m_panX = x;
    }
    if (m_pressX >= 0 && std::abs(x - m_pressX) > DragThreshold)
        m_dragging = true;
    if (m_dragging) {
        m_marks.dragFrom = m_pressX;
        m_marks.dragTo = x;
    }
    m_marks.hoverSample = m_chart.SampleAtPixel(x);
    update();
}

void ProfileView::mouseReleaseEvent(QMouseEvent* event)
{
    const int x = static_cast<int>(event->position().x());
    if (event->button() == Qt::MiddleButton) {
        m_panX = -1;
        unsetCursor();
        return;
    }
    if (event->button() != Qt::LeftButton || m_pressX < 0)
        return;
    const ProfileSeries* series = m_chart.GetSeries();
    const int pressX = std::exchange(m_pressX, -1);
    m_marks.dragFrom = m_marks.dragTo = -1;
    if (!series) {
        update();
        return;
    }
    if (std::exchange(m_dragging, false)) {
        const auto [first, last] = m_chart.PointsBetween(pressX, x);
        if (first >= 0) {
            SetRange(first, last);
            if (m_onRangeDragged)
                m_onRangeDragged(series->tid, first, last);
        }
        update();
        return;
    }
    const int sample = m_chart.SampleAtPixel(x);
    if (sample >= 0 && m_onPointClicked)
        m_onPointClicked(series->tid, series->indices[static_cast<size_t>(sample)]);
}

void ProfileView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_chart.ResetZoom();
    update();
}

void ProfileView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0)
        return;
    const int x = static_cast<int>(event->position().x());
    m_chart.ZoomAt(x, std::pow(ZoomPerNotch, notches));
    m_marks.hoverSample = m_chart.SampleAtPixel(x);
    update();
    event->accept();
}

void ProfileView::leaveEvent(QEvent*)
{
    m_marks.hoverSample = -1;
    update();
}
