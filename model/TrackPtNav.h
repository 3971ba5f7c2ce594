#pragma once

#include "RankBitset.h"
#include "TrackPtNavI.h"

class TrackData;

// The navigator of one point array. Validity is kept as one bit per point
// with rank and select, rather than as lists of indices: the lists come out
// the same (GetValidIndices, GetFilteredIndices), but a point that becomes
// valid or filtered costs O(log n) instead of a rebuild, and a million points
// take 0.2 bytes each instead of 4.
class TrackPtNav : public TrackPtNavI
{
public:
    TrackPtNav() = default;
    explicit TrackPtNav(const TrackData& points) { Rebuild(points); }

    // One pass over the points' statuses; the count becomes the array's size.
    void Rebuild(const TrackData& points);
    // Point index changed its validity in place.
    void SetValid(int index, bool valid) { m_valid.Set(index, valid); }
    // Point index was removed from the array.
    void ErasePoint(int index) { m_valid.Erase(index); }

    int GetFirstValid() const override { return m_valid.NextSet(0); }
    int GetLastValid() const override { return m_valid.PrevSet(m_valid.Size() - 1); }
    int GetNext(int index, int mode) const override;
    int GetPrev(int index, int mode) const override;
    int GetValidOrdinal(int index) const override;
    int GetValidIndex(int ordinal) const override { return m_valid.SelectSet(ordinal); }
    int GetValidCount() const override { return m_valid.CountSet(); }
    int GetFilteredCount() const override { return m_valid.CountClear(); }
    int GetCount() const override { return m_valid.Size(); }
    void GetValidIndices(std::vector<int>& out) const override { m_valid.CollectSet(out); }
    void GetFilteredIndices(std::vector<int>& out) const override { m_valid.CollectClear(out); }

private:
    // Bit i set: point i is valid. Its size is the cached point count.
    RankBitset m_valid;
};
