#pragma once

#include "PaneDlgBase.h"
#include "TrackI.h"
#include "ValueFilterPreview.h"
#include "ValueFilterRows.h"

#include <QElapsedTimer>

#include <boost/signals2/connection.hpp>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class HistogramView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The Histogram pane: the distribution of a value the filters judge
// (speed, distance between points, the accelerations; HDOP and satellites
// where the points carry them) over the valid points of the current
// segment, with a cut-off line for each limit the filter by value has for
// that value. The limits are those of the filter by
// value's dialog: moving a line sets one, and the points the filter would
// then mark are shown at once in the map and the point list, with their
// count and share; Apply runs the filter with them.
class HistogramDlg : public PaneDlgBase
{
public:
    using SendCommand = std::function<void(int commandId)>;

    // The values a chart can show, in chooser order.
    enum Quantity { Speed, Distance, AccelForward, AccelBrake, AccelRadial, Hdop, Satellites, QuantityCount };

    explicit HistogramDlg(QWidget* parent = nullptr);
    ~HistogramDlg() override;

    HistogramView& GetView() { return *m_view; }
    QComboBox& GetChooser() { return *m_chooser; }
    // The limit of the line last moved (or the first set one).
    QLineEdit& GetSpeedField() { return *m_limit; }
    QLineEdit& GetCountField() { return *m_count; }
    QLineEdit& GetPercentField() { return *m_percent; }
    QPushButton& GetApplyButton() { return *m_apply; }
    void SetCommandSender(SendCommand send) { m_sendCommand = std::move(send); }

    // The calculated speeds (km/h) of the valid points of segment tid in
    // ascending order; empty for no segment.
    static std::vector<double> SegmentSpeeds(int tid);
    // The HDOP or satellite counts of the valid points of a track that
    // carry them, ascending.
    static std::vector<double> GpsValues(const TrackI& track, Quantity quantity);
    void Refill();

private:
    void ShowQuantity();
    // Draws the lines of the limits and works out what they would mark.
    void ShowLimits();
    void OnLineMoved(int row, double value);
    // Works on the marks of the limits until partEnd and shows them, and
    // comes back to them while they are not complete.
    void ContinuePreview(ValueFilterPreview::Clock::time_point partEnd);

    HistogramView* m_view;
    QComboBox* m_chooser;
    QLabel* m_limitLabel;
    QLineEdit* m_limit;
    QLineEdit* m_count;
    QLineEdit* m_percent;
    QPushButton* m_apply;
    SendCommand m_sendCommand;
    boost::signals2::scoped_connection m_events;
    boost::signals2::scoped_connection m_currentPoint;
    boost::signals2::scoped_connection m_limits;
    // The segment charted; -1 for none.
    int m_segment = -1;
    std::unique_ptr<ValueFilterPreview> m_preview;
    QTimer* m_previewWork;
    QElapsedTimer m_marksShown;
    // The HDOP and satellite counts of the segment.
    std::array<std::vector<double>, 2> m_gpsValues;
    // The row whose limit the field shows.
    int m_shownRow = -1;
};
