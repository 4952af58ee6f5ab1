#pragma once

#include "core/demo.h"
#include "effects/fountain_effect.h"
#include "globals.h"

#include <cstdint>
#include <vector>

// Everything a run of the timeline carries from one frame to the next, taken
// out of a demo and the calling thread's run state (globals.h) and put into
// another: the picture on the screen, which the fire and the fountain draw
// over, the warp's height field, the flares, the noise field, the random
// sequence, the scene and the cue events. What every frame sets anew
// (destRect, the lines' size) and what never changes (the tables, the
// pictures, the black back buffer) stays out.
struct Snapshot {
    uint64_t frame = 0;            // the last grid frame drawn (core/recorder.h)
    std::vector<uint32_t> screen;  // kScreenWidth x kScreenHeight, top row first
    std::vector<uint8_t> warpHeights;
    Particles particles = {};
    RunState run;
    int sceneIndex = 0;
    bool cuePending[kCueEventCount] = {};
    uint32_t cueFiredAt[kCueEventCount] = {};
};

// Copies the demo's state into `snapshot`, reusing its buffers. The screen
// must be kScreenWidth x kScreenHeight and 32-bit, as every display is.
void takeSnapshot(const Demo& demo, uint64_t frame, Snapshot& snapshot);

// Puts the demo, and the calling thread's run state, where `snapshot` was.
void restoreSnapshot(Demo& demo, const Snapshot& snapshot);
