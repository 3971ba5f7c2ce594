#pragma once

#include <QString>

#include <cstdint>

class Time;

// A file path and the questions the program asks about it.
class FileName
{
public:
    FileName() = default;
    explicit FileName(const QString& path);

    const QString& GetStr() const { return m_path; }
    // Folder part with a trailing separator ("/home/u/tracks/"), empty when none.
    QString GetPath() const;
    // Name with extension ("ride.gpx").
    QString GetFileName() const;
    // Extension without the dot, as written ("gpx"); empty when none.
    QString GetExtension() const;
    // Splits into folder (with trailing separator), base name and extension.
    void GetNameParts(QString& folder, QString& baseName, QString& extension) const;

    bool DoesExist() const;
    // Size in bytes, -1 when the file cannot be found.
    int64_t GetFileSize() const;
    // Last modification, UTC; null when the file cannot be found.
    Time GetModificationTime() const;

    // False for names that no file can carry: empty, "." or "..", or holding
    // any of < > : " / \ | ? * or a control character. Names are checked
    // against the strictest common rules so that files stay portable.
    static bool IsNameAllowed(const QString& name);

private:
    QString m_path;
};
