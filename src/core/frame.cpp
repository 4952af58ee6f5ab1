#include "core/frame.h"

#include "core/scenes.h"
#include "effects/fire_effect.h"
#include "effects/pixel_view.h"
#include "effects/surface_lock.h"
#include "globals.h"

namespace {
struct SceneEntry {
    uint32_t endTime;
    void (*draw)(Demo&);
    int framesRemembered;
};

constexpr SceneEntry kScenes[kSceneCount] = {
    {kTitleSceneEnd, drawTitleScene, 1},
    {kFireSceneEnd, drawFireScene, fireMemory(kScreenHeight)},
    {kNoiseSceneEnd, drawNoiseScene, 1},
    {kWarpSceneEnd, drawWarpScene, 1},
    {kLinesSceneEnd, drawLinesScene, 1},
    {kFountainSceneEnd, drawFountainScene, 1},
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

int framesRemembered(int scene)
{
    return kScenes[scene].framesRemembered;
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

void renderUnseenFrame(Demo& demo)
{
    SDL_Rect nothing = {0, 0, 0, 0};
    SDL_SetClipRect(demo.screen, &nothing);
    renderFrame(demo);
    SDL_SetClipRect(demo.screen, nullptr);
}
