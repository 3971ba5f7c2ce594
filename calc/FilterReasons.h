#pragma once

#include <QString>

#include <map>

// The reasons a point can be filtered for, with their texts. A point stores a
// key: key mod 100 is the reason code. Rules made by the user get keys
// k * 100 + code so that each keeps its own text; local-inconsistency keys
// carry a score as score_per_mille * 1000 + code. Process-wide: keys made
// earlier stay readable for as long as the program runs.
class FilterReasons
{
public:
    struct Entry
    {
        int code = 0;
        QString text;
        int extra = 0;
    };

    static FilterReasons& GetInstance();

    FilterReasons();

    // The key of (code, text): the existing one when both match, else a new
    // k * 100 + code with the next k of that code.
    int Register(int code, const QString& text);
    // The entry a stored key shows; an empty entry (code 0) for an unknown key.
    Entry GetText(int key) const;

private:
    std::map<int, Entry> m_entries;
    std::map<int, int> m_nextK;
};
