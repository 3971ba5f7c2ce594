#include "XmlSchemaCheck.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

QString SchemaPath(XmlSchema schema)
{
    switch (schema) {
    case XmlSchema::Gpx11:
        return QStringLiteral(GPX_SCHEMA);
    case XmlSchema::Kml22:
        return QStringLiteral(KML_SCHEMA);
    case XmlSchema::TcxV2:
        return QStringLiteral(TCX_SCHEMA);
    }
    return {};
}

// The KML schema reaches the installed schemas through imports, which
// xmllint would otherwise skip silently.
QStringList FilesBehind(XmlSchema schema)
{
    if (schema != XmlSchema::Kml22)
        return {SchemaPath(schema)};
    const QDir installed(QStringLiteral(QUORVEL_SCHEMA_DIR));
    return {SchemaPath(schema), installed.filePath(QStringLiteral("ogckml22.xsd")),
            installed.filePath(QStringLiteral("atom-author-link.xsd")), installed.filePath(QStringLiteral("xAL.xsd"))};
}

} // namespace

QString SchemaComplaint(XmlSchema schema, const QByteArray& document)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        return QStringLiteral("xmllint is not installed (libxml2-utils; run scripts/install-deps.sh)");
    for (const QString& file : FilesBehind(schema)) {
        if (!QFile::exists(file))
            return QStringLiteral("schema %1 is missing (run scripts/install-deps.sh)").arg(file);
    }
    const QString path = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("saved.xml")), document);
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--nonet"), QStringLiteral("--schema"), SchemaPath(schema),
                   path});
    if (!xmllint.waitForFinished(60000))
        return QStringLiteral("xmllint did not finish within a minute");
    const QString output = QString::fromUtf8(xmllint.readAllStandardError());
    return xmllint.exitCode() == 0 ? QString() : output.left(2000);
}
