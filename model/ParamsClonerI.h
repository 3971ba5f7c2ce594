#pragma once

// Carries the user's choices for a node over to the node that replaces it
// (restructuring, merging).
class ParamsClonerI
{
public:
    virtual ~ParamsClonerI() = default;
    // An unchecked source unchecks the target, a checked one checks it, a
    // partly checked one leaves it alone; a carried source makes the target
    // carried too.
    virtual void CloneParams(int fromTid, int toTid) = 0;
};
