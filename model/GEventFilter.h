#pragma once

#include "GEventKind.h"

#include <cstdint>
#include <initializer_list>

// The set of event kinds a subscription listens to.
class GEventFilter
{
public:
    constexpr GEventFilter() = default;
    // GEventFilter{GEventKind::PointsChanged} listens to that kind alone.
    constexpr GEventFilter(std::initializer_list<int> kinds)
    {
        for (int kind : kinds)
            m_mask |= Bit(kind);
    }

    // {0, 1, 2, 3, 5}: what changes track data and its display.
    static constexpr GEventFilter TrackData()
    {
        using namespace GEventKind;
        return {TreeChanged, FileAttrChanged, PointsChanged, DisplayAttrChanged, CheckStateChanged};
    }
    // {7, 8, 9}: single points and the cursor.
    static constexpr GEventFilter PointsAndCursor()
    {
        using namespace GEventKind;
        return {PointViewChanged, PointRemovedRestored, PointAdded};
    }
    // {4, 6, 10}: the user's choices.
    static constexpr GEventFilter State()
    {
        using namespace GEventKind;
        return {SelectionChanged, CurrentPointChanged, StateOtherChanged};
    }
    // {11, 12}: options.
    static constexpr GEventFilter Settings()
    {
        using namespace GEventKind;
        return {ViewSettingsChanged, UnitsChanged};
    }
    // Every kind: the four sets and the point range.
    static constexpr GEventFilter All()
    {
        return TrackData() | PointsAndCursor() | State() | Settings() | GEventFilter{GEventKind::PointRangeChanged};
    }

    constexpr bool Contains(int kind) const { return (m_mask & Bit(kind)) != 0; }
    constexpr bool IsEmpty() const { return m_mask == 0; }

    friend constexpr GEventFilter operator|(GEventFilter a, GEventFilter b)
    {
        GEventFilter result;
        result.m_mask = a.m_mask | b.m_mask;
        return result;
    }
    constexpr bool operator==(const GEventFilter&) const = default;

private:
    // Kinds outside 0..31 belong to no filter.
    static constexpr uint32_t Bit(int kind)
    {
        return kind >= 0 && kind < 32 ? uint32_t(1) << kind : 0;
    }

    uint32_t m_mask = 0;
};
