#include "UpdateManifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>

namespace {

std::optional<UpdateManifest> Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

bool ReadFile(const QJsonValue& value, UpdateManifest::File& file)
{
    const QJsonObject object = value.toObject();
    const QJsonValue size = object.value(QLatin1String("size"));
    file.path = object.value(QLatin1String("path")).toString();
    file.sha256 = QByteArray::fromHex(object.value(QLatin1String("sha256")).toString().toLatin1());
    file.executable = object.value(QLatin1String("executable")).toBool(false);
    // JSON numbers are doubles: a size must be a whole number it can hold.
    const double bytes = size.toDouble(-1);
    if (!size.isDouble() || bytes < 0 || bytes > double(UpdateManifest::MaxFileSize) || bytes != double(qint64(bytes)))
        return false;
    file.size = qint64(bytes);
    return UpdateManifest::IsSafePath(file.path) && file.sha256.size() == 32 &&
           object.value(QLatin1String("sha256")).toString().size() == 64;
}

} // namespace

std::optional<UpdateManifest> UpdateManifest::Parse(const QByteArray& json, QString* error)
{
    if (json.size() > MaxManifestSize)
        return Fail(error, QStringLiteral("The update description is too large."));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject())
        return Fail(error, QStringLiteral("The update description is not readable: %1").arg(parseError.errorString()));
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("product")).toString() != QLatin1String(Product))
        return Fail(error, QStringLiteral("The update is for another product."));
    UpdateManifest manifest;
    if (!manifest.version.Parse(root.value(QLatin1String("version")).toString()))
        return Fail(error, QStringLiteral("The update has no valid version."));
    manifest.name = root.value(QLatin1String("name")).toString();
    manifest.infoUrl = root.value(QLatin1String("info")).toString();
    const QJsonArray files = root.value(QLatin1String("files")).toArray();
    if (files.isEmpty() || files.size() > MaxFileCount)
        return Fail(error, QStringLiteral("The update lists no files or too many."));
    std::set<QString> seen;
    for (const QJsonValue& value : files) {
        File file;
        if (!ReadFile(value, file))
            return Fail(error, QStringLiteral("The update lists a file badly: %1").arg(file.path));
        if (!seen.insert(file.path).second)
            return Fail(error, QStringLiteral("The update lists a file twice: %1").arg(file.path));
        manifest.files.push_back(file);
    }
    return manifest;
}

QByteArray UpdateManifest::ToJson() const
{
    QJsonArray fileArray;
    for (const File& file : files) {
        QJsonObject object;
        object.insert(QLatin1String("path"), file.path);
        object.insert(QLatin1String("size"), double(file.size));
        object.insert(QLatin1String("sha256"), QString::fromLatin1(file.sha256.toHex()));
        if (file.executable)
            object.insert(QLatin1String("executable"), true);
        fileArray.append(object);
    }
    QJsonObject root;
    root.insert(QLatin1String("product"), QLatin1String(Product));
    root.insert(QLatin1String("version"), GetVersionText());
    root.insert(QLatin1String("name"), name);
    root.insert(QLatin1String("info"), infoUrl);
    root.insert(QLatin1String("files"), fileArray);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool UpdateManifest::IsSafePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : path)
        if (c.category() == QChar::Other_Control)
            return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part.startsWith(QLatin1Char('.')))
            return false;
    return true;
}

QString UpdateManifest::GetVersionText() const
{
    return version.ToString(version.GetRevision() != 0 ? 4 : 3);
}
