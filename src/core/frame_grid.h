#pragma once

#include <cstdint>

// A fixed grid of fps frames a second over demoTime, frame 0 at demoTime 0:
// how demo-capture draws the demo, and the frames the player shows after a
// jump (core/player.h).

// The demoTime of frame n.
inline uint32_t frameTime(uint64_t n, int fps)
{
    return static_cast<uint32_t>(n * 1000 / static_cast<uint64_t>(fps));
}

// The first frame whose demoTime is at or after t.
inline uint64_t firstFrameAtOrAfter(uint32_t t, int fps)
{
    return (static_cast<uint64_t>(t) * static_cast<uint64_t>(fps) + 999) / 1000;
}
