// demo-capture: renders the demo frame-exact, from demoTime 0 on a fixed frame
// grid, to pictures, to a video with its soundtrack, or to frame-time figures.
// The frames are drawn by the demo's own scene switch, exactly as it would
// show them; nothing needs a display or a sound device. Every frame is drawn,
// even outside the range that is written, since the effects advance once per
// frame.
#include "capture/capture_options.h"
#include "capture/frame_canvas.h"
#include "capture/frame_output.h"
#include "capture/frame_stats.h"
#include "capture/progress.h"
#include "core/frame_grid.h"
#include "core/startup.h"
#include "globals.h"
#include "platform/sound_platform.h"
#include "platform/system.h"
#include "sound/sound.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

namespace fs = std::filesystem;

namespace {
void die(const std::string& message)
{
    fprintf(stderr, "demo-capture: %s\n", message.c_str());
    exit(1);
}

// The cues the timeline has played, as the sound heard them.
CueLog cues;

void logCue(uint32_t demoTime, int index)
{
    cues.emplace_back(demoTime, index);
}

// Output paths are the user's, relative to the working directory where the
// capture started; --data then moves the working directory to the data.
// std::filesystem knows what makes a path absolute where the capture runs.
void enterDataDir(CaptureOptions& options)
{
    if (options.dataDir.empty()) return;
    std::error_code error;
    const fs::path started = fs::current_path(error);
    if (error) die("cannot read the working directory");
    for (std::string* path : {&options.outDir, &options.video})
        if (!path->empty() && fs::path(*path).is_relative()) *path = (started / *path).string();
    fs::current_path(options.dataDir, error);
    if (error) die("cannot enter the data folder " + options.dataDir);
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
    setEnvironment("SDL_VIDEODRIVER", "dummy", true);
    StartOptions start;
    start.seed = options.seed;
    if (!startDemo(demo, start)) exit(1);
    setCueListener(logCue);
    // A video's soundtrack is the demo's own mix, rendered once the frames
    // are done.
    if (!options.video.empty()) {
        usePlatformSound(offlineAudioDevice());
        soundInit(0);
    }

    // Frames first..end-1 are written or encoded.
    const uint64_t first = firstFrameAtOrAfter(options.from, options.fps);
    const uint64_t end = std::min(framesToRender(options), firstFrameAtOrAfter(options.to, options.fps));
    if (first >= end) die("no frame to write: --from lies after the end of the demo or --from..--to holds no frame");

    const bool writesFiles = !options.stats && (options.all || !options.at.empty() || options.cues);
    std::error_code ignored;  // a folder that cannot be made fails at its first file
    if (writesFiles) fs::create_directory(options.outDir, ignored);

    FrameCanvas canvas(options.scale, options.width, options.height, kScreenWidth, kScreenHeight);
    VideoEncoder video;
    const std::string silentVideo = options.video + ".silent.mp4";
    std::string error;
    if (!options.video.empty() && !video.open(silentVideo, options.fps, canvas.width(), canvas.height(), error))
        die(error);

    Progress progress(end - first);
    FrameStats stats;
    size_t nextAt = 0;
    quitRequested = 0;
    for (uint64_t n = 0; n < end && !quitRequested; ++n) {
        const int scene = demo.sceneIndex;
        const FrameStats::Clock::time_point start = FrameStats::Clock::now();
        drawGridFrame(demo, n, options.fps);
        stats.add(scene, FrameStats::Clock::now() - start);
        if (n < first) continue;

        const bool atWanted = !options.stats && nextAt < options.at.size() && options.at[nextAt] == demo.demoTime;
        if (options.all || atWanted || !options.video.empty()) canvas.place(demo.screen);
        if (options.all && !writePng(pathIn(options.outDir, frameFileName(n)), canvas))
            die("cannot write pictures to " + options.outDir);
        if (atWanted) {
            if (!writePng(pathIn(options.outDir, std::to_string(demo.demoTime) + ".png"), canvas))
                die("cannot write pictures to " + options.outDir);
            ++nextAt;
        }
        if (!options.video.empty()) video.writeFrame(canvas);
        progress.update(n + 1 - first);
    }
    progress.finish();

    if (options.cues && !writeCueLog(pathIn(options.outDir, "cues.tsv"), cues)) die("cannot write cues.tsv");
    if (!options.video.empty()) {
        if (!video.close()) die("ffmpeg failed to encode the video");
        const double fps = options.fps;
        const bool done = addSoundtrack(silentVideo, options.video, first / fps, (end - first) / fps, error);
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
    enterDataDir(options);
    try {
        return runCapture(options);
    } catch (const std::bad_alloc&) {
        die("out of memory");
    }
    return 1;
}
