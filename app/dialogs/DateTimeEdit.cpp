#include "DateTimeEdit.h"

#include <QDateEdit>
#include <QDateTime>
#include <QHBoxLayout>
#include <QTimeEdit>

DateTimeEdit::DateTimeEdit(QWidget* parent)
    : QWidget(parent)
    , m_date(new QDateEdit(this))
    , m_time(new QTimeEdit(this))
{
    m_date->setObjectName(QStringLiteral("Date"));
    m_date->setCalendarPopup(true);
    m_time->setObjectName(QStringLiteral("Time"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_date);
    layout->addWidget(m_time);
}

void DateTimeEdit::SetTime(const Time& time)
{
    // Read as UTC so that the fields show the time's own wall clock.
    const QDateTime shown = time.ToQDateTime().toUTC();
    m_date->setDate(shown.date());
    const QTime clock = shown.time();
    m_time->setTime(QTime(clock.hour(), clock.minute(), clock.second()));
}

Time DateTimeEdit::GetTime() const
{
    return Time::FromQDateTime(QDateTime(m_date->date(), m_time->time(), Qt::UTC));
}
