#include "TrackRestructure.h"

#include "CutMap.h"
#include "OpenTracksModel.h"
#include "TrackTree.h"
#include "TrackTreeAlg.h"
#include "TreeBuilder.h"

#include <exception>

namespace {

// The tree of a file rebuilt from the points of the segments.
struct RebuiltTree
{
    TrackTree tree;
    TrackDataSetImpl data;
    int file = -1;
};

bool Rebuild(const OpenTracksModel& model, const std::vector<int>& segments, const RestructureParams& params,
             const TrackInfo::Node& fileRecord, RebuiltTree& out)
{
    ConcatenatedPoints concatenated = TreeBuilder::Concatenate(model, segments, params.keepBreaks);
    if (concatenated.points.empty())
        return false;
    CutMap cuts(concatenated.points, params, concatenated.keptBreaks);
    cuts.DropShortSegments();
    out.file = TreeBuilder::Build(fileRecord, concatenated.points, cuts, *out.tree.GetCreator(), out.data);
    return true;
}

} // namespace

bool TrackRestructure::RestructureFile(int fileTid, const RestructureParams& params)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackInfo::Node* file = reader->GetNode(fileTid);
    if (file == nullptr || file->GetKind() != TrackInfo::KindFile)
        return false;
    std::vector<int> segments;
    TrackTreeAlg(reader.get()).GetSubsegmentIds(fileTid, segments);
    if (segments.empty())
        return false;
    try {
        RebuiltTree rebuilt;
        if (!Rebuild(m_model, segments, params, *file, rebuilt))
            return true;
        return m_model.ReplaceFileTree(fileTid, *rebuilt.tree.GetReader(), rebuilt.file, rebuilt.data);
    } catch (const std::exception&) {
        // Out of memory, or a tree the library refused: the file stays.
        return false;
    }
}

int TrackRestructure::Merge(const std::vector<int>& items, const RestructureParams& params, const QString& name)
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(items, segments);
    TrackInfo::WholeFile record;
    record.SetName(name);
    RebuiltTree rebuilt;
    if (!Rebuild(m_model, segments, params, record, rebuilt))
        return -1;
    return m_model.AddNewFile(*rebuilt.tree.GetReader(), rebuilt.file, rebuilt.data);
}
