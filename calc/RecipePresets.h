#pragma once

#include <QString>
#include <QStringList>

// The activity presets shipped as recipes in the data folder
// ("recipes/walk.json" and so on), reachable by their names.
class RecipePresets
{
public:
    // Where the presets lie.
    static QString GetFolder();
    // The preset names, sorted.
    static QStringList GetNames();
    // nameOrPath itself when it names an existing file, else the preset of
    // that name; empty when it is neither.
    static QString Resolve(const QString& nameOrPath);
};
