#include "FastScanComparison.h"

#include "LoadManager.h"
#include "OperationProgress.h"
#include "TrackDataSet.h"
#include "TrackTree.h"
#include "XmlTrackLoader.h"

#include <QBuffer>

#include <limits>
#include <memory>

namespace {

struct Load
{
    TrackTree tree;
    TrackDataSetImpl data;
    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    QString error;
    XmlReadEngine::Used used = XmlReadEngine::Used::None;
    long long pointsReadAhead = 0;
};

enum class Reading { Expat, Fast, FastWithReadAhead };

std::unique_ptr<Load> LoadWith(TrackFileType type, const QByteArray& bytes, Reading reading, size_t chunkBytes,
                               long long readAheadBytes = 0)
{
    auto load = std::make_unique<Load>();
    QByteArray copy = bytes;
    QBuffer device(&copy);
    device.open(QIODevice::ReadOnly);
    const LoadManager manager;
    auto& loader = dynamic_cast<XmlTrackLoader&>(*manager.GetLoaderBase(type));
    XmlReadEngine& engine = loader.GetEngine();
    engine.SetFastAllowed(reading != Reading::Expat);
    engine.SetChunkBytes(chunkBytes);
    if (reading == Reading::FastWithReadAhead)
        engine.SetReadAhead(readAheadBytes, 0);
    else
        engine.SetReadAhead(0, std::numeric_limits<qint64>::max());
    OperationProgress progress;
    load->status = loader.Read(device, QStringLiteral("input"), *load->tree.GetCreator(), load->data, progress);
    load->error = loader.GetErrorDesc();
    load->used = engine.LastUsed();
    load->pointsReadAhead = engine.PointsReadAhead();
    return load;
}

std::string Where(const QString& path)
{
    return " at " + path.toStdString();
}

std::string CompareExtras(const TrackInfo::Node& fast, const TrackInfo::Node& expat, const QString& path)
{
    const auto& a = fast.GetExtras();
    const auto& b = expat.GetExtras();
    if (!a || !b)
        return !a && !b ? std::string() : "kept markup on one side only" + Where(path);
    if (a->head != b->head)
        return "kept head markup differs" + Where(path) + ":\n" + a->head.toStdString() + "\n--\n" +
               b->head.toStdString();
    if (a->tail != b->tail)
        return "kept tail markup differs" + Where(path);
    if (a->namespaces != b->namespaces)
        return "kept namespaces differ" + Where(path);
    return {};
}

std::string ComparePoints(const TrackData& fast, const TrackData& expat, const QString& path)
{
    if (fast.GetPointCount() != expat.GetPointCount())
        return "point counts differ" + Where(path) + ": " + std::to_string(fast.GetPointCount()) + " and " +
               std::to_string(expat.GetPointCount());
    const std::vector<TrackPoint>& a = fast.GetPoints();
    const std::vector<TrackPoint>& b = expat.GetPoints();
    for (size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i]))
            return "point " + std::to_string(i) + " differs" + Where(path);
        const auto markupA = fast.FindMarkup(a[i].GetMarkupTag());
        const auto markupB = expat.FindMarkup(b[i].GetMarkupTag());
        if (markupA.has_value() != markupB.has_value())
            return "point " + std::to_string(i) + " keeps markup on one side only" + Where(path);
        if (markupA && (markupA->fields != markupB->fields || markupA->dgps != markupB->dgps ||
                        markupA->extensions != markupB->extensions))
            return "point " + std::to_string(i) + " keeps other markup" + Where(path);
    }
    const auto& tablesA = fast.GetMarkupTables();
    const auto& tablesB = expat.GetMarkupTables();
    if (tablesA.size() != tablesB.size())
        return "markup table counts differ" + Where(path);
    for (size_t i = 0; i < tablesA.size(); ++i) {
        if (tablesA[i]->GetNamespaces() != tablesB[i]->GetNamespaces())
            return "point markup namespaces differ" + Where(path);
    }
    return {};
}

