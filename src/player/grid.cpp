#include "player/grid.h"

#include "core/frame.h"
#include "core/frame_grid.h"
#include "core/timeline.h"

namespace {
// The grid frame at which the scene switch enters scene `scene`, drawing
// nothing; frame 0 draws the first scene.
uint64_t switchFrameOf(int scene)
{
    return firstFrameAtOrAfter(kSceneStarts[scene], kPlayerFps);
}
}  // namespace

uint64_t firstFrameOf(int scene)
{
    return scene == 0 ? 0 : switchFrameOf(scene) + 1;
}

uint64_t lastFrameOf(int scene)
{
    return (scene + 1 < kSceneCount ? switchFrameOf(scene + 1) : firstFrameAtOrAfter(kFountainSceneEnd, kPlayerFps)) -
           1;
}

uint64_t lastPlayerFrame()
{
    return lastFrameOf(kSceneCount - 1);
}

uint32_t lastPlayerFrameTime()
{
    return frameTime(lastPlayerFrame(), kPlayerFps);
}

uint64_t firstFrameShownIn(uint64_t frame)
{
    const int scene = sceneAt(frameTime(frame, kPlayerFps));
    if (scene > 0 && frame == switchFrameOf(scene)) return firstFrameShownIn(frame - 1);
    const uint64_t remembered = static_cast<uint64_t>(framesRemembered(scene));
    return frame + 1 > remembered ? frame + 1 - remembered : 0;
}
