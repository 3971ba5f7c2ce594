#pragma once

#include "RegistryKey.h"

#include <QString>

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <functional>
#include <memory>

// What the callers see of one option: read it, change it.
template <class T>
class OblOptionTI
{
public:
    virtual ~OblOptionTI() = default;
    virtual T Get() const = 0;
    virtual void Set(const T& value) = 0;
};

// One settings section ("Settings\View") shared by its options. It owns the
// key and tells subscribers whenever one of its options changes.
class OblOptionSectI
{
public:
    using Slot = std::function<void()>;

    explicit OblOptionSectI(const QString& sectionPath);

    RegistryKey& GetKey() { return m_key; }
    const QString& GetPath() const { return m_key.GetPath(); }

    // The subscription ends when the returned connection is destroyed.
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(Slot slot);
    void NotifyChanged();

private:
    RegistryKey m_key;
    boost::signals2::signal<void()> m_changed;
};

using OblOptionSectPtr = std::shared_ptr<OblOptionSectI>;

// Base of an options class: one section and its typed options as members.
class OblOptionsBase
{
public:
    explicit OblOptionsBase(const QString& sectionPath);
    virtual ~OblOptionsBase() = default;

    const OblOptionSectPtr& GetOblOptionSectI() const { return m_section; }
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(OblOptionSectI::Slot slot)
    {
        return m_section->Subscribe(std::move(slot));
    }

private:
    OblOptionSectPtr m_section;
};

namespace OblOptionStorage {
bool Read(RegistryKey& key, const QString& name, bool defaultValue);
int Read(RegistryKey& key, const QString& name, int defaultValue);
double Read(RegistryKey& key, const QString& name, double defaultValue);
QString Read(RegistryKey& key, const QString& name, const QString& defaultValue);
void Write(RegistryKey& key, const QString& name, bool value);
void Write(RegistryKey& key, const QString& name, int value);
void Write(RegistryKey& key, const QString& name, double value);
void Write(RegistryKey& key, const QString& name, const QString& value);
} // namespace OblOptionStorage

// A typed option with a default. Until Init binds it to a section it only
// holds a value in memory; once bound it reads the stored value (or the
// default) and writes every change through, so a set value persists.
template <class T>
class OblOptionT : public OblOptionTI<T>
{
public:
    explicit OblOptionT(T defaultValue = T())
        : m_default(defaultValue)
        , m_value(defaultValue)
    {
    }

    void Init(OblOptionSectPtr section, const QString& valueName)
    {
        m_section = std::move(section);
        m_name = valueName;
        m_value = OblOptionStorage::Read(m_section->GetKey(), m_name, m_default);
    }

    T Get() const override { return m_value; }
    const T& GetDefault() const { return m_default; }

    void Set(const T& value) override
    {
        if (value == m_value)
            return;
        m_value = value;
        if (!m_section)
            return;
        OblOptionStorage::Write(m_section->GetKey(), m_name, m_value);
        m_section->NotifyChanged();
    }

    void ResetToDefault() { Set(m_default); }

private:
    T m_default;
    T m_value;
    OblOptionSectPtr m_section;
    QString m_name;
};

using OblOptionBool = OblOptionT<bool>;
using OblOptionInt = OblOptionT<int>;
using OblOptionDouble = OblOptionT<double>;
using OblOptionString = OblOptionT<QString>;
