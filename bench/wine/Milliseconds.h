// The clock every timing of the Wine harness reads: the performance counter, in milliseconds.
#pragma once

#include <windows.h>

inline double Milliseconds() {
    static const double perMillisecond = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / perMillisecond;
}
