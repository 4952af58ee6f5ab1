#include "player/snapshot.h"

#include "effects/bump_warp_effect.h"
#include "effects/pixel_view.h"
#include "effects/surface_lock.h"

#include <algorithm>

namespace {
constexpr size_t kScreenPixels = size_t{kScreenWidth} * kScreenHeight;
}  // namespace

Snapshot takeSnapshot(const Demo& demo, uint64_t nextFrame)
{
    Snapshot snapshot;
    snapshot.nextFrame = nextFrame;
    snapshot.run = runState;
    snapshot.sceneIndex = demo.sceneIndex;
    std::copy(std::begin(demo.cuePending), std::end(demo.cuePending), snapshot.cuePending);
    std::copy(std::begin(demo.cueFiredAt), std::end(demo.cueFiredAt), snapshot.cueFiredAt);
    return snapshot;
}

std::shared_ptr<const std::vector<uint32_t>> takePicture(SDL_Surface* screen)
{
    auto picture = std::make_shared<std::vector<uint32_t>>(kScreenPixels);
    SurfaceLock lock(screen);
    if (lock) {
        const PixelView view = viewOf(screen);
        for (int y = 0; y < kScreenHeight; ++y)
            std::copy_n(view.row(y), kScreenWidth, &(*picture)[size_t{kScreenWidth} * y]);
    }
    return picture;
}

void restoreSnapshot(Demo& demo, const Snapshot& snapshot)
{
    if (snapshot.picture) {
        SurfaceLock lock(demo.screen);
        if (lock) {
            const PixelView view = viewOf(demo.screen);
            for (int y = 0; y < kScreenHeight; ++y)
                std::copy_n(&(*snapshot.picture)[size_t{kScreenWidth} * y], kScreenWidth, view.row(y));
        }
    }
    if (snapshot.warpHeights) demo.effects.bumpWarp->setHeights(snapshot.warpHeights->data());
    if (snapshot.particles) demo.effects.fountain->particles = *snapshot.particles;
    runState = snapshot.run;
    demo.sceneIndex = snapshot.sceneIndex;
    std::copy(std::begin(snapshot.cuePending), std::end(snapshot.cuePending), demo.cuePending);
    std::copy(std::begin(snapshot.cueFiredAt), std::end(snapshot.cueFiredAt), demo.cueFiredAt);
}
