#include "CleanTargets.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace {

// "a/b/ride.fit" -> "a/b/ride.gpx".
QString AsGpx(const QString& relative)
{
    const QFileInfo info(relative);
    const QString dir = info.path() == QLatin1String(".") ? QString() : info.path() + QLatin1Char('/');
    return dir + info.completeBaseName() + QStringLiteral(".gpx");
}

} // namespace

CleanTargets::CleanTargets(const QStringList& inputs, const QString& outputFolder)
{
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        if (!info.exists()) {
            m_error = input + QStringLiteral(": no such file or folder");
            return;
        }
        if (!info.isDir()) {
            Add(input, AsGpx(info.fileName()), outputFolder);
            continue;
        }
        // Sorted, so that the report lists the files the same way each run.
        QStringList files;
        QDirIterator walk(input, QDir::Files, QDirIterator::Subdirectories);
        while (walk.hasNext())
            files << walk.next();
        std::sort(files.begin(), files.end());
        const QDir root(input);
        for (const QString& file : files)
            Add(file, AsGpx(root.relativeFilePath(file)), outputFolder);
    }
    std::map<QString, QString> inputByOutput;
    for (const Target& target : m_targets) {
        const QString output = QDir::cleanPath(QFileInfo(target.output).absoluteFilePath());
        const auto [earlier, added] = inputByOutput.emplace(output, target.input);
        if (!added) {
            m_error = QStringLiteral("%1 and %2 would both be written to %3").arg(earlier->second, target.input, target.output);
            return;
        }
    }
}

QString CleanTargets::BackupPath(const QString& input)
{
    return input + QStringLiteral(".bak");
}

void CleanTargets::Add(const QString& input, const QString& relativeOutput, const QString& outputFolder)
{
    if (outputFolder.isEmpty())
        m_targets.push_back({input, input, BackupPath(input)});
    else
        m_targets.push_back({input, QDir(outputFolder).filePath(relativeOutput), QString()});
}
