#include "player/warp_recording.h"

#include "core/frame_grid.h"
#include "core/timeline.h"
#include "player/grid.h"
#include "player/snapshot.h"

WarpRecording::WarpRecording(BumpWarpEffect& warp, Keep keep)
    : warp(warp), keep(std::move(keep)), next(firstFrameOf(kWarpScene))
{
}

bool WarpRecording::record(int frames, RowSplit& split)
{
    const uint64_t last = lastFrameOf(kWarpScene);
    for (int i = 0; i < frames && next <= last; ++i) {
        warp.owe(static_cast<int32_t>(frameTime(next, kPlayerFps)));
        ++next;
        if (next % kSnapshotSpacing == 0 && next <= last) keep(next, warp.heights(split));
    }
    // The steps owed stay within the frames asked for.
    warp.heights(split);
    return next <= last;
}

void WarpRecording::resumeFrom(uint64_t frame, const uint8_t* field)
{
    if (frame <= next) return;
    warp.setHeights(field);
    next = frame;
}
