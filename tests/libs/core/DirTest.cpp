#include "Dir.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// Where this test program finds data without an override: a copy of
// Quorvel installed on the machine may answer.
QString InstalledOrBuildDataDir()
{
    return Dir::FindDataDir(Dir::GetAppDir(), QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

} // namespace

TEST(Dir, DataFilesResolveAgainstTheDataFolder)
{
    EXPECT_EQ(Dir::GetAppDir(), QDir(Dir::GetAppFilePath()).absolutePath().section(QLatin1Char('/'), 0, -2));
    EXPECT_EQ(Dir::GetDataDir(), InstalledOrBuildDataDir());

    const QString folder = MakeTempDir();
    Dir::SetDataDir(folder);
    EXPECT_EQ(Dir::GetDataFilePath(QStringLiteral("Palettes\\DefaultPalettes.xml")),
              folder + QStringLiteral("/Palettes/DefaultPalettes.xml"));
    Dir::SetDataDir(QString());
    EXPECT_EQ(Dir::GetDataDir(), InstalledOrBuildDataDir());
}

namespace {

QString MakeDirs(const QString& root, const QString& relative)
{
    const QString path = QDir(root).filePath(relative);
    QDir().mkpath(path);
    return QDir::cleanPath(path);
}

} // namespace

TEST(Dir, TheBuildFolderComesBeforeTheInstalledTree)
{
    const QString root = MakeTempDir();
    const QString bin = MakeDirs(root, QStringLiteral("prefix/bin"));
    const QString installed = MakeDirs(root, QStringLiteral("prefix/share/quorvel"));
    const QString system = MakeDirs(root, QStringLiteral("usr/share"));
    MakeDirs(system, QStringLiteral("quorvel"));

    EXPECT_EQ(Dir::FindDataDir(bin, {system}), installed);
    const QString beside = MakeDirs(bin, QStringLiteral("data"));
    EXPECT_EQ(Dir::FindDataDir(bin, {system}), beside);
}

TEST(Dir, WithoutAFolderOfItsOwnTheSharedDataFoldersAreSearchedInOrder)
{
    const QString root = MakeTempDir();
    const QString bin = MakeDirs(root, QStringLiteral("opt/bin"));
    const QString home = MakeDirs(root, QStringLiteral("home/.local/share"));
    const QString system = MakeDirs(root, QStringLiteral("usr/share"));
    const QString systemData = MakeDirs(system, QStringLiteral("quorvel"));

    EXPECT_EQ(Dir::FindDataDir(bin, {home, system}), systemData);
    const QString homeData = MakeDirs(home, QStringLiteral("quorvel"));
    EXPECT_EQ(Dir::FindDataDir(bin, {home, system}), homeData);
}

TEST(Dir, WhenNoDataFolderExistsTheOneBesideTheProgramIsNamed)
{
    const QString root = MakeTempDir();
    const QString bin = MakeDirs(root, QStringLiteral("bin"));
    // A plain file of that name is no data folder.
    QFile file(QDir(root).filePath(QStringLiteral("share/quorvel")));
    QDir().mkpath(QDir(root).filePath(QStringLiteral("share")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_EQ(Dir::FindDataDir(bin, {MakeDirs(root, QStringLiteral("empty"))}), bin + QStringLiteral("/data"));
}

TEST(Dir, RelativeNamesAgainstABase)
{
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("../b/c.gpx"), QStringLiteral("/home/u/a")), QStringLiteral("/home/u/b/c.gpx"));
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("Maps\\x.xml"), QStringLiteral("/opt/q")), QStringLiteral("/opt/q/Maps/x.xml"));
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("/abs//x/./y.gpx"), QStringLiteral("/ignored")), QStringLiteral("/abs/x/y.gpx"));
}
