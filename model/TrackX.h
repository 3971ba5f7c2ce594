#pragma once

#include "TrackI.h"

#include <memory>
#include <vector>

class Track;
class TrackXInternal;

// A file or folder: the points of the segments beneath it as one sequence.
// A change made here is made in the segment that holds the point, so the
// segment and every composite above it show the same points, navigator and
// calculated data. Parts are added in tree order; when the set of segments
// beneath changes, the composite is cleared and filled again, the inner
// composites first.
class TrackX : public TrackI
{
public:
    TrackX(int tid, int parentTid);

    const std::vector<std::shared_ptr<Track>>& GetParts() const;

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
    // Into the part that holds index; past the end, at the end of the last.
    void InsertPoints(int index, const std::vector<TrackPoint>& points) override;
    TrackPointStatus* GetPointStatus(int index) override;
    void DeleteFiltered() override;
    void RestoreFiltered() override;

    // TrackDataProviderI: the parts' points, read and written in place.
    const TrackDataI& GetTrackData() const override;
    TrackDataI& GetTrackData() override;

    // TrackTreeMemberI
    void AddPart(const std::shared_ptr<TrackI>& part) override;
    int ConvertIndex(int index, int otherTid) const override;
    int GetSegmentTid(int index) const override;
    int GetParentOffset() const override;
    int GetParentTid() const override;
    void SetParentOffset(int offset) override;
    void ClearParts() override;

private:
    // The part holding index, or null; local is the index within it.
    Track* Locate(int index, int& local) const;

    std::shared_ptr<TrackXInternal> m_internal;
};
