#include "core/recorder.h"

#include "core/frame_grid.h"
#include "core/frame_loop.h"
#include "core/startup.h"
#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/zoom_blend_effect.h"
#include "random.h"

#include <new>

namespace {
SDL_Surface* surfaceLike(const SDL_Surface* screen)
{
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!surface) throw std::bad_alloc();
    return surface;
}

// The run state of the recording in the calling thread's place for one
// scope, and the thread's own back after it.
class RunStateSwap {
public:
    explicit RunStateSwap(RunState& run) : run(run) { swapRunState(run); }
    ~RunStateSwap() { swapRunState(run); }
    RunStateSwap(const RunStateSwap&) = delete;
    RunStateSwap& operator=(const RunStateSwap&) = delete;

private:
    RunState& run;
};
}  // namespace

Recorder::Recorder(const Demo& live, uint32_t seed) : live(live), seed(seed) {}

Recorder::~Recorder()
{
    if (!started) return;
    Effects& e = demo.effects;
    delete e.fire;
    delete e.zoomBlend;
    delete e.bumpWarp;
    delete e.noise;
    delete e.fountain;
    delete e.lines;
    SDL_FreeSurface(demo.screen);
    SDL_FreeSurface(demo.backBuffer);
}

bool Recorder::laterFramesRead(uint64_t frame)
{
    const auto drawnOver = [](uint64_t f) { return drawsOverLastPicture(sceneAt(frameTime(f, kGridFps))); };
    return drawnOver(frame + 1) || drawnOver(frame + 2);
}

uint64_t Recorder::lastFrame()
{
    return firstFrameAtOrAfter(kFountainSceneEnd, kGridFps) - 1;
}

uint32_t Recorder::lastFrameTime()
{
    return frameTime(lastFrame(), kGridFps);
}

void Recorder::start()
{
    started = true;
    demo.screen = surfaceLike(live.screen);
    demo.backBuffer = surfaceLike(live.screen);
    demo.cuesAudible = false;
    snapshots.reserve(lastFrame() / kSnapshotSpacing + 1);
    // As start-up readies the live demo, in the same order of random draws.
    seedRandom(seed);
    prepareDemo(demo, [this](Pictures& pictures) {
        pictures = live.pictures;
        return true;
    });
}

void Recorder::recordFrames(int frames)
{
    if (!started) start();
    for (int i = 0; i < frames && next <= lastFrame() && !stopped; ++i, ++next) {
        demo.demoTime = frameTime(next, kGridFps);
        // A snapshot keeps this picture or the next frame's, which at a
        // scene's end is this one: that frame draws nothing.
        const bool kept = next % kSnapshotSpacing == 0 || (next + 1) % kSnapshotSpacing == 0;
        renderFrameShowing(demo, kept || laterFramesRead(next));
        if (next % kSnapshotSpacing != 0) continue;
        snapshots.emplace_back();
        takeSnapshot(demo, next, snapshots.back());
    }
}

bool Recorder::record(int frames)
{
    const std::lock_guard<std::mutex> hold(busy);
    if (stopped || next > lastFrame()) return false;
    const RunStateSwap swap(run);
    recordFrames(frames);
    return next <= lastFrame();
}

void Recorder::stop()
{
    stopped = true;
}

uint64_t Recorder::restoreAtOrBefore(uint64_t frame, Demo& target)
{
    const std::lock_guard<std::mutex> hold(busy);
    const Snapshot& snapshot = snapshots[frame / kSnapshotSpacing];
    restoreSnapshot(target, snapshot);
    return snapshot.frame;
}
