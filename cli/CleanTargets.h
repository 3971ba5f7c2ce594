#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Which files a clean run reads and where each result goes. A folder
// among the inputs stands for every file beneath it; its results keep
// their places below the output folder. Every result is GPX.
class CleanTargets
{
public:
    struct Target
    {
        QString input;
        QString output;
        // Empty unless the input is cleaned in place.
        QString backup;
    };

    // Into outputFolder, or over the inputs with a backup beside each
    // (NAME.bak) when outputFolder is empty.
    CleanTargets(const QStringList& inputs, const QString& outputFolder);

    const std::vector<Target>& GetTargets() const { return m_targets; }
    // Two inputs that would be written to one file, or an input that does
    // not exist; empty when nothing is wrong.
    const QString& GetError() const { return m_error; }

    static QString BackupPath(const QString& input);

private:
    void Add(const QString& input, const QString& relativeOutput, const QString& outputFolder);

    std::vector<Target> m_targets;
    QString m_error;
};
