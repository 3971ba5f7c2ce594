#pragma once

// Stretches of a file that another thread reads ahead while the fast
// scanner reads the rest. When the scanner arrives at the start of one,
// its reader may take what was read there instead of the events, and the
// scanner goes on at the stretch's end.
class XmlReadAhead
{
public:
    virtual ~XmlReadAhead() = default;

    // The start of the next stretch at or after from, the largest value
    // when none follows. Stretches before from are given up.
    virtual long long NextStart(long long from) = 0;
};
