#pragma once

#include "PaneDlgBase.h"

#include <boost/signals2/connection.hpp>

#include <vector>

class HistogramView;
class QLineEdit;

// The Histogram pane: the distribution of the speeds of the current
// segment, refilled when its points, the selection or the current point
// change.
class HistogramDlg : public PaneDlgBase
{
public:
    explicit HistogramDlg(QWidget* parent = nullptr);

    HistogramView& GetView() { return *m_view; }
    QLineEdit& GetSpeedField() { return *m_speed; }
    QLineEdit& GetPercentField() { return *m_percent; }

    // The calculated speeds (km/h) of the valid points of segment tid in
    // ascending order; empty for no segment.
    static std::vector<double> SegmentSpeeds(int tid);
    void Refill();

private:
    HistogramView* m_view;
    QLineEdit* m_speed;
    QLineEdit* m_percent;
    boost::signals2::scoped_connection m_events;
    boost::signals2::scoped_connection m_currentPoint;
    // The segment whose speeds are charted; -1 for none.
    int m_segment = -1;
};
