// Saving never puts a new file in the place of a folder, device or pipe.
#include "CsvTrackWriter.h"
#include "SaveManager.h"
#include "TestSupport.h"
#include "TrackTree.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct OnePointFile
{
    OnePointFile()
    {
        fileTid = tree.GetCreator()->AddFile(QStringLiteral("walk"), QString(), TrackFileGpx);
        const int segment = tree.GetCreator()->AddSegment(fileTid, QStringLiteral("s"));
        TrackPoint point;
        point.Set2D({8.25, 47.5});
        data->Add(segment, std::make_shared<TrackData>(std::vector<TrackPoint>{point}));
    }

    TrackTree tree;
    std::shared_ptr<TrackDataSetImpl> data = std::make_shared<TrackDataSetImpl>();
    int fileTid = -1;
};

mode_t TypeOf(const QString& path)
{
    struct stat info = {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & S_IFMT;
}

} // namespace

TEST(SaveTarget, FoldersPipesAndLinksToThemAreRefusedAndLeftAsTheyAre)
{
    const QDir dir(MakeTempDir());
    const QString pipe = dir.filePath(QStringLiteral("pipe.gpx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("folder.gpx"));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("folder.gpx")));
    const QString link = dir.filePath(QStringLiteral("link.gpx"));
    ASSERT_TRUE(QFile::link(pipe, link));

    const OnePointFile file;
    SaveManager saving;
    for (const QString& target : {pipe, folder, link}) {
        SCOPED_TRACE(target.toStdString());
        for (const TrackFileType type : {TrackFileGpx, TrackFileKml, TrackFileTcx, TrackFileGeoJson}) {
            TrackSaverI* saver = saving.GetTrackSaver(type);
            EXPECT_EQ(saver->SaveTrack(target, file.tree.GetReader(), file.fileTid, file.data), TrackSaverI::CannotWrite);
            EXPECT_TRUE(saver->GetErrorDesc().contains(QStringLiteral("not a regular file")))
                << saver->GetErrorDesc().toStdString();
        }
        CsvTrackWriter csv;
        EXPECT_EQ(csv.OpenFile(target), TrackSaverI::CannotWrite);
        EXPECT_TRUE(csv.GetErrorDesc().contains(QStringLiteral("not a regular file"))) << csv.GetErrorDesc().toStdString();
    }
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
    EXPECT_EQ(TypeOf(folder), S_IFDIR);
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(), 3)
        << "no file was left beside them";
}

TEST(SaveTarget, NewNamesRegularFilesAndLinksToThemAreSaved)
{
    const QDir dir(MakeTempDir());
    const QString existing = WriteTestFile(dir.filePath(QStringLiteral("old.gpx")), "old");
    const QString link = dir.filePath(QStringLiteral("link.gpx"));
    ASSERT_TRUE(QFile::link(existing, link));
    const OnePointFile file;
    SaveManager saving;
    for (const QString& target : {dir.filePath(QStringLiteral("new.gpx")), existing, link}) {
        SCOPED_TRACE(target.toStdString());
        TrackSaverI* saver = saving.GetTrackSaver(TrackFileGpx);
        EXPECT_EQ(saver->SaveTrack(target, file.tree.GetReader(), file.fileTid, file.data), TrackSaverI::Success)
            << saver->GetErrorDesc().toStdString();
    }
    QFile saved(existing);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("<trkpt"));
}
