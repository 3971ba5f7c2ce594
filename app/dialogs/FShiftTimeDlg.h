#pragma once

#include "OblDlgBase.h"
#include "Time.h"

class DateTimeEdit;

// Asks for the new local start of a track whose times are to be shifted.
// The controls hold the start given to the dialog; after OK GetStart gives
// what the user chose, to the second.
class FShiftTimeDlg : public OblDlgBase
{
public:
    static constexpr int kTemplateId = 1510;
    static constexpr int kRandomDateId = 2253;

    explicit FShiftTimeDlg(const Time& localStart, QWidget* parent = nullptr);

    // Local time.
    Time GetStart() const { return m_start; }
    // Fills the controls with a moment two to about ten years before now,
    // for sharing a track without telling when it was recorded.
    void SetRandomPastDate();

    void accept() override;

protected:
    QString GetLayoutKey() const override { return QStringLiteral("FilterTimeShift"); }
    bool OnInitDialog() override;

private:
    Time m_start;
    DateTimeEdit* m_edit;
};
