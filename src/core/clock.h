#pragma once

#include <cstdint>

// The demo clock follows the elapsed time through a first-order low-pass
// filter: each frame it closes a quarter of the distance. Unsigned 32-bit
// arithmetic throughout, so the elapsed time may wrap.
inline uint32_t advanceClock(uint32_t demoTime, uint32_t elapsed)
{
    return (elapsed + 3u * demoTime) >> 2;
}

// A time window [start, end) in milliseconds of demoTime.
struct Window {
    float start;
    float end;
};

// Smoothstep over the window: 0 up to its start, 1 from its end on.
double ease(float a, float b, float t);

inline double ease(Window w, float t)
{
    return ease(w.start, w.end, t);
}
