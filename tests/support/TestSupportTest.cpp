#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

TEST(WriteTestFile, WritesTheBytesOverWhatWasThere)
{
    const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("Höhe 1.gpx"));
    EXPECT_EQ(WriteTestFile(path, "a longer first text"), path);
    EXPECT_EQ(ReadAll(path), QByteArray("a longer first text"));
    WriteTestFile(path, QByteArray("sh\0rt", 5));
    EXPECT_EQ(ReadAll(path), QByteArray("sh\0rt", 5));
    WriteTestFile(path, QByteArray());
    EXPECT_TRUE(ReadAll(path).isEmpty());
    EXPECT_TRUE(QFile::exists(path));
}

TEST(WriteTestFile, AFileThatCannotBeWrittenEndsTheTestNamingIt)
{
    // Missing folders are made; a file where a folder should be cannot be.
    const QString blocker = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("new folder/plain")), "x");
    const QString path = QDir(blocker).filePath(QStringLiteral("out.gpx"));
    try {
        WriteTestFile(path, "text");
        FAIL() << "wrote beneath a file";
    } catch (const TestFileNotWritten& error) {
        EXPECT_NE(std::string(error.what()).find(QDir::toNativeSeparators(path).toStdString()), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(FixturePath, AMissingFileEndsTheTestNamingIt)
{
    EXPECT_THROW(FixturePath(QStringLiteral("no/such/file.gpx")), MissingTestFile);
    EXPECT_EQ(FixturePath(QString()), FixturesDir());
}

TEST(MakeTempDir, EachCallGivesAnotherEmptyFolder)
{
    const QString first = MakeTempDir();
    const QString second = MakeTempDir();
    EXPECT_NE(first, second);
    EXPECT_TRUE(QDir(first).exists());
    EXPECT_TRUE(QDir(first).isEmpty());
}

} // namespace
