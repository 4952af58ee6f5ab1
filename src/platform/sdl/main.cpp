// The demo on a desktop: start-up, the frame loop over the timeline, shutdown.
#include "core/frame_loop.h"
#include "core/startup.h"
#include "player/player.h"
#include "player/recorder.h"
#include "platform/sdl/display.h"
#include "platform/sound_platform.h"
#include "platform/system.h"
#include "sound/sound.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <thread>

namespace {
// Frames the recording draws in one call: its warp's steps are taken, their
// rows shared out, once a call.
constexpr int kRecordingBatch = 60;

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

    // The player's recording runs beside the demo, on a thread of its own,
    // and a second core, where there is one, takes part in its warp; both
    // give way to the live demo.
    Recorder recorder(demo, start.seed);
    std::thread recording([&recorder] {
        runInBackground();
        while (recorder.record(kRecordingBatch)) {
        }
    });
    std::thread helping;
    if (std::thread::hardware_concurrency() > 1) {
        helping = std::thread([&recorder] {
            runInBackground();
            recorder.help();
        });
    }
    const Platform platform = desktopPlatform(demo.screen);
    Player player(demo, recorder, platform.ticks);

    demo.demoTime = 0;
    runFrameLoop(demo, platform, [&player](uint32_t ticks) { return player.turn(ticks); });
    recorder.stop();
    recording.join();
    if (helping.joinable()) helping.join();

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
