#pragma once

#include "MapServerPrefixI.h"

#include <QStringList>

// One of the layer's server letters, chosen at random for every URL so
// that the mirrors share the load; empty when the layer has none.
class MapServerPrefix : public MapServerPrefixI
{
public:
    explicit MapServerPrefix(QStringList letters);

    QString GetPrefix() const override;

private:
    QStringList m_letters;
};
