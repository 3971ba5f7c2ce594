#pragma once

#include "OblDlgBase.h"
#include "TimeZones.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

// The user's units and formats: measuring system, coordinate format and sign
// style, time zone and temperature unit. Every change is applied at once, so
// the panes follow while the dialog is open; Cancel puts back what was set
// when it opened.
class OptionsGeneralDlg : public OblDlgBase
{
public:
    // The dialog's number.
    static constexpr int TemplateId = 141;
    // The point the sample coordinate shows, whatever tracks are open.
    static constexpr double SampleLat = 38.89037;
    static constexpr double SampleLon = -77.031959;
    // The zone list opens this many times as wide as the drop-down.
    static constexpr double ZonePopupWidthFactor = 1.7;

    // The dialog's working copy of the settings it edits.
    struct Settings
    {
        int measuringSystem = 0;
        int coordSignFormat = 0;
        int coordFormat = 0;
        int timeZoneMethod = TimeZoneSettings::System;
        int timeZoneIndex = -1;
        int temperatureUnits = 0;
        int undoMemoryMiB = 256;

        bool operator==(const Settings&) const = default;
    };

    // The values in force now (OptUnits and TimeZones).
    static Settings Current();
    // Puts the values in force; a changed time zone is announced as a change
    // of the units, which is what the panes listen to.
    static void Apply(const Settings& settings);

    explicit OptionsGeneralDlg(QWidget* parent = nullptr);

    QComboBox& GetMeasuringSystemCombo() const { return *m_measuringSystem; }
    QComboBox& GetCoordFormatCombo() const { return *m_coordFormat; }
    QComboBox& GetCoordSignCombo() const { return *m_coordSign; }
    QLabel& GetSampleLabel() const { return *m_sample; }
    QRadioButton& GetTimeZoneRadio(int method) const;
    QComboBox& GetTimeZoneCombo() const { return *m_timeZone; }
    QRadioButton& GetTemperatureRadio(int unit) const;
    QSpinBox& GetUndoMemorySpin() const { return *m_undoMemory; }
    // What the controls show, as a record.
    Settings ReadControls() const;

    void reject() override;

protected:
    bool OnInitDialog() override;

private:
    void FillControls(const Settings& settings);
    void UpdateSample();
    void ApplyControls();
    void OnZonePicked();

    QComboBox* m_measuringSystem;
    QComboBox* m_coordFormat;
    QComboBox* m_coordSign;
    QLabel* m_sample;
    QButtonGroup* m_timeZoneMethod;
    QComboBox* m_timeZone;
    QButtonGroup* m_temperature;
    QSpinBox* m_undoMemory;
    // The values when the dialog opened, for Cancel.
    Settings m_original;
    // Set while the controls are filled, so that filling applies nothing.
    bool m_filling = false;
};
