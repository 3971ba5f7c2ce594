#include "FileName.h"
#include "TestSupport.h"
#include "Time.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(FileName, PartsOfAPath)
{
    const FileName f(QStringLiteral("/home/ann/tracks/2024.05 ride.gpx"));
    EXPECT_EQ(f.GetPath(), QStringLiteral("/home/ann/tracks/"));
    EXPECT_EQ(f.GetFileName(), QStringLiteral("2024.05 ride.gpx"));
    EXPECT_EQ(f.GetExtension(), QStringLiteral("gpx"));
    QString folder, base, ext;
    f.GetNameParts(folder, base, ext);
    EXPECT_EQ(base, QStringLiteral("2024.05 ride"));

    EXPECT_EQ(FileName(QStringLiteral("log")).GetExtension(), QString());
    EXPECT_EQ(FileName(QStringLiteral("log")).GetPath(), QString());
    EXPECT_EQ(FileName(QStringLiteral("/a.b/log")).GetExtension(), QString());
    EXPECT_EQ(FileName(QStringLiteral("/x/.hidden")).GetExtension(), QString());
    FileName(QStringLiteral("/x/.hidden")).GetNameParts(folder, base, ext);
    EXPECT_EQ(base, QStringLiteral(".hidden"));
    EXPECT_EQ(FileName(QStringLiteral("C:\\gps\\day.plt")).GetFileName(), QStringLiteral("day.plt"));
}

TEST(FileName, ExistenceSizeAndTime)
{
    const QString path = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("five.txt")), "12345");

    const FileName existing(path);
    EXPECT_TRUE(existing.DoesExist());
    EXPECT_EQ(existing.GetFileSize(), 5);
    const double age = (Time::GetCurTime() - existing.GetModificationTime()).GetInSeconds();
    EXPECT_GE(age, -5.0);
    EXPECT_LT(age, 600.0);

    const FileName missing(path + QStringLiteral(".not"));
    EXPECT_FALSE(missing.DoesExist());
    EXPECT_EQ(missing.GetFileSize(), -1);
    EXPECT_TRUE(missing.GetModificationTime().IsNull());
    EXPECT_FALSE(FileName().DoesExist());
}

TEST(FileName, NamesWithForbiddenCharactersAreRefused)
{
    for (const char* bad : {"a<b", "a>b", "a:b", "a\"b", "a/b", "a\\b", "a|b", "a?b", "a*b", "", ".", ".."})
        EXPECT_FALSE(FileName::IsNameAllowed(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(FileName::IsNameAllowed(QStringLiteral("tab\there")));
    EXPECT_FALSE(FileName::IsNameAllowed(QString(QChar(0x1f)) + QStringLiteral("x")));
    for (const char* good : {"ride", "Ride 2024-05-01 (copy).gpx", "Škoda trip", "a.b.c", "...x"})
        EXPECT_TRUE(FileName::IsNameAllowed(QString::fromUtf8(good))) << good;
}
