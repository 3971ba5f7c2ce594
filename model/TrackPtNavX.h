#pragma once

#include "TrackPtNavI.h"

#include <cstddef>
#include <vector>

// The navigator of a composite: the parts' navigators one after another.
// Each question goes to the part that holds the index, with the index local
// to it; a search that runs off a part goes on in the next (previous) one.
class TrackPtNavX : public TrackPtNavI
{
public:
    void Clear();
    // The navigator must outlive this one; the part starts after the last.
    void AddPart(const TrackPtNavI& part);
    // The parts' counts changed: their starts are summed afresh.
    void UpdateStarts();

    // The part holding index (-1 when none) and where it starts.
    int FindPart(int index) const;
    int GetPartStart(int part) const { return m_parts[static_cast<std::size_t>(part)].start; }
    int GetPartCount() const { return static_cast<int>(m_parts.size()); }

    int GetFirstValid() const override;
    int GetLastValid() const override;
    int GetNext(int index, int mode) const override;
    int GetPrev(int index, int mode) const override;
    int GetValidOrdinal(int index) const override;
    int GetValidIndex(int ordinal) const override;
    int GetValidCount() const override;
    int GetFilteredCount() const override;
    int GetCount() const override { return m_count; }
    void GetValidIndices(std::vector<int>& out) const override;
    void GetFilteredIndices(std::vector<int>& out) const override;

private:
    struct Part
    {
        const TrackPtNavI* navigator;
        int start;
    };

    void Collect(std::vector<int>& out, bool valid) const;

    std::vector<Part> m_parts;
    int m_count = 0;
};
