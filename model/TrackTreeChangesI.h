#pragma once

#include <memory>
#include <vector>

// What a tree change did: read by the subscribers of a tree-change event.
class TrackTreeChangesI
{
public:
    virtual ~TrackTreeChangesI() = default;
    virtual std::vector<int> GetAdded() const = 0;
    virtual std::vector<int> GetRemoved() const = 0;
    virtual std::vector<int> GetChanged() const = 0;
    // Whether the flag is above 0.
    virtual bool HasFlag() const = 0;
    virtual int GetFlag() const = 0;
};

using TrackTreeChangesPtr = std::shared_ptr<const TrackTreeChangesI>;
