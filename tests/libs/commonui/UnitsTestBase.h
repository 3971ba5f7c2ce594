#pragma once

#include "OptUnits.h"
#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>
#include <QLocale>

#include <array>

#include <gtest/gtest.h>

// Pins the locale to US English and lets a test choose the user's units;
// both are put back afterwards so tests do not depend on their order. The
// settings file is pinned too: a test may switch to an empty one, and the
// process-wide OptUnits must keep reading the file it was created on.
class UnitsTestBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static const QString settingsFile = QDir(MakeTempDir()).filePath(QStringLiteral("units.ini"));
        RegistryKey::SetStorageFile(settingsFile);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        OptUnits& options = OptUnits::GetInstance();
        m_saved = {options.GetMeasuringSystemI().Get(), options.GetTemperatureUnitsI().Get(),
                   options.GetCoordFormatI().Get(), options.GetCoordSignFormatI().Get()};
    }

    void TearDown() override
    {
        OptUnits& options = OptUnits::GetInstance();
        options.GetMeasuringSystemI().Set(m_saved[0]);
        options.GetTemperatureUnitsI().Set(m_saved[1]);
        options.GetCoordFormatI().Set(m_saved[2]);
        options.GetCoordSignFormatI().Set(m_saved[3]);
        QLocale::setDefault(m_savedLocale);
    }

    static void Use(MeasuringSystem system)
    {
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(system));
    }

    static void Use(TemperatureUnits units)
    {
        OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(units));
    }

private:
    QLocale m_savedLocale;
    std::array<int, 4> m_saved{};
};
