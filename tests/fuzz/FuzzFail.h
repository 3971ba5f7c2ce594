#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

// Says which invariant broke, printf style, and aborts: libFuzzer keeps the input.
[[noreturn]] inline void FuzzFail(const char* format, ...) __attribute__((format(printf, 1, 2)));

inline void FuzzFail(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}
