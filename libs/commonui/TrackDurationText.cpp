#include "TrackDurationText.h"

#include "Locale.h"
#include "StringIds.h"
#include "Translator.h"

#include <cstdint>

namespace {

QString Part(int64_t value, int unitId)
{
    return Locale::GetIntString(value) + Translator::GetInstance().LoadStr(unitId);
}

} // namespace

QString TrackDurationText(const TimeSpan& span)
{
    constexpr int64_t usPerSecond = TimeSpan::MicrosecondsPerSecond;
    constexpr int64_t usPerDay = TimeSpan::MicrosecondsPerDay;
    const int64_t us = span.GetMicroseconds();
    const int64_t days = us / usPerDay;
    if (days >= 1) {
        QString text = Part(days, IDS_DURATION_DAYS);
        // With few days the hours still matter; rounded, as the days hide
        // everything finer.
        if (days < 3) {
            const double hoursLeft = TimeSpan::FromMicroseconds(us - days * usPerDay).GetInHours();
            text += QLatin1Char(' ') + Part(static_cast<int64_t>(hoursLeft + 0.5), IDS_DURATION_HOURS);
        }
        return text;
    }
    const int64_t seconds = us / usPerSecond;
    const int64_t hours = seconds / 3600;
    const int64_t minutes = seconds / 60 % 60;
    QString text;
    if (hours >= 1)
        text = Part(hours, IDS_DURATION_HOURS) + QLatin1Char(' ') + Part(minutes, IDS_DURATION_MINUTES);
    else if (minutes >= 1)
        text = Part(minutes, IDS_DURATION_MINUTES);
    if (us < 10 * 60 * usPerSecond)
        text += QLatin1Char(' ') + Part(seconds % 60, IDS_DURATION_SECONDS);
    return text;
}
