#pragma once

#include "CleaningReport.h"

#include <QString>
#include <QStringList>

class RecipeRunner;

// What cleaning one file came to.
struct FileCleaningResult
{
    bool cleaned = false;
    CleaningReport report;
    // "file: why" lines for stderr: the failure, or a warning about a
    // damaged file whose readable part was cleaned.
    QStringList messages;
};

// Cleans one track file on whatever thread runs it: reads it, runs the
// recipe in a model of its own and writes the result as GPX. Nothing is
// printed here, so that the messages of files cleaned side by side do not
// mix.
class FileCleaningJob
{
public:
    // With backup, the input is first copied to backupPath, which must not
    // exist yet.
    static FileCleaningResult Run(const RecipeRunner& runner, const QString& input, const QString& output,
                                  const QString& backupPath);
};
