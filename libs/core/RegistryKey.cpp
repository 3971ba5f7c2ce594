#include "RegistryKey.h"

#include <QSettings>

#include <cmath>

namespace {

struct StoreLocation
{
    QString organisation = QStringLiteral("Orbelin");
    QString application = QStringLiteral("Quorvel");
    QString iniFile;
};

StoreLocation& Location()
{
    static StoreLocation location;
    return location;
}

std::unique_ptr<QSettings> OpenStore()
{
    const StoreLocation& loc = Location();
    if (!loc.iniFile.isEmpty())
        return std::make_unique<QSettings>(loc.iniFile, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       loc.organisation, loc.application);
}

QString ToGroupPath(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

RegistryKey::RegistryKey(const QString& path, int /*rootKey*/, bool /*create*/)
    : m_path(ToGroupPath(path))
    , m_settings(OpenStore())
{
    if (!m_path.isEmpty())
        m_settings->beginGroup(m_path);
}

RegistryKey::~RegistryKey() = default;

void RegistryKey::SetAppSection(const QString& section)
{
    const QStringList parts = ToGroupPath(section).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    StoreLocation& loc = Location();
    if (parts.size() >= 2) {
        loc.organisation = parts.front();
        loc.application = parts.mid(1).join(QLatin1Char('/'));
    } else if (parts.size() == 1) {
        loc.organisation = parts.front();
        loc.application = parts.front();
    }
}

void RegistryKey::SetStorageFile(const QString& iniPath)
{
    Location().iniFile = iniPath;
}

bool RegistryKey::HasValue(const QString& name) const
{
    return m_settings->contains(name);
}

bool RegistryKey::ReadBool(const QString& name, bool defaultValue) const
{
    const QVariant v = m_settings->value(name);
    if (!v.isValid())
        return defaultValue;
    // Booleans are stored as 0/1 like the other integers; INI text reads back
    // as a string, so compare through an integer where possible.
    bool ok = false;
    const int asInt = v.toInt(&ok);
    return ok ? asInt != 0 : v.toBool();
}

uint32_t RegistryKey::ReadDword(const QString& name, uint32_t defaultValue) const
{
    const QVariant v = m_settings->value(name);
    bool ok = false;
    const qlonglong value = v.toLongLong(&ok);
    return ok ? static_cast<uint32_t>(value) : defaultValue;
}

double RegistryKey::ReadReal(const QString& name, double defaultValue) const
{
    const QVariant v = m_settings->value(name);
    bool ok = false;
    const double value = v.toDouble(&ok);
    // "inf" and "nan" read as numbers, but no setting means them: a map
    // centred on infinity or a time step of NaN only breaks what uses it.
    return ok && std::isfinite(value) ? value : defaultValue;
}

QString RegistryKey::ReadString(const QString& name, const QString& defaultValue) const
{
    const QVariant v = m_settings->value(name);
    return v.isValid() ? v.toString() : defaultValue;
}

QByteArray RegistryKey::ReadBinary(const QString& name) const
{
    return m_settings->value(name).toByteArray();
}

void RegistryKey::WriteBool(const QString& name, bool value)
{
    m_settings->setValue(name, value ? 1 : 0);
}

void RegistryKey::WriteDword(const QString& name, uint32_t value)
{
    m_settings->setValue(name, static_cast<qulonglong>(value));
}

void RegistryKey::WriteReal(const QString& name, double value)
{
    m_settings->setValue(name, value);
}

void RegistryKey::WriteString(const QString& name, const QString& value)
{
    m_settings->setValue(name, value);
}

void RegistryKey::WriteBinary(const QString& name, const QByteArray& value)
{
    m_settings->setValue(name, value);
}

void RegistryKey::DeleteValue(const QString& name)
{
    m_settings->remove(name);
}

QStringList RegistryKey::GetValueNames() const
{
    return m_settings->childKeys();
}

void RegistryKey::ClearSection()
{
    // Inside a group, remove("") removes everything in that group.
    m_settings->remove(QString());
}

void RegistryKey::Flush()
{
    m_settings->sync();
}
