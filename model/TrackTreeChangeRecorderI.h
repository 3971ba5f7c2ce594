#pragma once

#include <vector>

// Filled by the code that changes the tree, as it goes.
class TrackTreeChangeRecorderI
{
public:
    virtual ~TrackTreeChangeRecorderI() = default;
    virtual void RecordAdded(const std::vector<int>& tids) = 0;
    virtual void RecordAdded(int tid) = 0;
    virtual void RecordRemoved(const std::vector<int>& tids) = 0;
    virtual void RecordRemoved(int tid) = 0;
    virtual void RecordChanged(const std::vector<int>& tids) = 0;
    virtual void RecordChanged(int tid) = 0;
    virtual void SetFlag(int flag) = 0;
};
