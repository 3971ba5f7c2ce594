#pragma once

#include <cstdio>
#include <cstdlib>

// A process-wide object created on first use and destroyed at exit. Reaching
// it after it was destroyed (from another static's destructor, say) is a
// programming error that would otherwise touch freed memory, so it ends the
// program with a message instead.
template <class T>
class ProcessSingleton
{
public:
    static T& Instance()
    {
        if (s_destroyed)
            DeadReference();
        static Holder holder;
        return holder.object;
    }

    static bool IsDestroyed() { return s_destroyed; }

private:
    struct Holder
    {
        T object;
        ~Holder() { s_destroyed = true; }
    };

    [[noreturn]] static void DeadReference()
    {
        std::fputs("Dead reference detected.\n", stderr);
        std::abort();
    }

    static inline bool s_destroyed = false;
};
