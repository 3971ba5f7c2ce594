#include "OblOptions.h"

OblOptionSectI::OblOptionSectI(const QString& sectionPath)
    : m_key(sectionPath)
{
}

boost::signals2::scoped_connection OblOptionSectI::Subscribe(Slot slot)
{
    return m_changed.connect(std::move(slot));
}

void OblOptionSectI::NotifyChanged()
{
    m_changed();
}

OblOptionsBase::OblOptionsBase(const QString& sectionPath)
    : m_section(std::make_shared<OblOptionSectI>(sectionPath))
{
}

namespace OblOptionStorage {

bool Read(RegistryKey& key, const QString& name, bool defaultValue)
{
    return key.ReadBool(name, defaultValue);
}

int Read(RegistryKey& key, const QString& name, int defaultValue)
{
    // Stored as a DWORD; negative values (an index of -1) come back intact.
    return static_cast<int>(key.ReadDword(name, static_cast<uint32_t>(defaultValue)));
}

double Read(RegistryKey& key, const QString& name, double defaultValue)
{
    return key.ReadReal(name, defaultValue);
}

QString Read(RegistryKey& key, const QString& name, const QString& defaultValue)
{
    return key.ReadString(name, defaultValue);
}

void Write(RegistryKey& key, const QString& name, bool value)
{
    key.WriteBool(name, value);
}

void Write(RegistryKey& key, const QString& name, int value)
{
    key.WriteDword(name, static_cast<uint32_t>(value));
}

void Write(RegistryKey& key, const QString& name, double value)
{
    key.WriteReal(name, value);
}

void Write(RegistryKey& key, const QString& name, const QString& value)
{
    key.WriteString(name, value);
}

} // namespace OblOptionStorage
