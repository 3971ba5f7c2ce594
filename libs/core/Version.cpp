#include "Version.h"

#include <QStringList>

#include <algorithm>

Version::Version(int major, int minor, int build, int revision)
    : m_parts{major, minor, build, revision}
{
}

bool Version::Parse(const QString& text)
{
    const QStringList pieces = text.trimmed().split(u'.');
    if (pieces.size() > 4)
        return false;
    std::array<int, 4> parts{};
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& piece = pieces[i];
        // Plain digits only: toInt would accept a sign or blanks. Nine digits
        // always fit an int.
        const bool digitsOnly = std::all_of(piece.begin(), piece.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (piece.isEmpty() || piece.size() > 9 || !digitsOnly)
            return false;
        parts[i] = piece.toInt();
    }
    m_parts = parts;
    return true;
}

QString Version::ToString(int parts) const
{
    QStringList pieces;
    for (int i = 0; i < std::clamp(parts, 1, 4); ++i)
        pieces.append(QString::number(m_parts[i]));
    return pieces.join(u'.');
}
