#pragma once

#include <QDateTime>
#include <QString>

// What a file on disk looked like when the program read or last wrote it:
// enough to notice that another program changed it since.
struct DiskStamp
{
    QDateTime modified;
    // -1: no file was there.
    qint64 size = -1;

    static DiskStamp Of(const QString& path);
    bool operator==(const DiskStamp&) const = default;
};
