#include "CleanTargets.h"
#include "TestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(CleanTargets, FoldersKeepTheirLayoutBelowTheOutputAndEveryResultIsGpx)
{
    const QDir in(MakeTempDir());
    WriteTestFile(in.filePath(QStringLiteral("a/ride.fit")), "x");
    WriteTestFile(in.filePath(QStringLiteral("b/ride.gpx")), "x");
    WriteTestFile(in.filePath(QStringLiteral("walk.2024.tcx")), "x");
    const QString single = WriteTestFile(QDir(MakeTempDir()).filePath(QStringLiteral("log.nmea")), "x");
    const CleanTargets targets({in.path(), single}, QStringLiteral("/out"));
    ASSERT_TRUE(targets.GetError().isEmpty()) << targets.GetError().toStdString();
    std::vector<std::pair<QString, QString>> pairs;
    for (const CleanTargets::Target& target : targets.GetTargets()) {
        pairs.emplace_back(target.input, target.output);
        EXPECT_TRUE(target.backup.isEmpty());
    }
    EXPECT_EQ(pairs, (std::vector<std::pair<QString, QString>>{
                         {in.filePath(QStringLiteral("a/ride.fit")), QStringLiteral("/out/a/ride.gpx")},
                         {in.filePath(QStringLiteral("b/ride.gpx")), QStringLiteral("/out/b/ride.gpx")},
                         {in.filePath(QStringLiteral("walk.2024.tcx")), QStringLiteral("/out/walk.2024.gpx")},
                         {single, QStringLiteral("/out/log.gpx")},
                     }));
}

TEST(CleanTargets, TwoInputsForOneOutputOrAMissingInputAreRefused)
{
    const QDir in(MakeTempDir());
    const QString fit = WriteTestFile(in.filePath(QStringLiteral("ride.fit")), "x");
    const QString gpx = WriteTestFile(in.filePath(QStringLiteral("ride.gpx")), "x");
    EXPECT_EQ(CleanTargets({fit, gpx}, QStringLiteral("/out")).GetError(),
              fit + QStringLiteral(" and ") + gpx + QStringLiteral(" would both be written to /out/ride.gpx"));
    EXPECT_EQ(CleanTargets({gpx, gpx}, QString()).GetError(),
              gpx + QStringLiteral(" and ") + gpx + QStringLiteral(" would both be written to ") + gpx);
    EXPECT_EQ(CleanTargets({in.filePath(QStringLiteral("none.gpx"))}, QStringLiteral("/out")).GetError(),
              in.filePath(QStringLiteral("none.gpx")) + QStringLiteral(": no such file or folder"));
    // In place, each result replaces its input and keeps a backup beside it.
    const CleanTargets inPlace({fit}, QString());
    ASSERT_EQ(inPlace.GetTargets().size(), 1u);
    EXPECT_EQ(inPlace.GetTargets()[0].output, fit);
    EXPECT_EQ(inPlace.GetTargets()[0].backup, fit + QStringLiteral(".bak"));
}
