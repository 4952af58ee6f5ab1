#include "core/snapshot.h"

#include "effects/bump_warp_effect.h"
#include "effects/pixel_view.h"
#include "effects/surface_lock.h"

#include <algorithm>

namespace {
constexpr size_t kScreenPixels = size_t{kScreenWidth} * kScreenHeight;

// The calling thread's run state, copied rather than swapped.
RunState currentRunState()
{
    return RunState{randomState, noiseField, fountainPreviousTime};
}
}  // namespace

void takeSnapshot(const Demo& demo, uint64_t frame, Snapshot& snapshot)
{
    snapshot.frame = frame;
    snapshot.screen.resize(kScreenPixels);
    {
        SurfaceLock lock(demo.screen);
        if (lock) {
            const PixelView view = viewOf(demo.screen);
            for (int y = 0; y < kScreenHeight; ++y)
                std::copy_n(view.row(y), kScreenWidth, &snapshot.screen[size_t{kScreenWidth} * y]);
        }
    }
    const uint8_t* heights = demo.effects.bumpWarp->currentHeights();
    snapshot.warpHeights.assign(heights, heights + kScreenPixels);
    snapshot.particles = demo.effects.fountain->particles;
    snapshot.run = currentRunState();
    snapshot.sceneIndex = demo.sceneIndex;
    std::copy(std::begin(demo.cuePending), std::end(demo.cuePending), snapshot.cuePending);
    std::copy(std::begin(demo.cueFiredAt), std::end(demo.cueFiredAt), snapshot.cueFiredAt);
}

void restoreSnapshot(Demo& demo, const Snapshot& snapshot)
{
    {
        SurfaceLock lock(demo.screen);
        if (lock) {
            const PixelView view = viewOf(demo.screen);
            for (int y = 0; y < kScreenHeight; ++y)
                std::copy_n(&snapshot.screen[size_t{kScreenWidth} * y], kScreenWidth, view.row(y));
        }
    }
    demo.effects.bumpWarp->setHeights(snapshot.warpHeights.data());
    demo.effects.fountain->particles = snapshot.particles;
    randomState = snapshot.run.randomState;
    noiseField = snapshot.run.noiseField;
    fountainPreviousTime = snapshot.run.fountainPreviousTime;
    demo.sceneIndex = snapshot.sceneIndex;
    std::copy(std::begin(snapshot.cuePending), std::end(snapshot.cuePending), demo.cuePending);
    std::copy(std::begin(snapshot.cueFiredAt), std::end(snapshot.cueFiredAt), demo.cueFiredAt);
}
