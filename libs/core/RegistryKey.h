#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class QSettings;

// A key of the user's settings. Paths are relative to the application
// section and use backslashes ("Settings\View"); the values live in
// QSettings (organisation "Orbelin", application "Quorvel").
class RegistryKey
{
public:
    enum RootKey { CurrentUser = 5 };

    explicit RegistryKey(const QString& path, int rootKey = CurrentUser, bool create = true);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // "Orbelin\Quorvel": organisation and application of the settings store.
    static void SetAppSection(const QString& section);
    // Keeps every setting in one INI file instead of the user's store; tests
    // point it at a temporary folder. An empty path returns to the user's store.
    static void SetStorageFile(const QString& iniPath);

    const QString& GetPath() const { return m_path; }

    bool HasValue(const QString& name) const;
    bool ReadBool(const QString& name, bool defaultValue) const;
    uint32_t ReadDword(const QString& name, uint32_t defaultValue) const;
    // defaultValue also for a stored value that is not a finite number.
    double ReadReal(const QString& name, double defaultValue) const;
    QString ReadString(const QString& name, const QString& defaultValue = {}) const;
    QByteArray ReadBinary(const QString& name) const;

    void WriteBool(const QString& name, bool value);
    void WriteDword(const QString& name, uint32_t value);
    void WriteReal(const QString& name, double value);
    void WriteString(const QString& name, const QString& value);
    void WriteBinary(const QString& name, const QByteArray& value);
    void DeleteValue(const QString& name);

    QStringList GetValueNames() const;
    // Removes every value and subkey of this key.
    void ClearSection();
    // Writes pending changes to the store now (they are also written on exit).
    void Flush();

private:
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
};
