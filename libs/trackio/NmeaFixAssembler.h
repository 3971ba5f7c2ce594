#pragma once

#include "NmeaFix.h"

class NmeaSentence;

// Merges the sentences of one receiver fix into one NmeaFix. Receivers send
// a burst per fix (RMC, GGA, GSA, ... in an order of their own), so:
// - RMC, GGA, GLL and ZDA carry a time: one joins the open fix when its time
//   is that fix's (within 10 ms, since some receivers write the time of one
//   sentence with a digit more than the others) and the fix has no sentence
//   of its kind yet; otherwise it closes the fix and opens the next.
// - GSA and VTG carry no time: one joins the open fix when that has none of
//   its kind yet, else it waits for the next fix (receivers that send GSA
//   ahead of the position). A run of GSA (one per satellite system on
//   multi-system receivers) goes to one fix.
class NmeaFixAssembler
{
public:
    enum class Result {
        Ignored,    // a sentence of a kind that holds nothing for a track
        Unreadable, // a known kind whose fields cannot be read
        Taken,
        FixClosed, // taken, and the previous fix is complete
    };

    Result Add(const NmeaSentence& sentence, NmeaFix& closed);
    // The last fix, when one is open.
    bool Flush(NmeaFix& closed);

    // Two assemblers in the same state make the same fixes of what follows.
    bool operator==(const NmeaFixAssembler&) const = default;

private:
    enum class Target { Open, Pending };

    NmeaFix m_open;
    bool m_isOpen = false;
    // GSA/VTG data waiting for the next fix.
    NmeaFix m_pending;
    uint8_t m_lastUntimedPart = 0;
    Target m_lastUntimedTarget = Target::Pending;
};
