#pragma once

#include "effects/bump_warp_effect.h"
#include "effects/row_split.h"

#include <cstdint>
#include <functional>

// The warp's field at each snapshot of its scene (player/snapshot.h), worked
// out from its field at start-up one grid frame after another, as the warp
// scene moves it: one step a frame, at the frame's demoTime
// (drawWarpScene). The recording's second pass (player/recorder.h), and in
// the web page its worker's whole job.
class WarpRecording {
public:
    // Takes each field as it is worked out, with the next frame it is the
    // snapshot's of; valid until the next call of record().
    using Keep = std::function<void(uint64_t nextFrame, const uint8_t* field)>;

    // `warp` holds the field start-up left it.
    WarpRecording(BumpWarpEffect& warp, Keep keep);

    // Works out up to `frames` more grid frames, each step's rows shared out
    // by `split`, keeping the fields on the way. False once past the scene.
    bool record(int frames, RowSplit& split);

    // Goes on from a field worked out elsewhere: the one at next frame
    // `frame`, when that is ahead.
    void resumeFrom(uint64_t frame, const uint8_t* field);

private:
    BumpWarpEffect& warp;
    const Keep keep;
    uint64_t next;  // the grid frame whose step comes next
};
