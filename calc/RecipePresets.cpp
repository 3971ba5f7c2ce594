#include "RecipePresets.h"

#include "Dir.h"

#include <QDir>
#include <QFileInfo>

namespace {

QDir PresetFolder()
{
    return QDir(Dir::GetDataFilePath(QStringLiteral("recipes")));
}

} // namespace

QString RecipePresets::GetFolder()
{
    return PresetFolder().path();
}

QStringList RecipePresets::GetNames()
{
    QStringList names;
    for (const QFileInfo& file : PresetFolder().entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
        names << file.completeBaseName();
    return names;
}

QString RecipePresets::Resolve(const QString& nameOrPath)
{
    if (QFileInfo(nameOrPath).isFile())
        return nameOrPath;
    // A bare name only: "../walk" is a path that does not exist.
    if (nameOrPath.isEmpty() || nameOrPath.contains(QLatin1Char('/')) || !GetNames().contains(nameOrPath))
        return QString();
    return PresetFolder().filePath(nameOrPath + QStringLiteral(".json"));
}
