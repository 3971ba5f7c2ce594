#pragma once

#include "Time.h"

#include <QWidget>

class QDateEdit;
class QTimeEdit;

// A date control and a time control side by side holding one wall-clock
// time, to the second.
class DateTimeEdit : public QWidget
{
public:
    explicit DateTimeEdit(QWidget* parent = nullptr);

    // A fraction of a second is dropped: the controls could not show it.
    void SetTime(const Time& time);
    Time GetTime() const;

private:
    QDateEdit* m_date;
    QTimeEdit* m_time;
};
