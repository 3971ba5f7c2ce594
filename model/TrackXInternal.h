#pragma once

#include "CalcDataGeneralX.h"
#include "TrackData.h"
#include "TrackPtNavX.h"

#include <boost/signals2/connection.hpp>

#include <functional>
#include <memory>
#include <vector>

class Track;
class TrackX;

// The state of a composite, shared by the copies of its handle. Its points
// are the parts' points one after another, read in place: no combined copy
// is kept, so nothing can go stale when a part changes.
class TrackXInternal : public TrackDataI
{
public:
    // A composite beneath this one, whose segments were appended here.
    struct SubComposite
    {
        std::shared_ptr<TrackX> composite;
        int firstPart;
        int partCount;
    };

    TrackXInternal(int tid, int parentTid);
    ~TrackXInternal() override;
    TrackXInternal(const TrackXInternal&) = delete;
    TrackXInternal& operator=(const TrackXInternal&) = delete;

    void AppendSegment(const std::shared_ptr<Track>& segment);
    void AppendComposite(const std::shared_ptr<TrackX>& composite);
    void Clear();
    // Part starts, member offsets and the children's parent offsets summed
    // afresh after a part's point count or total distance changed.
    void UpdateLayout();
    // Runs an operation over several parts and lays out once at the end
    // (of the outermost LayoutDeferral).
    void Batch(const std::function<void(Track&)>& operation);
    // The part holding index and the index within it; false when none does.
    bool Locate(int index, int& part, int& local) const;
    int ConvertIndex(int index, int otherTid) const;

    int GetPointCount() const override { return navigator.GetCount(); }
    const TrackPoint& GetTrackPoint(int index) const override;
    TrackPoint& GetTrackPoint(int index) override;

    CalcDataGeneralX calculated;
    TrackPtNavX navigator;
    int tid;
    int parentTid;
    int parentOffset = 0;
    // The segments beneath the node, in tree order.
    std::vector<std::shared_ptr<Track>> parts;
    std::vector<SubComposite> composites;

private:
    int PartStart(int part) const;
    void OnPartLayoutChanged();

    std::vector<boost::signals2::scoped_connection> m_partConnections;
    boost::signals2::scoped_connection m_tick;
};
