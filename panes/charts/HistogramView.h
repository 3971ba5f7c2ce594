#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

// The histogram chart: one bar per pixel column, over a white area with a
// light frame; green, or red beyond a cut-off line. A cut-off line is a
// limit of the filter by value; the user drags it along the chart.
class HistogramView : public QWidget
{
public:
    struct CutOff
    {
        // A row of the filter by value (ValueFilterRows).
        int row = -1;
        // True for a maximum: what lies above is cut off.
        bool above = true;
        // In the charted units; absent while the limit is not set.
        std::optional<double> value;
    };
    // row, new value.
    using OnMoved = std::function<void(int, double)>;

    explicit HistogramView(QWidget* parent = nullptr);

    // values in ascending order.
    void SetValues(std::vector<double> values);
    const std::vector<double>& GetValues() const { return m_values; }
    void SetCutOffs(std::vector<CutOff> cutOffs);
    const std::vector<CutOff>& GetCutOffs() const { return m_cutOffs; }
    void SetOnMoved(OnMoved onMoved) { m_onMoved = std::move(onMoved); }

    // The column of a value and the value in the middle of a column, by
    // the binning of the chart.
    int ColumnOf(double value) const;
    double ValueAtColumn(int x) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double Top() const;
    bool IsCutOff(double value) const;
    // The cut-off nearest to column x; one not set counts as lying at the
    // end it comes in from. -1 when there are none.
    int NearestCutOff(int x) const;

    std::vector<double> m_values;
    std::vector<CutOff> m_cutOffs;
    OnMoved m_onMoved;
    // Index into m_cutOffs while dragging, else -1.
    int m_dragged = -1;
};
