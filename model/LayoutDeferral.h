#pragma once

#include <functional>

// While one lives (on this thread), composites that hear that a part's
// point count or distance changed only note it, and each lays out once when
// the outermost one ends. Refreshing thousands of segments one by one would
// otherwise lay out their parents once per segment.
class LayoutDeferral
{
public:
    LayoutDeferral();
    ~LayoutDeferral();
    LayoutDeferral(const LayoutDeferral&) = delete;
    LayoutDeferral& operator=(const LayoutDeferral&) = delete;

    // False when nothing defers: the caller lays out at once.
    static bool Defer(const void* owner, std::function<void()> layout);
    // An owner going away before the deferral ends.
    static void Forget(const void* owner);
};
