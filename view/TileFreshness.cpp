#include "TileFreshness.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <optional>

namespace {

// An HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT"); none when unreadable.
std::optional<int64_t> ParseHttpDate(const QByteArray& text)
{
    const QDateTime time = QLocale::c().toDateTime(QString::fromLatin1(text.trimmed()).chopped(4).mid(5),
                                                   QStringLiteral("dd MMM yyyy HH:mm:ss"));
    if (!text.trimmed().endsWith(" GMT") || !time.isValid())
        return std::nullopt;
    return QDateTime(time.date(), time.time(), QTimeZone::utc()).toSecsSinceEpoch();
}

} // namespace

TileFreshness TileFreshness::FromHeaders(const QByteArray& cacheControl, const QByteArray& expiresHeader, int64_t now)
{
    TileFreshness freshness;
    freshness.expires = now + DefaultLifetime;
    std::optional<int64_t> maxAge;
    for (const QByteArray& part : cacheControl.split(',')) {
        const QByteArray directive = part.trimmed().toLower();
        if (directive == "no-store")
            freshness.storable = false;
        else if (directive == "no-cache")
            maxAge = 0;
        else if (directive.startsWith("max-age=") && !maxAge) {
            bool ok = false;
            const qlonglong seconds = directive.mid(8).toLongLong(&ok);
            if (ok && seconds >= 0)
                maxAge = seconds;
        }
    }
    if (maxAge)
        freshness.expires = now + *maxAge;
    else if (!expiresHeader.isEmpty())
        // An Expires that cannot be read ("0", "-1") means already expired.
        freshness.expires = ParseHttpDate(expiresHeader).value_or(now);
    return freshness;
}
