#pragma once

#include "core/demo.h"

#include <cstdint>
#include <string>

// A fixed grid of fps frames a second over demoTime, frame 0 at demoTime 0:
// how demo-capture draws the demo, and the frames the player shows after a
// jump (player/player.h).

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

// Puts the demo at frame `n` and draws it, or with `seen` false draws it
// unseen (renderUnseenFrame, core/frame.h): the one step of every walk along
// a grid, demo-capture's, the player's recording and replays and the web
// page's test hook.
void drawGridFrame(Demo& demo, uint64_t n, int fps, bool seen = true);

// Empty when t lies on the grid; otherwise says so, with the grid's times
// either side of it.
std::string offGridMessage(uint32_t t, int fps);
