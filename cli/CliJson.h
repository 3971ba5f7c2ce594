#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Pieces of JSON written by hand, where a command keeps its keys in the
// order it documents (QJsonObject sorts them).
namespace CliJson {

// A string literal, quotes and escapes included.
QByteArray String(const QString& text);
// null for none and for what JSON cannot hold (NaN, infinities).
QByteArray Number(const std::optional<double>& value);

} // namespace CliJson
