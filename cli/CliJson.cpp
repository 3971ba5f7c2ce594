#include "CliJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace CliJson {

QByteArray String(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray Number(const std::optional<double>& value)
{
    if (!value || !std::isfinite(*value))
        return "null";
    // Twelve digits keep a millimetre on a world-long track and drop the
    // binary noise of sums.
    return QByteArray::number(*value, 'g', 12);
}

} // namespace CliJson
