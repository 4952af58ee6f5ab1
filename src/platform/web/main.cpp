// The page's entry points (site/demo.js calls them). The browser cannot run
// the demo's frame loop, so the page drives it: the demo's own start-up,
// then one turn per display refresh, with the player (player/player.h)
// on the page's keys and its bar; or, for the test hook and the benchmark,
// frames on demo-capture's fixed grid. The player's recording is drawn in
// the page's idle time, and takes the warp's fields from a worker
// (recording_worker.cpp) as they come.
#include "core/events.h"
#include "core/frame_grid.h"
#include "core/frame_loop.h"
#include "core/startup.h"
#include "effects/pixel_view.h"
#include "globals.h"
#include "platform/sound_platform.h"
#include "platform/web/sdl_layer.h"
#include "player/grid.h"
#include "player/player.h"
#include "player/recorder.h"
#include "sound/sound.h"

#include <emscripten.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {
Demo demo;
std::unique_ptr<Recorder> recorder;
std::unique_ptr<Player> player;
// The test hook's grid, as demo-capture --seed --fps sets it.
unsigned gridSeed = 1;
int gridFps = 60;
uint64_t gridFrame = 0;
std::string gridMessage;
std::vector<uint32_t> canvasPixels(static_cast<size_t>(kScreenWidth) * kScreenHeight);
std::vector<uint8_t> warpFieldRoom;

// The page's clock; a quit comes only from the keys it sends.
const Platform webPlatform = {SDL_GetTicks, quitEventPending};
}  // namespace

extern "C" {

// The test hook's grid: "" when demo-capture takes `fps` too, otherwise
// its message.
EMSCRIPTEN_KEEPALIVE const char* webSetGrid(unsigned seed, int fps)
{
    gridSeed = seed;
    gridFps = fps;
    gridMessage = fps >= 1 && fps <= 1000 ? "" : "--fps takes a whole number from 1 to 1000";
    return gridMessage.c_str();
}

// "" when demoTime `t` lies on the test hook's grid, otherwise what
// demo-capture --at says of it.
EMSCRIPTEN_KEEPALIVE const char* webOffGrid(uint32_t t)
{
    const std::string offGrid = offGridMessage(t, gridFps);
    gridMessage = offGrid.empty() ? "" : "--at " + offGrid;
    return gridMessage.c_str();
}

EMSCRIPTEN_KEEPALIVE unsigned webGridSeed()
{
    return gridSeed;
}

// Start-up up to the first frame, with the random generator seeded by `seed`,
// and the player with its recorder, which draws nothing before webRecord.
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
    if (!startDemo(demo, start)) return 0;
    recorder = std::make_unique<Recorder>(demo, seed);
    player = std::make_unique<Player>(demo, *recorder, webPlatform.ticks, false);
    return 1;
}

// Records up to `frames` more frames for the player; false once all are.
EMSCRIPTEN_KEEPALIVE int webRecord(int frames)
{
    return recorder->record(frames);
}

// Room for one warp field from the recording worker (site/demo.js copies it
// there), then handed to the recording for next frame `frame`.
EMSCRIPTEN_KEEPALIVE uint8_t* webWarpFieldRoom()
{
    warpFieldRoom.resize(size_t{kScreenWidth} * kScreenHeight);
    return warpFieldRoom.data();
}

EMSCRIPTEN_KEEPALIVE void webTakeWarpField(uint32_t frame)
{
    recorder->takeWarpField(frame, warpFieldRoom.data());
}

// Whether a jump to demoTime `target` lands at once, without waiting for
// the recording.
EMSCRIPTEN_KEEPALIVE int webReaches(uint32_t target)
{
    return recorder->reaches(std::min(firstFrameAtOrAfter(target, kPlayerFps), lastPlayerFrame()));
}

// The player's jump to the first grid frame at or after demoTime `target`,
// for the bar and the address: at the prompt too, before webBegin, once
// the recording has reached it. Until it has, the jump waits (webWaiting).
EMSCRIPTEN_KEEPALIVE void webJump(uint32_t target)
{
    player->jumpTo(target, SDL_GetTicks());
}

// Whether a jump waits for the recording: the page records harder.
EMSCRIPTEN_KEEPALIVE int webWaiting()
{
    return player->isWaiting();
}

// Paused by the player's Space or the page's webPause, or to land paused.
EMSCRIPTEN_KEEPALIVE int webPaused()
{
    return player->paused();
}

// The moment the player is at, for the bar and the link: where a waiting
// jump goes, else demoTime.
EMSCRIPTEN_KEEPALIVE uint32_t webShownTime()
{
    return player->shownTime();
}

// The demoTime scene `scene` starts at, -1 past the last one.
EMSCRIPTEN_KEEPALIVE int webSceneStart(int scene)
{
    return scene >= 0 && scene < kSceneCount ? static_cast<int>(kSceneStarts[scene]) : -1;
}

// The demoTime of the last frame a jump lands on.
EMSCRIPTEN_KEEPALIVE uint32_t webLastFrameTime()
{
    return lastPlayerFrameTime();
}

// The frame of demoTime 0, shown dimmed under the page's start prompt. The
// title scene keeps no state, so drawing it changes nothing that follows.
EMSCRIPTEN_KEEPALIVE void webDrawFirstFrame()
{
    drawGridFrame(demo, 0, kPlayerFps);
}

// The real-time run from the moment on the screen, 0 or where a jump at the
// prompt put it: the clock starts here, with the music.
EMSCRIPTEN_KEEPALIVE int webBegin()
{
    const uint32_t ticks = SDL_GetTicks();
    demo.startTicks = ticks - demo.demoTime;
    usePlatformSound();
    soundInit(0);
    // The jump came before there was any sound: the music, and the cues
    // the timeline has fired, start from there now.
    if (demo.demoTime > 0) soundJump(demo.demoTime, ticks, demo.startTicks, demo.cuePending, demo.cueFiredAt);
    return !webPlatform.quitPending();
}

// One frame for the display refresh; false once the demo has ended. A frame
// with the player's keys to take may be a jump.
EMSCRIPTEN_KEEPALIVE int webStep()
{
    return runTurn(webPlatform, [](uint32_t ticks) { return player->turn(ticks); });
}

// The page hidden, and back: the clock and the sound stop where they are and
// go on from there.
EMSCRIPTEN_KEEPALIVE void webPause(int paused)
{
    player->setPaused(paused != 0, SDL_GetTicks());
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

// A key the page passes on, by its SDL 1.2 key number: Escape and the
// player's keys.
EMSCRIPTEN_KEEPALIVE void webKey(int key, int pressed)
{
    webSendKey(static_cast<SDLKey>(key), pressed != 0);
}

// The next frame of the grid set by webSetGrid, drawn as demo-capture
// draws it. The scene it was drawn in, or -1 once the demo has ended.
EMSCRIPTEN_KEEPALIVE int webGridFrame()
{
    if (quitRequested) return -1;
    const int scene = demo.sceneIndex;
    drawGridFrame(demo, gridFrame++, gridFps);
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
