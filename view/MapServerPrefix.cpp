#include "MapServerPrefix.h"

#include <QRandomGenerator>

MapServerPrefix::MapServerPrefix(QStringList letters)
    : m_letters(std::move(letters))
{
}

QString MapServerPrefix::GetPrefix() const
{
    if (m_letters.isEmpty())
        return {};
    const quint32 pick = QRandomGenerator::global()->bounded(static_cast<quint32>(m_letters.size()));
    return m_letters[static_cast<qsizetype>(pick)];
}
