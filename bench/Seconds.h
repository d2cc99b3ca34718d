// The wall-clock time of a piece of work, from the performance counter.
#pragma once

#include <windows.h>

#include <functional>

namespace bench {

inline double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    work();
    QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

} // namespace bench
