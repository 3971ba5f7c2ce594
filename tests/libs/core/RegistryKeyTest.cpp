#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <limits>

namespace {

QString ReadWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Points the store at a file of its own for one test, then back.
class ScopedStore
{
public:
    ScopedStore()
        : m_path(QDir(MakeTempDir()).filePath(QStringLiteral("store.ini")))
    {
        RegistryKey::SetStorageFile(m_path);
    }
    ~ScopedStore() { RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("s.ini"))); }
    const QString& Path() const { return m_path; }

private:
    QString m_path;
};

} // namespace

TEST(RegistryKey, MissingValuesGiveTheCallersDefault)
{
    ScopedStore store;
    RegistryKey key(QStringLiteral("Settings\\Nothing"));
    EXPECT_TRUE(key.ReadBool(QStringLiteral("b"), true));
    EXPECT_FALSE(key.ReadBool(QStringLiteral("b"), false));
    EXPECT_EQ(key.ReadDword(QStringLiteral("d"), 77u), 77u);
    EXPECT_DOUBLE_EQ(key.ReadReal(QStringLiteral("r"), 2.5), 2.5);
    EXPECT_EQ(key.ReadString(QStringLiteral("s"), QStringLiteral("x")), QStringLiteral("x"));
}

TEST(RegistryKey, ValuesAreWrittenToTheStoreUnderTheirSection)
{
    ScopedStore store;
    {
        RegistryKey key(QStringLiteral("Settings\\View"));
        key.WriteDword(QStringLiteral("Width"), 4000000000u);
        key.WriteReal(QStringLiteral("Scale"), 0.1 + 0.2);
        key.WriteString(QStringLiteral("Name"), QStringLiteral("Zürich, 5 km"));
        key.WriteBool(QStringLiteral("Shown"), false);
        key.Flush();
    }
    const QString text = ReadWholeFile(store.Path());
    EXPECT_TRUE(text.contains(QStringLiteral("[Settings]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("View\\Width=4000000000"))) << text.toStdString();

    // A store opened independently of the program's own objects reads the same.
    QSettings raw(store.Path(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Settings/View/Name")).toString(), QStringLiteral("Zürich, 5 km"));

    RegistryKey again(QStringLiteral("Settings\\View"));
    EXPECT_EQ(again.ReadDword(QStringLiteral("Width"), 0), 4000000000u);
    EXPECT_EQ(again.ReadReal(QStringLiteral("Scale"), 0), 0.1 + 0.2); // exact, not rounded text
    EXPECT_FALSE(again.ReadBool(QStringLiteral("Shown"), true));
}

TEST(RegistryKey, ClearSectionRemovesOnlyThatSection)
{
    ScopedStore store;
    RegistryKey a(QStringLiteral("Settings\\A"));
    RegistryKey ab(QStringLiteral("Settings\\A\\B"));
    RegistryKey other(QStringLiteral("Settings\\AB"));
    a.WriteDword(QStringLiteral("x"), 1);
    ab.WriteDword(QStringLiteral("y"), 2);
    other.WriteDword(QStringLiteral("z"), 3);

    a.ClearSection();

    EXPECT_FALSE(a.HasValue(QStringLiteral("x")));
    EXPECT_FALSE(RegistryKey(QStringLiteral("Settings\\A\\B")).HasValue(QStringLiteral("y")));
    EXPECT_EQ(other.ReadDword(QStringLiteral("z"), 0), 3u);
}

TEST(RegistryKey, AppSectionNamesOrganisationAndApplication)
{
    // The user's own store is named after the application section; with no
    // storage file the key must land there (checked by file name, not written).
    RegistryKey::SetStorageFile(QString());
    RegistryKey::SetAppSection(QStringLiteral("Orbelin\\Quorvel"));
    QSettings expected(QSettings::NativeFormat, QSettings::UserScope,
                       QStringLiteral("Orbelin"), QStringLiteral("Quorvel"));
    EXPECT_TRUE(expected.fileName().contains(QStringLiteral("Orbelin")));
    EXPECT_TRUE(expected.fileName().contains(QStringLiteral("Quorvel")));
    RegistryKey::SetStorageFile(QDir(MakeTempDir()).filePath(QStringLiteral("s.ini")));
}

TEST(RegistryKey, NumbersThatAreNotFiniteGiveTheDefault)
{
    ScopedStore store;
    {
        // As an editor or another program may leave them in the file.
        QSettings raw(store.Path(), QSettings::IniFormat);
        for (const char* text : {"inf", "-inf", "nan", "+Infinity", "1e999"})
            raw.setValue(QStringLiteral("Settings/View/") + QLatin1String(text), QString::fromLatin1(text));
        raw.setValue(QStringLiteral("Settings/View/large"), QStringLiteral("1e300"));
    }
    RegistryKey key(QStringLiteral("Settings\\View"));
    for (const char* name : {"inf", "-inf", "nan", "+Infinity", "1e999"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(key.ReadReal(QLatin1String(name), 20000.0), 20000.0);
    }
    EXPECT_EQ(key.ReadReal(QStringLiteral("large"), 0.0), 1e300) << "finite, however large";

    // Written by the program itself.
    key.WriteReal(QStringLiteral("written"), std::numeric_limits<double>::infinity());
    key.WriteReal(QStringLiteral("quiet"), std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(key.ReadReal(QStringLiteral("written"), 1.5), 1.5);
    EXPECT_EQ(key.ReadReal(QStringLiteral("quiet"), 1.5), 1.5);
}
