#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

CommandLine Parse(std::initializer_list<const char*> args)
{
    QStringList list;
    for (const char* arg : args)
        list.append(QString::fromUtf8(arg));
    return CommandLine::Parse(list);
}

} // namespace

TEST(CommandLineSize, JoinedWidthAndHeight)
{
    const CommandLine line = Parse({"-s1024x768"});
    EXPECT_EQ(line.GetWidth(), 1024);
    EXPECT_EQ(line.GetHeight(), 768);
    EXPECT_TRUE(line.HasWindowSize());
    EXPECT_TRUE(line.GetFileNames().isEmpty());
}

TEST(CommandLineSize, AnySingleSeparatorCharacter)
{
    const CommandLine line = Parse({"-s800,600"});
    EXPECT_EQ(line.GetWidth(), 800);
    EXPECT_EQ(line.GetHeight(), 600);
}

TEST(CommandLineSize, SizeAsTheFollowingArgument)
{
    const CommandLine line = Parse({"-s", "640x480", "a.gpx"});
    EXPECT_EQ(line.GetWidth(), 640);
    EXPECT_EQ(line.GetHeight(), 480);
    EXPECT_EQ(line.GetFileNames(), QStringList{QStringLiteral("a.gpx")});
}

TEST(CommandLineSize, ZeroHeightIsIgnored)
{
    const CommandLine line = Parse({"-s800x0"});
    EXPECT_EQ(line.GetWidth(), 0);
    EXPECT_EQ(line.GetHeight(), 0);
    EXPECT_FALSE(line.HasWindowSize());
}

TEST(CommandLineSize, BadFormsGiveNoSize)
{
    for (const char* arg : {"-s", "-s1024", "-sabc", "-s1024xx768", "-sx"}) {
        const CommandLine line = Parse({arg});
        EXPECT_FALSE(line.HasWindowSize()) << arg;
        EXPECT_EQ(line.GetHeight(), 0) << arg;
        // A size switch is never taken for a file.
        EXPECT_TRUE(line.GetFileNames().isEmpty()) << arg;
    }
}

TEST(CommandLineSize, NegativeWidthIsKeptButNotUsed)
{
    const CommandLine line = Parse({"-s-5x10"});
    EXPECT_EQ(line.GetWidth(), -5);
    EXPECT_EQ(line.GetHeight(), 10);
    EXPECT_FALSE(line.HasWindowSize());
}

TEST(CommandLineSize, TrailingTextAfterHeightIsIgnored)
{
    const CommandLine line = Parse({"-s300x200px"});
    EXPECT_EQ(line.GetWidth(), 300);
    EXPECT_EQ(line.GetHeight(), 200);
}

TEST(CommandLineSize, LastSizeWins)
{
    const CommandLine line = Parse({"-s300x200", "-s500x400"});
    EXPECT_EQ(line.GetWidth(), 500);
    EXPECT_EQ(line.GetHeight(), 400);
}

TEST(CommandLineFiles, InOrderWithEmptyArgumentsSkipped)
{
    const CommandLine line = Parse({"b.gpx", "", "-s10x10", "a.tcx", "-x"});
    EXPECT_EQ(line.GetFileNames(), (QStringList{QStringLiteral("b.gpx"), QStringLiteral("a.tcx"), QStringLiteral("-x")}));
}

TEST(CommandLineFiles, SeparateSizeArgumentMustLookLikeASize)
{
    // "-s" before a file name does not eat the file.
    const CommandLine line = Parse({"-s", "track.gpx"});
    EXPECT_EQ(line.GetFileNames(), QStringList{QStringLiteral("track.gpx")});
    EXPECT_FALSE(line.HasWindowSize());
}

TEST(CommandLineFiles, HandedOverNamesAreResolvedInTheCallersFolder)
{
    const CommandLine line = Parse({"-s10x10", "b.gpx", "../up/c.tcx", "/abs/d.gpx", "./e f.gpx"});
    EXPECT_EQ(line.GetFileNamesFrom(QStringLiteral("/home/walker/tracks")),
              (QStringList{QStringLiteral("/home/walker/tracks/b.gpx"), QStringLiteral("/home/walker/up/c.tcx"),
                           QStringLiteral("/abs/d.gpx"), QStringLiteral("/home/walker/tracks/e f.gpx")}));
}

TEST(CommandLineFiles, ANameStartingWithAColonIsAFileInTheCallersFolder)
{
    // Not one of Qt's resources, which QDir would take as absolute.
    const CommandLine line = Parse({":notes.gpx", "sub/:x.gpx"});
    EXPECT_EQ(line.GetFileNamesFrom(QStringLiteral("/home/walker/tracks")),
              (QStringList{QStringLiteral("/home/walker/tracks/:notes.gpx"),
                           QStringLiteral("/home/walker/tracks/sub/:x.gpx")}));
}

TEST(CommandLineJoin, SplitGivesBackTheArguments)
{
    const QStringList args{QStringLiteral("/tmp/a b/track one.gpx"), QStringLiteral("say \"hi\".gpx"),
                           QStringLiteral("-s800x600"), QStringLiteral("Zürich.gpx")};
    EXPECT_EQ(CommandLine::Split(CommandLine::Join(args)), args);
}

TEST(CommandLineJoin, EmptyList)
{
    EXPECT_TRUE(CommandLine::Split(CommandLine::Join({})).isEmpty());
}

TEST(CommandLineFiles, AfterADoubleDashEveryArgumentIsAFile)
{
    const CommandLine line = Parse({"a.gpx", "--", "-s800x600", "--", "--help"});
    EXPECT_FALSE(line.HasWindowSize());
    EXPECT_EQ(line.GetFileNames(), (QStringList{QStringLiteral("a.gpx"), QStringLiteral("-s800x600"),
                                                QStringLiteral("--"), QStringLiteral("--help")}));
}
