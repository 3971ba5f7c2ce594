#pragma once

#include <cstdint>

// Whether a point is valid and, when it is not, why it was filtered; plus
// marks of what the user or a time operation did to it.
class TrackPointStatus
{
public:
    // The reason loaders give a fix its receiver marked void ("No GPS").
    static constexpr int NoGpsReason = 1;

    enum Mode : uint8_t {
        AddedByUser = 4,
        TimeRegenerated = 8,
    };

    bool IsValid() const { return m_valid; }
    // Making a point valid clears its filter reason.
    void SetValid(bool valid = true)
    {
        m_valid = valid;
        if (valid)
            m_filterReason = 0;
    }

    int GetFilterReason() const { return m_filterReason; }
    // A reason makes the point filtered.
    void SetFilterReason(int reason)
    {
        m_filterReason = reason;
        m_valid = false;
    }

    bool IsInMode(Mode mode) const { return (m_modes & mode) != 0; }
    void SetMode(Mode mode, bool on)
    {
        m_modes = on ? static_cast<uint8_t>(m_modes | mode) : static_cast<uint8_t>(m_modes & ~mode);
    }
    uint8_t GetModes() const { return m_modes; }
    void SetModes(uint8_t modes) { m_modes = modes; }

    unsigned short GetPenalty() const { return m_penalty; }
    void SetPenalty(unsigned short penalty) { m_penalty = penalty; }

    bool operator==(const TrackPointStatus&) const = default;

private:
    // Scored reasons reach score * 1000 + code, about a million.
    int32_t m_filterReason = 0;
    uint16_t m_penalty = 0;
    uint8_t m_modes = 0;
    bool m_valid = true;
};
