#pragma once

#include <QWidget>

#include <vector>

// The histogram chart: one green bar per pixel column, over a white area
// with a light frame.
class HistogramView : public QWidget
{
public:
    explicit HistogramView(QWidget* parent = nullptr);

    // values in ascending order.
    void SetValues(std::vector<double> values);
    const std::vector<double>& GetValues() const { return m_values; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_values;
};
