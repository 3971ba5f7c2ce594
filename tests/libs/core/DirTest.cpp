#include "Dir.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(Dir, DataFilesResolveAgainstTheDataFolder)
{
    EXPECT_EQ(Dir::GetAppDir(), QDir(Dir::GetAppFilePath()).absolutePath().section(QLatin1Char('/'), 0, -2));
    EXPECT_EQ(Dir::GetDataDir(), QDir(Dir::GetAppDir()).filePath(QStringLiteral("data")));

    const QString folder = MakeTempDir();
    Dir::SetDataDir(folder);
    EXPECT_EQ(Dir::GetDataFilePath(QStringLiteral("Palettes\\DefaultPalettes.xml")),
              folder + QStringLiteral("/Palettes/DefaultPalettes.xml"));
    Dir::SetDataDir(QString());
    EXPECT_EQ(Dir::GetDataDir(), QDir(Dir::GetAppDir()).filePath(QStringLiteral("data")));
}

TEST(Dir, RelativeNamesAgainstABase)
{
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("../b/c.gpx"), QStringLiteral("/home/u/a")), QStringLiteral("/home/u/b/c.gpx"));
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("Maps\\x.xml"), QStringLiteral("/opt/q")), QStringLiteral("/opt/q/Maps/x.xml"));
    EXPECT_EQ(Dir::GetAbsFileName(QStringLiteral("/abs//x/./y.gpx"), QStringLiteral("/ignored")), QStringLiteral("/abs/x/y.gpx"));
}
