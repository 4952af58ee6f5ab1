// The page's entry points (site/demo.js calls them). The browser cannot run
// the demo's frame loop, so the page drives it: the demo's own start-up,
// then one runFrame per display refresh; or, for the test hook and the
// benchmark, frames on demo-capture's fixed grid.
#include "capture/capture_options.h"
#include "core/events.h"
#include "core/frame_loop.h"
#include "core/startup.h"
#include "effects/pixel_view.h"
#include "globals.h"
#include "platform/sound_platform.h"
#include "platform/web/sdl_layer.h"
#include "sound/sound.h"

#include <emscripten.h>

#include <string>
#include <vector>

namespace {
Demo demo;
CaptureOptions grid;
uint64_t gridFrame = 0;
std::string optionsMessage;
std::vector<uint32_t> canvasPixels(static_cast<size_t>(kScreenWidth) * kScreenHeight);

// The page's clock; a quit comes only from the keys it sends.
const Platform webPlatform = {SDL_GetTicks, quitEventPending};
}  // namespace

extern "C" {

// demo-capture's options from the test hook's query, with demo-capture's own
// checks: "" when they hold, otherwise its message. `at` may be null (the
// benchmark), never empty.
EMSCRIPTEN_KEEPALIVE const char* webCaptureOptions(const char* seed, const char* fps, const char* at)
{
    std::vector<std::string> words = {"demo-capture", "--seed", seed, "--fps", fps};
    if (at) words.insert(words.end(), {"--at", at});
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    bool help = false;
    grid = CaptureOptions();
    const int argc = static_cast<int>(argv.size());
    if (parseCaptureOptions(argc, argv.data(), grid, optionsMessage, help)) optionsMessage.clear();
    return optionsMessage.c_str();
}

EMSCRIPTEN_KEEPALIVE unsigned webGridSeed()
{
    return grid.seed;
}

// Start-up up to the first frame, with the random generator seeded by `seed`.
// False (after a message on the console) when a picture cannot be loaded.
EMSCRIPTEN_KEEPALIVE int webLoad(unsigned seed)
{
    StartOptions start;
    start.sdlSubsystems = SDL_INIT_VIDEO | SDL_INIT_TIMER;
    start.seed = seed;
    start.openDisplay = [] {
        SDL_SetEventFilter(eventFilter);
        return openDisplay(kScreenWidth, kScreenHeight, true);
    };
    return startDemo(demo, start);
}

// The frame of demoTime 0, shown dimmed under the page's start prompt. The
// title scene keeps no state, so drawing it changes nothing that follows.
EMSCRIPTEN_KEEPALIVE void webDrawFirstFrame()
{
    demo.demoTime = 0;
    drawFrame(demo);
}

// The real-time run: the clock starts here, with the music.
EMSCRIPTEN_KEEPALIVE int webBegin()
{
    demo.startTicks = SDL_GetTicks();
    demo.demoTime = 0;
    usePlatformSound();
    soundInit(0);
    return !webPlatform.quitPending();
}

// One frame for the display refresh; false once the demo has ended.
EMSCRIPTEN_KEEPALIVE int webStep()
{
    return !quitRequested && runFrame(demo, webPlatform);
}

// The page hidden, and back: the clock and the sound stop where they are and
// go on from there.
EMSCRIPTEN_KEEPALIVE void webPause(int paused)
{
    if (paused) pauseDemo(demo, SDL_GetTicks());
    else resumeDemo(demo, SDL_GetTicks());
}

// The demo's tick count, which the sound worklet's clock follows.
EMSCRIPTEN_KEEPALIVE uint32_t webTicks()
{
    return SDL_GetTicks();
}

EMSCRIPTEN_KEEPALIVE void webEnd()
{
    soundShutdown();
}

EMSCRIPTEN_KEEPALIVE void webEscape(int pressed)
{
    webSendKey(SDLK_ESCAPE, pressed != 0);
}

// The next frame of the grid set by webCaptureOptions, drawn as demo-capture
// draws it. The scene it was drawn in, or -1 once the demo has ended.
EMSCRIPTEN_KEEPALIVE int webGridFrame()
{
    if (quitRequested) return -1;
    demo.demoTime = frameTime(gridFrame++, grid.fps);
    const int scene = demo.sceneIndex;
    drawFrame(demo);
    return scene;
}

EMSCRIPTEN_KEEPALIVE uint32_t webDemoTime()
{
    return demo.demoTime;
}

// The display as canvas pixels (R, G, B, opaque), 640 x 480.
EMSCRIPTEN_KEEPALIVE const uint32_t* webPresent()
{
    const PixelView screen = viewOf(demo.screen);
    uint32_t* out = canvasPixels.data();
    for (int y = 0; y < screen.height; ++y) {
        const uint32_t* row = screen.row(y);
        for (int x = 0; x < screen.width; ++x) {
            const uint32_t p = row[x];  // xRGB; the canvas wants bytes R, G, B, A
            *out++ = 0xff000000u | (p & 0xff) << 16 | (p & 0xff00) | (p >> 16 & 0xff);
        }
    }
    return canvasPixels.data();
}
}
