#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A most-recently-used list of files shown as the menu commands
// firstCommandId .. firstCommandId + count - 1, newest first, kept in the
// settings under the given key. The frame builds the menu from GetMenuTexts
// and hands the commands of the range to OnCommand.
class MruHelper
{
public:
    using Callback = std::function<void(const QString& fileName)>;

    MruHelper(int firstCommandId, int count, QString regKey);

    // Puts the file at the top; a file already listed moves up, and the
    // oldest entry drops out when the list is full.
    void AddFilename(const QString& fileName);
    void RemoveFilename(const QString& fileName);
    const QStringList& GetList() const { return m_files; }
    int GetBaseId() const { return m_firstId; }
    int GetMaxCount() const { return m_count; }
    void SetCallback(Callback callback) { m_callback = std::move(callback); }

    // The menu texts of the entries: "&1 path", ..., "1&0 path".
    QStringList GetMenuTexts() const;
    static QString MenuText(int number, const QString& fileName);
    // Runs the callback for the entry of a command; false when the id has
    // no entry.
    bool OnCommand(int commandId) const;

private:
    int IndexOf(const QString& fileName) const;
    void Load();
    void Save() const;

    int m_firstId;
    int m_count;
    QString m_regKey;
    QStringList m_files;
    Callback m_callback;
};
