#pragma once

#include "OblDlgBase.h"
#include "UnitsConv.h"

class DateTimeEdit;
class QLabel;
class QLineEdit;

// Asks how timestamps are to be regenerated: it explains what will happen
// to a track in the given time-state and, depending on it, asks for the
// start (a track without times) and the speed (without times, or with gaps
// at its ends). After OK the data holds what the user entered.
class FSetTimeDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 1511;

    struct Data
    {
        // The time-state of the track, 1 to 4.
        int mode = 1;
        // Local start: days since 1970 and the fraction of the day.
        double startDate = 0.0;
        double startTime = 0.0;
        QString speedText;
        SpeedUnits speedUnit = SpeedUnits::Kmh;
    };

    explicit FSetTimeDlg(const Data& data, QWidget* parent = nullptr);

    const Data& GetData() const { return m_data; }

    void accept() override;

protected:
    QString GetLayoutKey() const override { return QStringLiteral("FilterTimeSet"); }
    bool OnInitDialog() override;

private:
    bool AsksStart() const { return m_data.mode == 2; }
    bool AsksSpeed() const { return m_data.mode == 2 || m_data.mode == 3; }

    Data m_data;
    QLabel* m_explanation = nullptr;
    QLabel* m_startLabel = nullptr;
    DateTimeEdit* m_start = nullptr;
    QLabel* m_speedLabel = nullptr;
    QLineEdit* m_speed = nullptr;
};
