#include "LoadedFile.h"

#include "TrackLoaderBase.h"
#include "TrackTree.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void Collect(const TrackTreeReaderI& tree, const TrackDataSetI& data, int tid, QStringList folders, LoadedFile& file)
{
    for (const int child : tree.GetChildren(tid)) {
        const TrackInfo::Node* node = tree.GetNode(child);
        if (node->GetKind() == TrackInfo::KindSegment) {
            file.segments.push_back({folders, node->GetName(), data.Get(child)});
        } else {
            QStringList inner = folders;
            inner.append(node->GetName());
            file.folderPaths.append(inner.join(QLatin1Char('/')));
            Collect(tree, data, child, inner, file);
        }
    }
}

LoadedFile Read(TrackLoaderBase& loader, QIODevice& device, const QString& name)
{
    TrackTree tree;
    TrackDataSetImpl data;
    OperationProgress progress;
    LoadedFile file;
    file.status = loader.Read(device, name, *tree.GetCreator(), data, progress);
    file.error = loader.GetErrorDesc();
    EXPECT_EQ(progress.GetStatus(), file.status) << "the final status is left on the progress object";
    const TrackTreeReaderPtr reader = tree.GetReader();
    if (reader->GetFileCount() == 1) {
        const int fileTid = reader->GetChildren(-1).front();
        if (const auto& extras = reader->GetNode(fileTid)->GetExtras())
            file.fileExtrasHead = extras->head;
        Collect(*reader, data, fileTid, {}, file);
    }
    return file;
}

} // namespace

LoadedFile LoadedFile::ReadFile(TrackLoaderBase& loader, const QString& path)
{
    QFile device(path);
    EXPECT_TRUE(device.open(QIODevice::ReadOnly)) << path.toStdString();
    return Read(loader, device, path);
}

LoadedFile LoadedFile::ReadBytes(TrackLoaderBase& loader, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    return Read(loader, device, QStringLiteral("memory"));
}

long long LoadedFile::PointCount() const
{
    long long total = 0;
    for (const Segment& segment : segments)
        total += segment.points->GetPointCount();
    return total;
}

std::vector<int> LoadedFile::PointsPerSegment() const
{
    std::vector<int> counts;
    for (const Segment& segment : segments)
        counts.push_back(segment.points->GetPointCount());
    return counts;
}

QStringList LoadedFile::SegmentNames() const
{
    QStringList names;
    for (const Segment& segment : segments)
        names.append(segment.name);
    return names;
}

const TrackPoint& LoadedFile::First() const
{
    return segments.front().points->GetTrackPoint(0);
}

const TrackPoint& LoadedFile::Last() const
{
    const TrackData& points = *segments.back().points;
    return points.GetTrackPoint(points.GetPointCount() - 1);
}
