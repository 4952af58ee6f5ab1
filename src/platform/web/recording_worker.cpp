// The page's recording worker (site/recording-worker.js): the warp's fields
// of the player's recording for the run's seed (player/warp_recording.h),
// worked out on a core beside the page's and handed over one by one, so
// that a jump or a link into the warp scene does not wait for the page's
// idle time to work them out.
#include "core/startup.h"
#include "player/warp_recording.h"
#include "random.h"

#include <emscripten.h>

#include <memory>
#include <new>

namespace {
Demo demo;
std::unique_ptr<WarpRecording> warp;
uint64_t keptFrame = 0;
const uint8_t* keptField = nullptr;

SDL_Surface* surface()
{
    SDL_Surface* made = SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, 32, 0xff0000, 0xff00, 0xff, 0);
    if (!made) throw std::bad_alloc();
    return made;
}
}  // namespace

extern "C" {

// Readies the effects as the page's start-up does for `seed`, in the same
// order of random draws; no picture draws on the sequence, so none is loaded.
EMSCRIPTEN_KEEPALIVE void workerStart(unsigned seed)
{
    demo.screen = surface();
    demo.backBuffer = surface();
    seedRandom(seed);
    prepareDemo(demo, [](Pictures&) { return true; });
    warp = std::make_unique<WarpRecording>(*demo.effects.bumpWarp, [](uint64_t frame, const uint8_t* field) {
        keptFrame = frame;
        keptField = field;
    });
}

// Works out the next field: the next frame it is the snapshot's of, 0 once
// every one is out. The field is at workerField() until the next call.
EMSCRIPTEN_KEEPALIVE uint32_t workerNextField()
{
    keptFrame = 0;
    RowSplit whole;
    while (keptFrame == 0 && warp->record(1, whole)) {
    }
    return static_cast<uint32_t>(keptFrame);
}

EMSCRIPTEN_KEEPALIVE const uint8_t* workerField()
{
    return keptField;
}
}
