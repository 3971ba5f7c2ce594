#include "LayoutDeferral.h"

#include <utility>
#include <vector>

namespace {

struct Pending
{
    const void* owner;
    std::function<void()> layout;
};

struct DeferralState
{
    int depth = 0;
    std::vector<Pending> pending;
};

thread_local DeferralState t_state;

} // namespace

LayoutDeferral::LayoutDeferral()
{
    ++t_state.depth;
}

LayoutDeferral::~LayoutDeferral()
{
    if (--t_state.depth > 0)
        return;
    // A layout may refresh more parts; those land in a fresh list.
    ++t_state.depth;
    while (!t_state.pending.empty()) {
        std::vector<Pending> due = std::exchange(t_state.pending, {});
        for (Pending& entry : due)
            entry.layout();
    }
    --t_state.depth;
}

bool LayoutDeferral::Defer(const void* owner, std::function<void()> layout)
{
    if (t_state.depth == 0)
        return false;
    // Owners are few (the composites above the refreshed segments) and the
    // last one noted is nearly always the one noting again.
    for (auto it = t_state.pending.rbegin(); it != t_state.pending.rend(); ++it) {
        if (it->owner == owner)
            return true;
    }
    t_state.pending.push_back({owner, std::move(layout)});
    return true;
}

void LayoutDeferral::Forget(const void* owner)
{
    std::erase_if(t_state.pending, [owner](const Pending& entry) { return entry.owner == owner; });
}
