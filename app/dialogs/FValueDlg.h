#pragma once

#include "OblDlgBase.h"
#include "ValueFilterRows.h"

#include <array>

class QLabel;
class QLineEdit;

// Filter by value: one edit per parameter, in the units of the user's
// measuring system. The edits start with the limits last set (in this
// dialog or in the Histogram pane); what the user typed is read back with
// GetTexts after OK.
class FValueDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 1500;

    explicit FValueDlg(QWidget* parent = nullptr);

    ValueFilterRows::Texts GetTexts() const;
    MeasuringSystem GetMeasuringSystem() const { return m_system; }

protected:
    QString GetLayoutKey() const override { return QStringLiteral("FilterValue"); }
    bool OnInitDialog() override;

private:
    std::array<QLabel*, ValueFilterRows::Count> m_labels{};
    std::array<QLineEdit*, ValueFilterRows::Count> m_edits{};
    MeasuringSystem m_system = MeasuringSystem::Metric;
};
