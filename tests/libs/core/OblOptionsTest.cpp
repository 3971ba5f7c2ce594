#include "OblOptions.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class SampleOptions : public OblOptionsBase
{
public:
    SampleOptions()
        : OblOptionsBase(QStringLiteral("Settings\\Sample"))
    {
        m_gap.Init(GetOblOptionSectI(), QStringLiteral("GapMinutes"));
        m_keep.Init(GetOblOptionSectI(), QStringLiteral("KeepBreaks"));
        m_speed.Init(GetOblOptionSectI(), QStringLiteral("Speed"));
        m_index.Init(GetOblOptionSectI(), QStringLiteral("Index"));
    }

    OblOptionTI<int>& Gap() { return m_gap; }
    OblOptionTI<bool>& Keep() { return m_keep; }
    OblOptionTI<double>& Speed() { return m_speed; }
    OblOptionTI<int>& Index() { return m_index; }

private:
    OblOptionInt m_gap{60};
    OblOptionBool m_keep{true};
    OblOptionDouble m_speed{36.5};
    OblOptionInt m_index{-1};
};

} // namespace

TEST(OblOptions, DefaultsUntilSetThenPersistForANewInstance)
{
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("opts.ini")));
    {
        SampleOptions fresh;
        EXPECT_EQ(fresh.Gap().Get(), 60);
        EXPECT_TRUE(fresh.Keep().Get());
        EXPECT_DOUBLE_EQ(fresh.Speed().Get(), 36.5);
        EXPECT_EQ(fresh.Index().Get(), -1);

        fresh.Gap().Set(5);
        fresh.Keep().Set(false);
        fresh.Speed().Set(0.125);
        fresh.Index().Set(-7);
    }
    SampleOptions reread;
    EXPECT_EQ(reread.Gap().Get(), 5);
    EXPECT_FALSE(reread.Keep().Get());
    EXPECT_DOUBLE_EQ(reread.Speed().Get(), 0.125);
    EXPECT_EQ(reread.Index().Get(), -7);
}

TEST(OblOptions, SubscribersHearRealChangesUntilTheirConnectionEnds)
{
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("opts.ini")));
    SampleOptions options;
    int calls = 0;
    {
        auto connection = options.Subscribe([&calls] { ++calls; });
        options.Gap().Set(61);
        EXPECT_EQ(calls, 1);
        options.Gap().Set(61); // same value: nothing changed, nothing said
        EXPECT_EQ(calls, 1);
        options.Keep().Set(false);
        EXPECT_EQ(calls, 2);
    }
    options.Gap().Set(62);
    EXPECT_EQ(calls, 2);
}

TEST(OblOptions, UnboundOptionHoldsItsValueInMemoryOnly)
{
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("opts.ini")));
    OblOptionInt loose(3);
    loose.Set(9);
    EXPECT_EQ(loose.Get(), 9);
    EXPECT_FALSE(RegistryKey(QStringLiteral("Settings\\Sample")).HasValue(QStringLiteral("GapMinutes")));
}

TEST(OblOptions, ANumberOptionStoredAsInfinityOrNaNStartsFromItsDefault)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("opts.ini"));
    RegistryKey::SetStorageFile(path);
    for (const char* stored : {"inf", "nan"}) {
        SCOPED_TRACE(stored);
        RegistryKey(QStringLiteral("Settings\\Sample")).WriteString(QStringLiteral("Speed"), QLatin1String(stored));
        SampleOptions options;
        EXPECT_EQ(options.Speed().Get(), 36.5);
    }
}
