// The demo: start-up, the frame loop over the timeline, shutdown.
#include "driver/frame_loop.h"
#include "driver/startup.h"
#include "platform/sdl/display.h"
#include "platform/sdl/lost_display.h"
#include "random.h"
#include "sound/alsa_messages.h"
#include "sound/sound.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

namespace {
constexpr Uint32 kSdlSubsystems = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE;

int runDemo()
{
    Demo demo;

    preferDisplaySettings();
    if (SDL_Init(kSdlSubsystems) < 0) {
        fprintf(stderr, "Cannot init SDL: %s\n", SDL_GetError());
        exit(1);
    }
    atexit(SDL_Quit);
    endOnLostDisplay();

    // Before the window exists: sdl12-compat queues the events of its
    // creation, and any queued before the filter would stay for good.
    SDL_SetEventFilter(eventFilter);
    setWindowCaptionAndIcon();
    preferWindowScale(kScreenWidth, kScreenHeight);
    const Display display = openFullScreen(kScreenWidth, kScreenHeight);
    if (!display.screen) {
        fprintf(stderr, "Cannot set %dx%d mode: %s\n", kScreenWidth, kScreenHeight, SDL_GetError());
        exit(1);
    }
    demo.screen = display.screen;
    demo.backBuffer = display.backBuffer;

    // The clock starts before the loading: the first frame finds it a quarter
    // of the loading time on. The music follows it from there.
    demo.startTicks = SDL_GetTicks();
    seedRandom(static_cast<uint32_t>(time(nullptr)));
    if (!prepareDemo(demo)) exit(1);
    SDL_ShowCursor(SDL_DISABLE);
    silenceAlsaMessages();
    soundInit(0);

    demo.demoTime = 0;
    runFrameLoop(demo, desktopPlatform());

    // The display goes first: a sound server that holds up the sound's
    // shutdown ends the process there, and the desktop must have its screen
    // back by then.
    releaseDemo(demo);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    soundShutdown();
    return 0;
}
}  // namespace

int main(int, char**)
{
    try {
        return runDemo();
    } catch (const std::bad_alloc&) {
        fprintf(stderr, "Out of memory\n");
        return 1;
    }
}
