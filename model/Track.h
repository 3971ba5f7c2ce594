#pragma once

#include "TrackData.h"
#include "TrackI.h"

#include <boost/signals2/connection.hpp>

#include <functional>

struct TrackInternal;

// One segment: a point array with its navigator and calculated data. Copies
// of a Track share its points.
class Track : public TrackI
{
public:
    // Empty, outside any tree.
    Track();
    Track(TrackDataPtr points, int tid, int parentTid);

    // Puts a track built outside the tree (on the loading thread) in place.
    void Place(int tid, int parentTid);
    // The point array itself (saving, a segment's points replaced whole).
    const TrackDataPtr& GetTrackDataPtr() const;
    // Called whenever the number of points changed or everything was
    // recalculated.
    [[nodiscard]] boost::signals2::scoped_connection SubscribeLayoutChanged(std::function<void()> slot) const;

    // TrackMainI
    const CalcDataGeneralI& GetCalcData() const override;
    const TrackPtNavI& GetPtNav() const override;
    bool GetPointEx(int index, TrackPointEx& out) const override;
    bool GetPoint(int index, TrackPoint& out) const override;
    bool GetPosition(int index, double& x, double& y, double& z) const override;
    int GetTid() const override;
    int GetPointCount() const override;
    uint64_t GetChangeCount() const override;

    // TrackUpdaterI
    void Refresh(bool checkTimes) override;
    void DeletePoint(int index) override;
    void SetPoint(int index, const TrackPoint& point) override;
    void InsertPoints(int index, const std::vector<TrackPoint>& points) override;
    TrackPointStatus* GetPointStatus(int index) override;
    void DeleteFiltered() override;
    void RestoreFiltered() override;

    // TrackDataProviderI
    const TrackDataI& GetTrackData() const override;
    TrackDataI& GetTrackData() override;

    // TrackTreeMemberI
    void AddPart(const std::shared_ptr<TrackI>&) override {}
    int ConvertIndex(int, int) const override { return -1; }
    int GetSegmentTid(int index) const override;
    int GetParentOffset() const override;
    int GetParentTid() const override;
    void SetParentOffset(int offset) override;
    void ClearParts() override {}

private:
    bool Contains(int index) const;
    // Navigator rebuilt, everything recalculated, composites told.
    void RebuildAll();

    std::shared_ptr<TrackInternal> m_internal;
};