std::string CompareNodes(const Load& fast, const Load& expat, int fastTid, int expatTid, const QString& path)
{
    const TrackTreeReaderI& treeA = *fast.tree.GetReader();
    const TrackTreeReaderI& treeB = *expat.tree.GetReader();
    const TrackInfo::Node* a = treeA.GetNode(fastTid);
    const TrackInfo::Node* b = treeB.GetNode(expatTid);
    if (a->GetKind() != b->GetKind() || a->GetName() != b->GetName())
        return "nodes differ" + Where(path) + ": " + a->GetName().toStdString() + " and " + b->GetName().toStdString();
    const QString here = path + "/" + a->GetName();
    std::string difference = CompareExtras(*a, *b, here);
    if (!difference.empty())
        return difference;
    if (a->GetKind() == TrackInfo::KindSegment) {
        const TrackDataPtr pointsA = fast.data.Get(fastTid);
        const TrackDataPtr pointsB = expat.data.Get(expatTid);
        if (!pointsA || !pointsB)
            return "a segment without points" + Where(here);
        return ComparePoints(*pointsA, *pointsB, here);
    }
    const std::vector<int>& childrenA = treeA.GetChildren(fastTid);
    const std::vector<int>& childrenB = treeB.GetChildren(expatTid);
    if (childrenA.size() != childrenB.size())
        return "child counts differ" + Where(here);
    for (size_t i = 0; i < childrenA.size(); ++i) {
        difference = CompareNodes(fast, expat, childrenA[i], childrenB[i], here);
        if (!difference.empty())
            return difference;
    }
    return {};
}

std::string Difference(const Load& fast, const Load& expat)
{
    std::string difference;
    // A KMZ that does not unpack reaches neither reader.
    const bool read = expat.used != XmlReadEngine::Used::None;
    if (expat.used == XmlReadEngine::Used::Fast)
        difference = "the fast scanner read the file while switched off";
    else if (read != (fast.used != XmlReadEngine::Used::None))
        difference = "only one load reached a reader";
    else if (fast.status != expat.status)
        difference = "statuses differ: " + std::to_string(fast.status) + " and " + std::to_string(expat.status);
    else if (fast.error != expat.error)
        difference = "messages differ: \"" + fast.error.toStdString() + "\" and \"" + expat.error.toStdString() + "\"";
    else if (fast.data.GetAll().size() != expat.data.GetAll().size())
        difference = "point array counts differ";
    else if (fast.status != TrackLoaderI::ReadError)
        difference = CompareNodes(fast, expat, fast.tree.GetReader()->GetChildren(-1).front(),
                                  expat.tree.GetReader()->GetChildren(-1).front(), QString());
    return difference;
}

} // namespace

bool FastScanComparison::Covers(TrackFileType type)
{
    return type == TrackFileGpx || type == TrackFileTcx || type == TrackFileKml || type == TrackFileKmz;
}

FastScanComparison FastScanComparison::Run(TrackFileType type, const QByteArray& bytes, size_t chunkBytes,
                                            long long readAheadBytes)
{
    const std::unique_ptr<Load> expat = LoadWith(type, bytes, Reading::Expat, chunkBytes);
    const std::unique_ptr<Load> fast = LoadWith(type, bytes, Reading::Fast, chunkBytes);
    FastScanComparison comparison;
    comparison.fastRead = fast->used == XmlReadEngine::Used::Fast;
    comparison.loaded = fast->status == TrackLoaderI::Success;
    comparison.difference = Difference(*fast, *expat);
    if (comparison.difference.empty()) {
        const std::unique_ptr<Load> ahead =
            LoadWith(type, bytes, Reading::FastWithReadAhead, chunkBytes, readAheadBytes);
        comparison.pointsReadAhead = ahead->pointsReadAhead;
        const std::string difference = Difference(*ahead, *expat);
        if (!difference.empty())
            comparison.difference = "with points read ahead: " + difference;
    }
    return comparison;
}
