#pragma once

#include "TrackTreeChangeRecorderI.h"
#include "TrackTreeChangesI.h"

// The record of one tree change: recorded while the tree is changed, then
// announced as a tree-change event and read by its subscribers.
class TrackTreeEventDataImpl : public TrackTreeChangesI, public TrackTreeChangeRecorderI
{
public:
    std::vector<int> GetAdded() const override { return m_added; }
    std::vector<int> GetRemoved() const override { return m_removed; }
    std::vector<int> GetChanged() const override { return m_changed; }
    bool HasFlag() const override { return m_flag > 0; }
    int GetFlag() const override { return m_flag; }

    void RecordAdded(const std::vector<int>& tids) override;
    void RecordAdded(int tid) override;
    void RecordRemoved(const std::vector<int>& tids) override;
    void RecordRemoved(int tid) override;
    void RecordChanged(const std::vector<int>& tids) override;
    void RecordChanged(int tid) override;
    void SetFlag(int flag) override { m_flag = flag; }

private:
    std::vector<int> m_added;
    std::vector<int> m_removed;
    std::vector<int> m_changed;
    int m_flag = 0;
};
