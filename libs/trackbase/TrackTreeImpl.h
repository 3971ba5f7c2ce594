#pragma once

#include "TrackTreeInterfaces.h"

#include <unordered_map>

class TrackTreeImpl : public TrackTreeReaderI, public TrackTreeEditorI
{
public:
    explicit TrackTreeImpl(int firstTid);

    const TrackInfo::Node* GetNode(int tid) const override;
    int GetParent(int tid) const override;
    const std::vector<int>& GetChildren(int tid) const override;
    int GetFileCount() const override { return static_cast<int>(m_rootChildren.size()); }
    int GetNodeCount() const override { return static_cast<int>(m_entries.size()); }

    int AddFile(const QString& name, const QString& fileName, int fileType) override;
    int AddFolder(int parentTid, const QString& name) override;
    int AddSegment(int parentTid, const QString& name) override;
    int AddNode(int parentTid, const TrackInfo::Node& record, int index = -1) override;
    void SetNodeExtras(int tid, std::shared_ptr<const TrackInfo::NodeExtras> extras) override;

    void SetName(int tid, const QString& name) override;
    void SetSegmentColour(int tid, const RgbStruct& colour) override;
    void SetFileName(int tid, const QString& fileName) override;
    void Remove(int tid) override;
    bool Move(int tid, int newParentTid, int index = -1) override;
    void ReverseChildren(int tid) override;

private:
    struct Entry
    {
        std::unique_ptr<TrackInfo::Node> record;
        int parent = -1;
        std::vector<int> children;
    };

    int Insert(int parentTid, std::unique_ptr<TrackInfo::Node> record, int index);
    std::vector<int>* ChildListOf(int tid);
    bool CanHoldChild(int parentTid, TrackInfo::Kind childKind) const;

    std::unordered_map<int, Entry> m_entries;
    std::vector<int> m_rootChildren;
    int m_nextTid;
};
