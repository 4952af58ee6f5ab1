#pragma once

#include "core/demo.h"
#include "core/timeline.h"
#include "effects/fountain_effect.h"
#include "globals.h"
#include "player/grid.h"

#include <cstdint>
#include <memory>
#include <vector>

// A run of the timeline at one grid frame (player/grid.h): what the frames
// from there on read of it, and nothing more. The run's state (globals.h),
// the scene and the cue events always; the picture on the screen only where
// the next frame draws over it (the fire), and only where the recording
// keeps one (player/recorder.h); the warp's field and the flares while a
// frame of their scene is still to come. What has not changed since
// start-up, and the noise field's table, are shared with the recording
// rather than copied.
// One a second: a jump into the warp replays up to 59 of its steps.
constexpr uint64_t kSnapshotSpacing = kPlayerFps;

struct Snapshot {
    uint64_t nextFrame = 0;  // the grid frame drawn next from here
    RunState run;
    int sceneIndex = 0;
    bool cuePending[kCueEventCount] = {};
    uint32_t cueFiredAt[kCueEventCount] = {};
    std::shared_ptr<const std::vector<uint32_t>> picture;  // kScreenWidth x kScreenHeight, top row first
    std::shared_ptr<const std::vector<uint8_t>> warpHeights;
    std::shared_ptr<const Particles> particles;
};

// A snapshot of `demo` and the calling thread's run state, the next frame
// `nextFrame`; its picture, field and flares are left to the caller.
Snapshot takeSnapshot(const Demo& demo, uint64_t nextFrame);

// The screen's pixels, top row first, for Snapshot::picture. The screen
// must be kScreenWidth x kScreenHeight and 32-bit, as every display is.
std::shared_ptr<const std::vector<uint32_t>> takePicture(SDL_Surface* screen);

// Puts the demo, and the calling thread's run state, where `snapshot` was;
// the parts it leaves out stay as they are.
void restoreSnapshot(Demo& demo, const Snapshot& snapshot);
