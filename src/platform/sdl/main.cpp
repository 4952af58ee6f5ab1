// The demo on a desktop: start-up, the frame loop over the timeline, shutdown.
#include "core/frame_loop.h"
#include "core/player.h"
#include "core/recorder.h"
#include "core/startup.h"
#include "platform/sdl/display.h"
#include "platform/sound_platform.h"
#include "sound/sound.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <thread>

namespace {
// Frames the recording draws between two looks at its lock: a jump waits
// for no more than that.
constexpr int kRecordingBatch = 30;

int runDemo()
{
    Demo demo;
    preferDisplaySettings();
    StartOptions start;
    start.sdlSubsystems = SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE;
    start.seed = static_cast<uint32_t>(time(nullptr));
    start.openDisplay = openDesktopDisplay;
    if (!startDemo(demo, start)) exit(1);
    usePlatformSound();
    soundInit(0);

    // The player's recording runs beside the demo, on a thread of its own.
    Recorder recorder(demo, start.seed);
    std::thread recording([&recorder] {
        while (recorder.record(kRecordingBatch)) {
        }
    });
    const Platform platform = desktopPlatform(demo.screen);
    Player player(demo, recorder, platform.ticks);

    demo.demoTime = 0;
    runFrameLoop(demo, platform, &player);
    recorder.stop();
    recording.join();

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
