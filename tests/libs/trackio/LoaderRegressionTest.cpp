#include "CheckedLoad.h"
#include "FormatSniffer.h"
#include "LoadManager.h"
#include "RoundTripCheck.h"
#include "TrackLoaderBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

// Inputs that once broke a loader (found by the fuzz targets in tests/fuzz,
// or made by hand for the kinds of damage real files show) must each end in
// a status, with a message for a read error, and a sane tree.
namespace {

struct Case
{
    std::string folder;
    QString path;
};

// Folder below data/regressions and the loader its files go through;
// TrackFileAll: the type is detected from the content, as opening does.
const std::pair<const char*, TrackFileType> kFolders[] = {
    {"gpx", TrackFileGpx}, {"tcx", TrackFileTcx}, {"kml", TrackFileKml}, {"nmea", TrackFileNmea},
    {"ozi", TrackFileOzi}, {"magellan", TrackFileMagellanSd}, {"fit", TrackFileFit},
    {"igc", TrackFileIgc}, {"geojson", TrackFileGeoJson}, {"detect", TrackFileAll},
};

QString RegressionsDir()
{
    return QStringLiteral(TRACKIO_TEST_DATA "/regressions");
}

std::vector<Case> AllCases()
{
    std::vector<Case> cases;
    for (const auto& [folder, type] : kFolders) {
        const QDir dir(RegressionsDir() + QLatin1Char('/') + QLatin1String(folder));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            cases.push_back({folder, dir.filePath(name)});
    }
    return cases;
}

TrackFileType FolderType(const std::string& folder)
{
    for (const auto& [name, type] : kFolders) {
        if (folder == name)
            return type;
    }
    return TrackFileAll;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The loader of the case's folder, or of the detected type; null when no
// loader reads it.
TrackLoaderBase* LoaderFor(const Case& c, const QByteArray& bytes, const LoadManager& manager)
{
    TrackFileType type = FolderType(c.folder);
    if (type == TrackFileAll)
        type = FormatSniffer::Detect(bytes.left(FormatSniffer::HeadBytes));
    return manager.GetLoaderBase(type);
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.path.toStdString();
}

class LoaderRegression : public testing::TestWithParam<Case>
{
};

TEST_P(LoaderRegression, EndsInStatusWithMessage)
{
    const Case& c = GetParam();
    const QByteArray bytes = ReadAll(c.path);
    const LoadManager manager;
    TrackLoaderBase* loader = LoaderFor(c, bytes, manager);
    if (!loader) {
        // Opening stops at FormatUnknown before any loader sees the bytes.
        EXPECT_EQ(c.folder, "detect") << "every format folder names a loader";
        return;
    }
    const CheckedLoad load = CheckedLoad::Run(*loader, bytes);
    EXPECT_EQ(load.violation, "") << "status " << load.status << ", error: " << load.error.toStdString();

    // The program keeps its loaders: nothing of one load may leak into the next.
    const CheckedLoad again = CheckedLoad::Run(*loader, bytes);
    EXPECT_EQ(again.status, load.status);
    EXPECT_EQ(again.error, load.error);
    EXPECT_EQ(again.points, load.points);
}

TEST_P(LoaderRegression, WhatLoadsIsSavedInEveryFormatWithTheSamePoints)
{
    const Case& c = GetParam();
    const QByteArray bytes = ReadAll(c.path);
    const LoadManager manager;
    TrackLoaderBase* loader = LoaderFor(c, bytes, manager);
    if (!loader)
        return;
    const CheckedLoad load = CheckedLoad::Run(*loader, bytes);
    if (!TrackLoaderI::HasTracks(load.status) || load.points == 0)
        return;
    EXPECT_EQ(RoundTripCheck::FirstDifference(*load.tree, *load.data), "");
}

std::string CaseName(const testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.folder + "_" + QFileInfo(info.param.path).fileName().toStdString();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Inputs, LoaderRegression, testing::ValuesIn(AllCases()), CaseName);

// Too large to keep as files: one line of megabytes, past both the cut of
// overlong lines and the size of the pieces read at a time.
TEST(LoaderRegressionHugeLine, JunkOnOneLineEndsInAStatusWithoutATrack)
{
    const qsizetype size = 3 * 1024 * 1024 + 17;
    const QByteArray letters(size, 'A');
    const QByteArray numbers = QByteArray("1,").repeated(size / 2);
    const QByteArray opened = "<gpx><trk><name>" + letters;
    const LoadManager manager;
    for (const auto& [folder, type] : kFolders) {
        TrackLoaderBase* loader = manager.GetLoaderBase(type);
        if (!loader)
            continue;
        for (const QByteArray* bytes : {&letters, &numbers, &opened}) {
            const CheckedLoad load = CheckedLoad::Run(*loader, *bytes);
            EXPECT_EQ(load.violation, "") << folder << ": " << load.error.toStdString();
            EXPECT_NE(load.status, TrackLoaderI::Success) << folder;
        }
    }
}

TEST(LoaderRegressionDeepXml, NestingIsRefusedBeforeItCostsMemory)
{
    // Each open element costs the parser and the reader some memory: a file
    // of nothing but start tags must not turn 5 bytes into hundreds.
    const QByteArray tags = QByteArray("<ab>").repeated(200000);
    const LoadManager manager;
    for (const auto& [type, root] : {std::pair(TrackFileGpx, "<gpx>"), std::pair(TrackFileTcx, "<TrainingCenterDatabase>"),
                                     std::pair(TrackFileKml, "<kml>")}) {
        const CheckedLoad load = CheckedLoad::Run(*manager.GetLoaderBase(type), root + tags);
        EXPECT_EQ(load.status, TrackLoaderI::ReadError) << root;
        EXPECT_TRUE(load.error.contains(QLatin1String("nested more than"))) << load.error.toStdString();
    }
}

TEST(LoaderRegressionData, EveryFormatHasCases)
{
    // Guards against a moved data folder turning the table into no test.
    for (const auto& [folder, type] : kFolders) {
        const QDir dir(RegressionsDir() + QLatin1Char('/') + QLatin1String(folder));
        EXPECT_FALSE(dir.entryList(QDir::Files).isEmpty()) << folder;
    }
}

} // namespace
