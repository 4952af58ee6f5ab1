// The player's jump times on the demo's own start-up, display (SDL's dummy
// driver) and sound (SDL's dummy device), the recording on its thread and a
// second one lent to it, as the desktop runs it: the memory the recording's
// snapshots take (the process's resident memory before and after a whole
// recording) and how long it takes; the first jump right after start-up,
// with a fresh recording each time, to each scene's start and to the warp
// scene's last frame, the slowest to reach, with the worst of them; then,
// once the recording is whole, a jump to each scene's start and to twenty
// moments drawn at random: their median and worst. In milliseconds; run
// from the build folder, which holds data/.
#include "core/frame_grid.h"
#include "core/startup.h"
#include "platform/sound_platform.h"
#include "platform/system.h"
#include "player/grid.h"
#include "player/player.h"
#include "player/recorder.h"
#include "sound/sound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
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

// A recording on two threads of its own in the background, as the
// desktop's.
struct Recording {
    Recording(const Demo& demo, uint32_t seed) : recorder(demo, seed)
    {
        recording = std::thread([this] {
            runInBackground();
            while (recorder.record(60)) {
            }
        });
        helping = std::thread([this] {
            runInBackground();
            recorder.help();
        });
    }
    ~Recording()
    {
        recorder.stop();
        if (recording.joinable()) recording.join();
        helping.join();
    }
    // Waits for the whole timeline to be recorded.
    void finish() { recording.join(); }
    Recorder recorder;
    std::thread recording, helping;
};

// A jump, with the turns of a loop that waits for it: the time it takes
// until its frame is on the screen.
double timedJump(Player& player, uint32_t target)
{
    const Clock::time_point start = Clock::now();
    player.jumpTo(target, SDL_GetTicks());
    while (player.isWaiting()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        player.turn(SDL_GetTicks());
    }
    return millisecondsSince(start);
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

    std::vector<uint32_t> firstTargets(std::begin(kSceneStarts), std::end(kSceneStarts));
    firstTargets.push_back(frameTime(lastFrameOf(kWarpScene), kPlayerFps));
    std::vector<uint32_t> targets(std::begin(kSceneStarts), std::end(kSceneStarts));
    std::mt19937 random(1);
    std::uniform_int_distribution<uint32_t> moment(0, lastPlayerFrameTime());
    for (int i = 0; i < 20; ++i) targets.push_back(moment(random));

    const long before = residentKilobytes();
    std::vector<double> jumps;
    double recorded = 0;
    {
        const Clock::time_point recordingStart = Clock::now();
        Recording whole(demo, start.seed);
        whole.finish();
        recorded = millisecondsSince(recordingStart);
        Player player(demo, whole.recorder, SDL_GetTicks);
        printf("snapshots_mb %.1f (resident %.0f MB)\n", (residentKilobytes() - before) / 1024.0,
               residentKilobytes() / 1024.0);
        for (const uint32_t target : targets) jumps.push_back(timedJump(player, target));
    }
    std::sort(jumps.begin(), jumps.end());

    double worstFirst = 0;
    uint32_t worstTarget = 0;
    for (const uint32_t target : firstTargets) {
        Recording fresh(demo, start.seed);
        Player player(demo, fresh.recorder, SDL_GetTicks);
        const double ms = timedJump(player, target);
        printf("first_jump_to_%u_ms %.1f\n", target, ms);
        if (ms > worstFirst) {
            worstFirst = ms;
            worstTarget = target;
        }
    }
    printf("first_jump_ms %.1f (the worst, to %u, at start-up)\n", worstFirst, worstTarget);
    printf("recording_ms %.0f\n", recorded);
    printf("jumps %zu median_ms %.1f worst_ms %.1f\n", jumps.size(),
           (jumps[jumps.size() / 2 - 1] + jumps[jumps.size() / 2]) / 2, jumps.back());
    soundShutdown();
    return 0;
}
