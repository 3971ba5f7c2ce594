#include "GpxDocument.h"

#include "GpxLoader.h"
#include "GpxSaver.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

namespace {

GpxDocument Read(QIODevice& device, const QString& name)
{
    GpxDocument document;
    GpxLoader loader;
    OperationProgress progress;
    document.status = loader.Read(device, name, *document.tree.GetCreator(), *document.data, progress);
    document.error = loader.GetErrorDesc();
    return document;
}

} // namespace

GpxDocument::GpxDocument()
    : data(std::make_shared<TrackDataSetImpl>())
{
}

GpxDocument GpxDocument::ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return Read(file, path);
}

GpxDocument GpxDocument::ReadBytes(const QByteArray& bytes, const QString& name)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer, name);
}

QByteArray GpxDocument::Save(int tid) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    GpxSaver saver;
    EXPECT_EQ(saver.Write(buffer, Reader(), tid == -1 ? FileTid() : tid, *data), TrackSaverI::Success);
    return bytes;
}

int GpxDocument::FileTid() const
{
    const std::vector<int>& files = Reader().GetChildren(-1);
    return files.empty() ? -1 : files.front();
}
