// Turns its input into a picture of any size and pixel format, puts it in
// the display's layout as start-up does and in every picture slot (the flare
// included), and draws frames of the scenes at times taken from the input.
#include "core/frame_loop.h"
#include "core/picture_check.h"
#include "core/startup.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/picture_blit.h"
#include "globals.h"
#include "random.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
// Larger pictures only make each input slower; their positions are what
// matters, and widths and heights up to the loader's limits stay possible.
constexpr int64_t kPixelBudget = int64_t{1} << 20;
constexpr uint32_t kTimelineEnd = 110000;
constexpr int kMaxFrames = 8;

Demo demo;

class Input {
public:
    Input(const uint8_t* data, size_t size) : data(data), size(size) {}
    uint32_t take(int bytes)
    {
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value = value << 8 | (at < size ? data[at++] : 0);
        return value;
    }
    bool empty() const { return at >= size; }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

struct Format {
    int depth;
    Uint32 r, g, b, a;
    Uint32 flags;  // SDL_SRCALPHA, SDL_SRCCOLORKEY, SDL_RLEACCEL
    Uint8 surfaceAlpha;
};

const Format kFormats[] = {
    {8, 0, 0, 0, 0, 0, 255},
    {8, 0, 0, 0, 0, SDL_SRCCOLORKEY | SDL_RLEACCEL, 255},
    {15, 0x7c00, 0x03e0, 0x001f, 0, 0, 255},
    {16, 0xf800, 0x07e0, 0x001f, 0, SDL_SRCCOLORKEY, 255},
    {16, 0x0f00, 0x00f0, 0x000f, 0xf000, SDL_SRCALPHA, 255},
    {24, 0xff0000, 0xff00, 0xff, 0, 0, 255},
    {24, 0xff, 0xff00, 0xff0000, 0, SDL_SRCALPHA, 100},
    {32, 0xff0000, 0xff00, 0xff, 0, 0, 255},
    {32, 0xff0000, 0xff00, 0xff, 0xff000000, SDL_SRCALPHA, 255},
    {32, 0xff000000, 0xff0000, 0xff00, 0xff, SDL_SRCALPHA | SDL_RLEACCEL, 255},
    {32, 0xff0000, 0xff00, 0xff, 0, SDL_SRCALPHA, 128},
    {32, 0xff0000, 0xff00, 0xff, 0, SDL_SRCCOLORKEY | SDL_RLEACCEL, 255},
};

SDL_Surface* makePicture(Input& in)
{
    const Format& f = kFormats[in.take(1) % std::size(kFormats)];
    const int width = 1 + static_cast<int>(in.take(2) % kMaxPictureWidth);
    int height = 1 + static_cast<int>(in.take(2) % kMaxPictureHeight);
    if (int64_t{width} * height > kPixelBudget) height = static_cast<int>(std::max<int64_t>(1, kPixelBudget / width));
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, f.depth, f.r, f.g, f.b, f.a);
    if (!picture) return nullptr;
    if (f.depth == 8) {
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i) colours[i] = {Uint8(i), Uint8(255 - i), Uint8(i * 3), 0};
        SDL_SetColors(picture, colours, 0, 256);
    }
    const uint8_t seed = static_cast<uint8_t>(in.take(1));
    auto* pixels = static_cast<uint8_t*>(picture->pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < picture->pitch; ++x) pixels[y * picture->pitch + x] = static_cast<uint8_t>(seed + x * 3 + y);
    if (f.flags & SDL_SRCCOLORKEY) SDL_SetColorKey(picture, f.flags & (SDL_SRCCOLORKEY | SDL_RLEACCEL), seed);
    if (f.flags & SDL_SRCALPHA) SDL_SetAlpha(picture, f.flags & (SDL_SRCALPHA | SDL_RLEACCEL), f.surfaceAlpha);
    return picture;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0) abort();
    const Display display = openDisplay(640, 480, false);
    if (!display.screen) abort();
    demo.screen = display.screen;
    demo.backBuffer = display.backBuffer;
    seedRandom(1);
    createEarlyEffects(demo);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    SDL_Surface* made = makePicture(in);
    if (!made) return 0;
    // As start-up puts every loaded picture.
    SDL_Surface* picture = pictureInDisplayLayout(made);
    Pictures& p = demo.pictures;
    for (SDL_Surface** slot : {&p.zemblogo, &p.tx1, &p.tx2, &p.tx3, &p.tx4, &p.ftx1, &p.ftx2, &p.rulltx, &p.pold,
                               &p.poldtx, &p.flare, &p.mosk, &p.duvtx1, &p.duvtx2, &p.arsesmile, &p.trenbix})
        *slot = picture;
    createLateEffects(demo);
    armTimeline(demo);
    quitRequested = 0;
    runState.fountainPreviousTime = 0;

    // Each frame at its own time: mostly inside the timeline, sometimes
    // anywhere in 32 bits, as after a stall or a clock that wrapped.
    for (int frame = 0; frame < kMaxFrames && !in.empty(); ++frame) {
        const uint32_t raw = in.take(4);
        const uint32_t t = raw & 0x80000000u ? raw : raw % kTimelineEnd;
        demo.demoTime = t;
        demo.sceneIndex = t < kFountainSceneEnd ? sceneAt(t) : kEndState;
        drawFrame(demo);
    }

    delete demo.effects.fountain;
    delete demo.effects.lines;
    demo.effects.fountain = nullptr;
    demo.effects.lines = nullptr;
    SDL_FreeSurface(picture);
    return 0;
}
