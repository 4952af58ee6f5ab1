#include "core/frame_loop.h"

#include "core/clock.h"
#include "core/player.h"
#include "core/scenes.h"
#include "effects/pixel_view.h"
#include "effects/surface_lock.h"
#include "globals.h"
#include "sound/sound.h"

namespace {
struct SceneEntry {
    uint32_t endTime;
    void (*draw)(Demo&);
    bool drawsOverLastPicture;  // reads back what the frames before left on the screen
};

constexpr SceneEntry kScenes[kSceneCount] = {
    {kTitleSceneEnd, drawTitleScene, false},  {kFireSceneEnd, drawFireScene, true},
    {kNoiseSceneEnd, drawNoiseScene, false},  {kWarpSceneEnd, drawWarpScene, false},
    {kLinesSceneEnd, drawLinesScene, false},  {kFountainSceneEnd, drawFountainScene, false},
};

void drawBorderKernel(const PixelView& view)
{
    const int last = view.height - 1;
    for (int x = 0; x < view.width; ++x) view.row(0)[x] = view.row(last)[x] = 0;
    for (int y = 0; y < view.height; ++y) view.row(y)[0] = view.row(y)[view.width - 1] = 0;
}
}  // namespace

void runSceneSwitch(Demo& demo)
{
    if (demo.sceneIndex >= kEndState) {
        SDL_FillRect(demo.screen, nullptr, 0);
        quitRequested = 1;
        return;
    }
    const SceneEntry& scene = kScenes[demo.sceneIndex];
    if (demo.demoTime >= scene.endTime) {
        ++demo.sceneIndex;
        return;
    }
    scene.draw(demo);
}

bool drawsOverLastPicture(int scene)
{
    return kScenes[scene].drawsOverLastPicture;
}

void drawBorder(SDL_Surface* screen)
{
    SurfaceLock lock(screen);
    if (lock) drawBorderKernel(viewOf(screen));
}

void renderFrame(Demo& demo)
{
    demo.destRect = SDL_Rect{};
    runSceneSwitch(demo);
    drawBorder(demo.screen);
}

void renderFrameShowing(Demo& demo, bool shown)
{
    SDL_Rect nothing = {0, 0, 0, 0};
    if (!shown) SDL_SetClipRect(demo.screen, &nothing);
    renderFrame(demo);
    if (!shown) SDL_SetClipRect(demo.screen, nullptr);
}

void drawFrame(Demo& demo)
{
    renderFrame(demo);
    SDL_Flip(demo.screen);
}

bool runFrame(Demo& demo, const Platform& platform, Player* player)
{
    const uint32_t ticks = platform.ticks();
    if (player && player->takeKeys(ticks)) {
        player->present(ticks);
    } else if (demo.paused) {
        if (player) player->presentPaused(ticks);
    } else {
        demo.demoTime = advanceClock(demo.demoTime, ticks - demo.startTicks);
        soundUpdate(demo.demoTime, ticks, demo.startTicks);
        renderFrame(demo);
        if (player) {
            player->present(ticks);
        } else {
            SDL_Flip(demo.screen);
        }
    }
    return !platform.quitPending();
}

void pauseDemo(Demo& demo, uint32_t ticks)
{
    if (demo.paused) return;
    demo.paused = true;
    demo.pausedAt = ticks;
    soundPause(true, ticks);
}

void resumeDemo(Demo& demo, uint32_t ticks)
{
    if (!demo.paused) return;
    demo.paused = false;
    demo.startTicks += ticks - demo.pausedAt;
    soundPause(false, ticks);
}

void runFrameLoop(Demo& demo, const Platform& platform, Player* player)
{
    if (platform.quitPending()) return;
    while (!quitRequested && runFrame(demo, platform, player))
        if (demo.paused && platform.nap) platform.nap();
}
