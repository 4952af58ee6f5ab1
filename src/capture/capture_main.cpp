// demo-capture: renders the demo frame-exact, from demoTime 0 on a fixed frame
// grid, to pictures, to a video with its soundtrack, or to frame-time figures.
// The frames are drawn by the demo's own scene switch, exactly as it would
// flip them; nothing needs a display or a sound device.
#include "capture/capture_options.h"
#include "capture/frame_output.h"
#include "capture/frame_stats.h"
#include "capture/progress.h"
#include "driver/frame_loop.h"
#include "driver/startup.h"
#include "globals.h"
#include "random.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
void die(const std::string& message)
{
    fprintf(stderr, "demo-capture: %s\n", message.c_str());
    exit(1);
}

void startDemo(Demo& demo, unsigned seed)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0) die(std::string("Cannot init SDL: ") + SDL_GetError());
    atexit(SDL_Quit);
    const Display display = openDisplay(kScreenWidth, kScreenHeight, false);
    if (!display.screen) die(std::string("Cannot set 640x480 mode: ") + SDL_GetError());
    demo.screen = display.screen;
    demo.backBuffer = display.backBuffer;
    seedRandom(seed);
    if (!prepareDemo(demo)) exit(1);
}

// The cues of every event that fired during the last frame, in play order.
void logFiredCues(const Demo& demo, const bool (&pendingBefore)[kCueEventCount], CueLog& log)
{
    for (int id = 0; id < kCueEventCount; ++id) {
        if (!pendingBefore[id] || demo.cuePending[id]) continue;
        const CueEvent& event = kCueEvents[id];
        for (int i = 0; i < event.cueCount; ++i) log.emplace_back(demo.demoTime, event.cues[i]);
    }
}

std::string pathIn(const std::string& dir, const std::string& name)
{
    return dir + "/" + name;
}

std::string frameFileName(uint64_t n)
{
    char name[32];
    snprintf(name, sizeof name, "%06llu.png", static_cast<unsigned long long>(n));
    return name;
}

// Frames until the end: the first at or after the last scene's end moves to
// the end state, and one black frame follows.
uint64_t framesToRender(const CaptureOptions& options)
{
    if (!options.at.empty()) return firstFrameAtOrAfter(options.at.back(), options.fps) + 1;
    return firstFrameAtOrAfter(kFountainSceneEnd, options.fps) + 2;
}

int runCapture(const CaptureOptions& options)
{
    Demo demo;
    startDemo(demo, options.seed);

    const bool writesFiles = !options.stats && (options.all || !options.at.empty() || options.cues);
    if (writesFiles) mkdir(options.outDir.c_str(), 0777);

    VideoEncoder video;
    const std::string silentVideo = options.video + ".silent.mp4";
    std::string error;
    if (!options.video.empty() && !video.open(silentVideo, options.fps, error)) die(error);

    const uint64_t total = framesToRender(options);
    Progress progress(total);
    FrameStats stats;
    CueLog cues;
    size_t nextAt = 0;
    quitRequested = 0;
    for (uint64_t n = 0; n < total && !quitRequested; ++n) {
        demo.demoTime = frameTime(n, options.fps);
        bool pendingBefore[kCueEventCount];
        std::copy(std::begin(demo.cuePending), std::end(demo.cuePending), pendingBefore);
        const int scene = demo.sceneIndex;

        const FrameStats::Clock::time_point start = FrameStats::Clock::now();
        drawFrame(demo);
        stats.add(scene, FrameStats::Clock::now() - start);
        logFiredCues(demo, pendingBefore, cues);

        if (options.all && !writePng(pathIn(options.outDir, frameFileName(n)), demo.screen))
            die("cannot write pictures to " + options.outDir);
        if (!options.stats && nextAt < options.at.size() && options.at[nextAt] == demo.demoTime) {
            if (!writePng(pathIn(options.outDir, std::to_string(demo.demoTime) + ".png"), demo.screen))
                die("cannot write pictures to " + options.outDir);
            ++nextAt;
        }
        if (!options.video.empty()) video.writeFrame(demo.screen);
        progress.update(n + 1);
    }
    progress.finish();

    if (options.cues && !writeCueLog(pathIn(options.outDir, "cues.tsv"), cues)) die("cannot write cues.tsv");
    if (!options.video.empty()) {
        if (!video.close()) die("ffmpeg failed to encode the video");
        const auto durationMs = static_cast<uint32_t>(total * 1000 / static_cast<uint64_t>(options.fps));
        const bool done = addSoundtrack(silentVideo, options.video, cues, durationMs, error);
        remove(silentVideo.c_str());
        if (!done) die(error);
    }
    if (options.stats) stats.print(stdout);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    CaptureOptions options;
    std::string message;
    bool help = false;
    if (!parseCaptureOptions(argc, argv, options, message, help)) {
        fputs(message.c_str(), help ? stdout : stderr);
        if (!help) fputc('\n', stderr);
        return help ? 0 : 2;
    }
    if (options.stats) {
        // Frame times only: no pictures, cue log or video, whatever else was asked.
        options.all = false;
        options.cues = false;
        options.video.clear();
    }
    try {
        return runCapture(options);
    } catch (const std::bad_alloc&) {
        die("out of memory");
    }
    return 1;
}
