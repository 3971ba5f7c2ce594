#include "Locale.h"

#include "Time.h"
#include "TimeConv.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace {

// The locale's long time format names the zone ("h:mm:ss AP t"); the times
// given here carry none, so the zone fields go. Text in single quotes is
// literal and stays.
QString TimeFormat(const QLocale& locale, bool withMilliseconds)
{
    const QString pattern = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    bool fractionAdded = !withMilliseconds;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c == u'\'') {
            format += c;
            continue;
        }
        if (c == u't')
            continue;
        format += c;
        const bool secondsEnd = c == u's' && (i + 1 == pattern.size() || pattern[i + 1] != u's');
        if (secondsEnd && !fractionAdded) {
            format += locale.decimalPoint() + QStringLiteral("zzz");
            fractionAdded = true;
        }
    }
    return format.trimmed();
}

QTime TimeOfDay(const TimeComponents& parts)
{
    return QTime(parts.hour, parts.minute, parts.second, parts.milliseconds);
}

QDate DateOf(const TimeComponents& parts)
{
    return QDate(parts.year, parts.month, parts.day);
}

QLocale::FormatType DateFormatType(int flags)
{
    return (flags & Locale::LongDate) ? QLocale::LongFormat : QLocale::ShortFormat;
}

} // namespace

QString Locale::GetIntString(int64_t value)
{
    return QLocale().toString(static_cast<qlonglong>(value));
}

QString Locale::GetDoubleString(double value, int decimals)
{
    if (decimals < 0)
        return QLocale().toString(value, 'f', QLocale::FloatingPointShortest);
    return QLocale().toString(value, 'f', decimals);
}

QString Locale::GetDateString(const Time& time, int flags)
{
    if (time.IsNull())
        return {};
    return QLocale().toString(DateOf(TimeConv::GetComponents(time)), DateFormatType(flags));
}

QString Locale::GetTimeString(const Time& time, int flags)
{
    if (time.IsNull())
        return {};
    const QLocale locale;
    return locale.toString(TimeOfDay(TimeConv::GetComponents(time)),
                           TimeFormat(locale, flags & WithMilliseconds));
}

QString Locale::GetDateTimeString(const Time& time, int flags)
{
    if (time.IsNull())
        return {};
    return GetDateString(time, flags) + u' ' + GetTimeString(time, flags);
}
