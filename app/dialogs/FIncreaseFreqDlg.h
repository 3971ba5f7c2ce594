#pragma once

#include "OblDlgBase.h"
#include "OblOptions.h"
#include "TimeSpan.h"
#include "UnitsConv.h"

class QCheckBox;
class QLineEdit;

// Asks for the largest time and distance to be left between neighbouring
// points. The distance is shown and typed in the small distance unit of
// the user's measuring system. OK stores the choices.
class FIncreaseFreqDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 1512;

    struct Options : OblOptionsBase
    {
        Options();
        // Seconds.
        OblOptionDouble time{1.0};
        // Metres.
        OblOptionDouble dist{10.0};
        OblOptionBool useTime{true};
        OblOptionBool useDist{true};
    };

    explicit FIncreaseFreqDlg(QWidget* parent = nullptr);

    // The steps of the stored options; zero for a step that is not used.
    static TimeSpan GetTimeStep(const Options& options);
    static double GetDistStep(const Options& options);

    void accept() override;

protected:
    QString GetLayoutKey() const override { return QStringLiteral("IncreaseFrequency"); }
    bool OnInitDialog() override;

private:
    DistanceUnits m_units = DistanceUnits::Meters;
    QCheckBox* m_useTime = nullptr;
    QLineEdit* m_time = nullptr;
    QCheckBox* m_useDist = nullptr;
    QLineEdit* m_dist = nullptr;
};
