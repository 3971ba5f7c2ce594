#pragma once

#include <QByteArray>
#include <QString>

// Saved files checked by xmllint against the schemas of their formats. The
// KML and TCX schemas are not in the repository: scripts/install-deps.sh
// puts them in the folder the build names (QUORVEL_SCHEMA_DIR). A missing
// xmllint or schema is a complaint like any other, so that a machine
// without them fails the tests instead of skipping the checks.
enum class XmlSchema { Gpx11, Kml22, TcxV2 };

// Empty when the document validates, else xmllint's complaint or what is
// missing to ask it.
QString SchemaComplaint(XmlSchema schema, const QByteArray& document);
