#pragma once

#include "TrackData.h"

#include <map>
#include <memory>

// The point arrays of one tree, keyed by the tid of their segment.
class TrackDataSetI
{
public:
    virtual ~TrackDataSetI() = default;
    virtual void Add(int tid, const TrackDataPtr& data) = 0;
    // Empty when the set holds nothing for tid.
    virtual TrackDataPtr Get(int tid) const = 0;
    virtual const std::map<int, TrackDataPtr>& GetAll() const = 0;
    virtual void Remove(int tid) = 0;
    // The array of tid as its plain interface; null when absent.
    virtual const TrackDataI* GetTrackDataI(int tid) const = 0;
    virtual TrackDataI* GetTrackDataI(int tid) = 0;
};

class TrackDataSetImpl : public TrackDataSetI
{
public:
    void Add(int tid, const TrackDataPtr& data) override { m_data[tid] = data; }
    TrackDataPtr Get(int tid) const override;
    const std::map<int, TrackDataPtr>& GetAll() const override { return m_data; }
    void Remove(int tid) override { m_data.erase(tid); }
    const TrackDataI* GetTrackDataI(int tid) const override { return Get(tid).get(); }
    TrackDataI* GetTrackDataI(int tid) override { return Get(tid).get(); }

    // Total number of points over all arrays.
    long long GetTotalPointCount() const;

private:
    std::map<int, TrackDataPtr> m_data;
};

using TrackDataSetPtr = std::shared_ptr<TrackDataSetI>;
