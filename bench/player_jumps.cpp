// The player's jump times on the demo's own start-up, display (SDL's dummy
// driver) and sound (SDL's dummy device): the first jump right after
// start-up, to the last scene's start, while the recording has only begun;
// then, once it is whole, a jump to each scene's start and twenty moments
// drawn at random, in milliseconds; the recording's time, how far into the
// timeline it is 250 ms after start-up (a first jump up to there takes no
// longer) and the memory its snapshots take. Run from the build folder,
// which holds data/.
#include "core/frame_grid.h"
#include "core/player.h"
#include "core/recorder.h"
#include "core/startup.h"
#include "platform/sound_platform.h"
#include "sound/sound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's resident memory, from the kernel's account of it.
long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}
}  // namespace

int main()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    Demo demo;
    StartOptions start;
    start.sdlSubsystems |= SDL_INIT_TIMER;
    if (!startDemo(demo, start)) return 1;
    usePlatformSound();
    soundInit(0);
    const long before = residentKilobytes();

    Recorder recorder(demo, start.seed);
    const Clock::time_point recordingStart = Clock::now();
    std::thread recording([&recorder] {
        while (recorder.record(30)) {
        }
    });
    Player player(demo, recorder, SDL_GetTicks);
    Clock::time_point t = Clock::now();
    // As the frame loop looks for it while the jump waits for the recording.
    player.jumpTo(kSceneStarts[kSceneCount - 1], SDL_GetTicks());
    uint64_t inTime = 0;  // how far a first jump can go within 250 ms
    while (player.isWaiting()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
        if (millisecondsSince(t) < 250) inTime = recorder.framesRecorded();
        player.takeKeys(SDL_GetTicks());
    }
    const double first = millisecondsSince(t);
    recording.join();
    const double recorded = millisecondsSince(recordingStart);

    std::vector<uint32_t> targets(std::begin(kSceneStarts), std::end(kSceneStarts));
    std::mt19937 random(1);
    std::uniform_int_distribution<uint32_t> moment(0, kFountainSceneEnd - 1);
    for (int i = 0; i < 20; ++i) targets.push_back(moment(random));
    std::vector<double> times;
    for (const uint32_t target : targets) {
        t = Clock::now();
        player.jumpTo(target, SDL_GetTicks());
        times.push_back(millisecondsSince(t));
    }
    std::sort(times.begin(), times.end());
    printf("first_jump_ms %.1f (to %u, at start-up)\n", first, kSceneStarts[kSceneCount - 1]);
    printf("recording_ms %.0f\n", recorded);
    printf("recorded_in_250ms_s %.1f\n", frameTime(inTime, Recorder::kGridFps) / 1000.0);
    printf("jumps %zu median_ms %.1f worst_ms %.1f\n", times.size(),
           (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2, times.back());
    printf("snapshots_mb %.0f\n", (residentKilobytes() - before) / 1024.0);
    soundShutdown();
    return 0;
}
