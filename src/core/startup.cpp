#include "core/startup.h"

#include "core/picture_check.h"
#include "data_files.h"

#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/picture_blit.h"
#include "effects/zoom_blend_effect.h"
#include "globals.h"
#include "random.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {
constexpr uint32_t kFireColourMask = 0xffa0cf;  // seeds up to full red, some green and blue

// Where each of kPictureFiles goes, in the same order.
SDL_Surface* Pictures::*const kPictureSlots[kPictureCount] = {
    &Pictures::zemblogo, &Pictures::tx1,    &Pictures::tx2,    &Pictures::tx3,    &Pictures::tx4,
    &Pictures::ftx1,     &Pictures::ftx2,   &Pictures::rulltx, &Pictures::pold,   &Pictures::poldtx,
    &Pictures::flare,    &Pictures::mosk,   &Pictures::duvtx1, &Pictures::duvtx2, &Pictures::arsesmile,
    &Pictures::trenbix,
};
}  // namespace

bool prepareDemo(Demo& demo, const std::function<bool(Pictures&)>& loadPictures)
{
    SDL_FillRect(demo.backBuffer, nullptr, 0);
    createEarlyEffects(demo);
    if (!loadPictures(demo.pictures)) return false;
    createLateEffects(demo);
    armTimeline(demo);
    return true;
}

const char* imageError()
{
    return *IMG_GetError() ? IMG_GetError() : "cannot be decoded";
}

Display openDisplay(int width, int height, bool fullscreen)
{
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 32, fullscreen ? SDL_FULLSCREEN : 0);
    if (!screen) return {nullptr, nullptr};
    const SDL_PixelFormat* f = screen->format;
    SDL_Surface* backBuffer =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!backBuffer) throw std::bad_alloc();
    return {screen, backBuffer};
}

void createEarlyEffects(Demo& demo)
{
    Effects& e = demo.effects;
    e.fire = new FireEffect(kScreenWidth, kScreenHeight);
    e.fire->colourMask = kFireColourMask;
    e.zoomBlend = new ZoomBlendEffect(kScreenWidth, kScreenHeight, demo.backBuffer);
    e.zoomBlend->scale = 1;
    e.bumpWarp = new BumpWarpEffect(kScreenWidth, kScreenHeight);
    e.noise = new NoiseEffect(kScreenWidth, kScreenHeight);
}

bool loadPictures(Pictures& pictures)
{
    for (int i = 0; i < kPictureCount; ++i) {
        const char* const file = kPictureFiles[i];
        std::string problem = pictureFileProblem(file);
        SDL_Surface* picture = problem.empty() ? IMG_Load(file) : nullptr;
        if (!picture) {
            if (problem.empty()) problem = imageError();
            fprintf(stderr, "Cannot load %s: %s\n", file, problem.c_str());
            return false;
        }
        pictures.*kPictureSlots[i] = pictureInDisplayLayout(picture);
    }
    return true;
}

void createLateEffects(Demo& demo)
{
    demo.effects.fountain = new FountainEffect(kScreenWidth, kScreenHeight, demo.pictures.flare);
    demo.effects.lines = new LinesEffect(kScreenWidth, kScreenHeight);
}

void armTimeline(Demo& demo)
{
    for (bool& pending : demo.cuePending) pending = true;
    demo.sceneIndex = 0;
}

bool startDemo(Demo& demo, const StartOptions& options)
{
    if (SDL_Init(options.sdlSubsystems) < 0) {
        fprintf(stderr, "Cannot init SDL: %s\n", SDL_GetError());
        return false;
    }
    // Once, however many demos a test process starts.
    [[maybe_unused]] static const int quitAtExit = atexit(SDL_Quit);
    const Display display = options.openDisplay();
    if (!display.screen) {
        fprintf(stderr, "Cannot set %dx%d mode: %s\n", kScreenWidth, kScreenHeight, SDL_GetError());
        return false;
    }
    demo.screen = display.screen;
    demo.backBuffer = display.backBuffer;
    demo.startTicks = SDL_GetTicks();
    seedRandom(options.seed);
    return prepareDemo(demo, options.loadPictures);
}

void releaseDemo(Demo& demo)
{
    delete demo.effects.zoomBlend;
    demo.effects.zoomBlend = nullptr;
    delete demo.effects.bumpWarp;
    demo.effects.bumpWarp = nullptr;
    SDL_FreeSurface(demo.backBuffer);
    demo.backBuffer = nullptr;
}
