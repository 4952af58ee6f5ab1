#include "player/recorder.h"

#include "core/frame.h"
#include "core/frame_grid.h"
#include "core/startup.h"
#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/zoom_blend_effect.h"
#include "random.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {
SDL_Surface* surfaceLike(const SDL_Surface* screen)
{
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!surface) throw std::bad_alloc();
    return surface;
}

// Whether the warp's field at next frame `frame` has moved since start-up
// and a frame of its scene is still to come: then a snapshot keeps its own.
bool keepsWarpField(uint64_t frame)
{
    return frame > firstFrameOf(kWarpScene) && frame <= lastFrameOf(kWarpScene);
}

// Whether a replay from next frame `frame` to grid frame `target` needs the
// warp's field there: it shows a frame of the warp, or the demo plays on into
// one after it.
bool needsWarpField(uint64_t frame, uint64_t target)
{
    return keepsWarpField(frame) && firstFrameShownIn(target) <= lastFrameOf(kWarpScene);
}

// Whether the next frame `frame` draws over the picture before it, and the
// snapshot there is one of those that keep it.
bool keepsPicture(uint64_t frame)
{
    return frame % Recorder::kPictureSpacing == 0 && framesRemembered(sceneAt(frameTime(frame, kPlayerFps))) > 1;
}

// The recording's run state in the calling thread's place for one scope.
class RunStateSwap {
public:
    explicit RunStateSwap(RunState& run) : run(run) { std::swap(runState, run); }
    ~RunStateSwap() { std::swap(runState, run); }
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

void Recorder::start()
{
    started = true;
    demo.screen = surfaceLike(live.screen);
    demo.backBuffer = surfaceLike(live.screen);
    demo.cuesAudible = false;
    // As start-up readies the live demo, in the same order of random draws.
    seedRandom(seed);
    prepareDemo(demo, [this](Pictures& pictures) {
        pictures = live.pictures;
        return true;
    });
    const uint8_t* heights = demo.effects.bumpWarp->heights();
    startHeights = std::make_shared<const std::vector<uint8_t>>(heights, heights + kScreenWidth * kScreenHeight);
    launched = std::make_shared<const Particles>(demo.effects.fountain->particles);
    const std::lock_guard<std::mutex> hold(store);
    snapshots.reserve(lastPlayerFrame() / kSnapshotSpacing + 2);
    keepSnapshot();
}

void Recorder::keepSnapshot()
{
    Snapshot snapshot = takeSnapshot(demo, next);
    if (next <= firstFrameOf(kWarpScene)) snapshot.warpHeights = startHeights;
    const auto ahead = fieldsAhead.find(next);
    if (ahead != fieldsAhead.end()) {
        snapshot.warpHeights = std::move(ahead->second);
        fieldsAhead.erase(ahead);
    }
    snapshot.particles = next <= firstFrameOf(kFountainScene)
                             ? launched
                             : std::make_shared<const Particles>(demo.effects.fountain->particles);
    snapshots.push_back(std::move(snapshot));
}

void Recorder::keepWarpField(uint64_t frame, const uint8_t* heights)
{
    auto field = std::make_shared<const std::vector<uint8_t>>(heights, heights + kScreenWidth * kScreenHeight);
    const std::lock_guard<std::mutex> hold(store);
    const size_t i = frame / kSnapshotSpacing;
    if (i >= snapshots.size()) {
        fieldsAhead.emplace(frame, std::move(field));
    } else if (!snapshots[i].warpHeights) {
        snapshots[i].warpHeights = std::move(field);
    }
}

void Recorder::takeWarpField(uint64_t frame, const uint8_t* field)
{
    if (!keepsWarpField(frame) || frame % kSnapshotSpacing != 0) return;
    const std::lock_guard<std::mutex> hold(busy);
    keepWarpField(frame, field);
    if (pass == Pass::Warp) warpPass->resumeFrom(frame, field);
}

void Recorder::beginPass(Pass begun)
{
    pass = begun;
    if (pass == Pass::Warp) {
        BumpWarpEffect& warp = *demo.effects.bumpWarp;
        warp.setHeights(startHeights->data());
        warpPass = std::make_unique<WarpRecording>(
            warp, [this](uint64_t frame, const uint8_t* field) { keepWarpField(frame, field); });
        // Fields a worker has worked out meanwhile are not worked out again.
        const std::lock_guard<std::mutex> hold(store);
        for (const Snapshot& snapshot : snapshots)
            if (keepsWarpField(snapshot.nextFrame) && snapshot.warpHeights)
                warpPass->resumeFrom(snapshot.nextFrame, snapshot.warpHeights->data());
    } else if (pass == Pass::Picture) {
        uint64_t first = 0;
        for (uint64_t frame = 0; frame <= lastPlayerFrame(); frame += kPictureSpacing) {
            if (!keepsPicture(frame)) continue;
            if (first == 0) first = frame;
            lastPicture = frame;
        }
        if (first == 0) {
            pass = Pass::Done;
            return;
        }
        next = restoreFor(first, demo);
    }
}

bool Recorder::record(int frames)
{
    const std::lock_guard<std::mutex> hold(busy);
    if (stopped || pass == Pass::Done) return false;
    const RunStateSwap swap(run);
    if (!started) start();
    for (int done = 0; done < frames && pass != Pass::Done && !stopped; ++done) {
        if (pass == Pass::Warp) {
            // The whole call's frames at once: the steps' rows are shared out
            // once a call.
            if (!warpPass->record(frames - done, team)) beginPass(Pass::Picture);
            break;
        }
        drawGridFrame(demo, next, kPlayerFps, pass == Pass::Picture);
        ++next;
        if (pass == Pass::Unseen) {
            if (next % kSnapshotSpacing == 0) {
                const std::lock_guard<std::mutex> keep(store);
                keepSnapshot();
            }
            if (next > lastPlayerFrame()) {
                unseenDone = true;
                beginPass(Pass::Warp);
            }
        } else {
            if (keepsPicture(next)) {
                auto picture = takePicture(demo.screen);
                const std::lock_guard<std::mutex> keep(store);
                snapshots[next / kSnapshotSpacing].picture = std::move(picture);
            }
            if (next == lastPicture) pass = Pass::Done;
        }
    }
    return pass != Pass::Done && !stopped;
}

void Recorder::help()
{
    team.serve();
}

void Recorder::stop()
{
    stopped = true;
    team.stop();
}

bool Recorder::serves(const Snapshot& snapshot, uint64_t frame)
{
    const bool picture = snapshot.nextFrame <= firstFrameShownIn(frame) || snapshot.picture;
    return picture && (snapshot.warpHeights || !needsWarpField(snapshot.nextFrame, frame));
}

bool Recorder::reaches(uint64_t frame) const
{
    // The fire replays from far enough back without its picture; the warp's
    // field is waited for rather than replayed from further back.
    if (!unseenDone) return false;
    const std::lock_guard<std::mutex> hold(store);
    const Snapshot& at = snapshots[std::min<size_t>(frame / kSnapshotSpacing, snapshots.size() - 1)];
    return at.warpHeights || !needsWarpField(at.nextFrame, frame);
}

uint64_t Recorder::restoreFor(uint64_t frame, Demo& target)
{
    Snapshot chosen;
    {
        const std::lock_guard<std::mutex> hold(store);
        size_t i = std::min<size_t>(frame / kSnapshotSpacing, snapshots.size() - 1);
        while (i > 0 && !serves(snapshots[i], frame)) --i;
        chosen = snapshots[i];
    }
    restoreSnapshot(target, chosen);
    return chosen.nextFrame;
}
