// The web build's pixel and picture layer against the native libraries it
// stands in for: SDL 1.2's blit and fill, SDL_gfx's line, SDL_image's
// pictures. Random cases with a fixed seed; every case compares whole
// surfaces and the rectangles SDL writes back.
#include "platform/web/picture_files.h"
#include "platform/web/surface_ops.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace {
constexpr uint32_t kRed = 0xff0000, kGreen = 0xff00, kBlue = 0xff, kAlpha = 0xff000000;

struct Surface {
    explicit Surface(int w, int h, bool alpha)
        : s(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, kRed, kGreen, kBlue, alpha ? kAlpha : 0))
    {
    }
    ~Surface() { SDL_FreeSurface(s); }
    PixelView view() const { return viewOf(s); }
    uint32_t* row(int y) const { return view().row(y); }
    SDL_Surface* s;
};

void fillRandom(const Surface& surface, std::mt19937& random)
{
    for (int y = 0; y < surface.s->h; ++y)
        for (int x = 0; x < surface.s->w; ++x) surface.row(y)[x] = static_cast<uint32_t>(random());
}

// Copies of the target's pixels in plain memory, for the layer to draw on.
std::vector<uint32_t> pixelsOf(const Surface& surface)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < surface.s->h; ++y) out.insert(out.end(), surface.row(y), surface.row(y) + surface.s->w);
    return out;
}

PixelView viewOfCopy(std::vector<uint32_t>& pixels, const Surface& like)
{
    return {pixels.data(), like.s->w * 4, like.s->w, like.s->h};
}

int between(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

SDL_Rect randomClip(std::mt19937& random, int w, int h)
{
    const int x = between(random, 0, w - 1);
    const int y = between(random, 0, h - 1);
    return {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(between(random, 0, w - x)),
            static_cast<Uint16>(between(random, 0, h - y))};
}

void expectSameRect(const SDL_Rect& a, const SDL_Rect& b, int trial)
{
    EXPECT_EQ(a.x, b.x) << "trial " << trial;
    EXPECT_EQ(a.y, b.y) << "trial " << trial;
    EXPECT_EQ(a.w, b.w) << "trial " << trial;
    EXPECT_EQ(a.h, b.h) << "trial " << trial;
}

class WebLayer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE), 0); }
    std::mt19937 random{20240611};
};
}  // namespace

// Every source, destination and alpha value for each channel: 256 blits of
// 256 x 256 pixels, source channel = x, destination channel = y.
TEST_F(WebLayer, AlphaBlendMatchesSdlForEveryValue)
{
    Surface source(256, 256, true), target(256, 256, false);
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t y = 0; y < 256; ++y)
            for (uint32_t x = 0; x < 256; ++x) {
                source.row(y)[x] = alpha << 24 | x << 16 | (255 - x) << 8 | x;
                target.row(y)[x] = (x ^ y) << 24 | y << 16 | y << 8 | (255 - y);
            }
        std::vector<uint32_t> mine = pixelsOf(target);
        blendPixels(source.view(), viewOfCopy(mine, target));
        ASSERT_EQ(SDL_UpperBlit(source.s, nullptr, target.s, nullptr), 0);
        ASSERT_EQ(mine, pixelsOf(target)) << "alpha " << alpha;
    }
}

// Whole-picture blits of random sizes to random places, some far outside or
// near the 16-bit limits, through random clip rectangles; with alpha (the
// Targa pictures) and without (the converted JPEGs).
TEST_F(WebLayer, BlitClipsWritesBackAndDrawsAsSdl)
{
    Surface target(200, 150, false);
    for (int trial = 0; trial < 1000; ++trial) {
        const bool alpha = trial % 2 == 0;
        Surface source(between(random, 1, 260), between(random, 1, 200), alpha);
        fillRandom(source, random);
        fillRandom(target, random);
        const SDL_Rect clip = randomClip(random, 200, 150);
        SDL_SetClipRect(target.s, &clip);
        const int reach = trial % 10 == 0 ? 32767 : 400;
        SDL_Rect theirs = {static_cast<Sint16>(between(random, -reach, reach)),
                           static_cast<Sint16>(between(random, -reach, reach)), 7, 9};
        SDL_Rect ours = theirs;

        std::vector<uint32_t> mine = pixelsOf(target);
        const PixelView view = viewOfCopy(mine, target);
        SDL_Rect from;
        if (clipBlit(source.s->w, source.s->h, target.s->clip_rect, ours, from)) {
            const PixelView in = subView(source.view(), from), out = subView(view, ours);
            if (alpha) blendPixels(in, out);
            else copyPixels(in, out);
        }
        ASSERT_EQ(SDL_UpperBlit(source.s, nullptr, target.s, &theirs), 0);
        expectSameRect(ours, theirs, trial);
        ASSERT_EQ(mine, pixelsOf(target)) << "trial " << trial;
    }
}

TEST_F(WebLayer, FillClipsWritesBackAndDrawsAsSdl)
{
    Surface target(120, 90, false);
    for (int trial = 0; trial < 2000; ++trial) {
        fillRandom(target, random);
        const SDL_Rect clip = randomClip(random, 120, 90);
        SDL_SetClipRect(target.s, &clip);
        SDL_Rect theirs = {static_cast<Sint16>(between(random, -150, 150)),
                           static_cast<Sint16>(between(random, -150, 150)),
                           static_cast<Uint16>(between(random, 0, 200)), static_cast<Uint16>(between(random, 0, 200))};
        SDL_Rect ours = theirs;
        const uint32_t pixel = static_cast<uint32_t>(random());
        std::vector<uint32_t> mine = pixelsOf(target);
        if (clipFill(target.s->clip_rect, ours)) fillPixels(subView(viewOfCopy(mine, target), ours), pixel);
        ASSERT_EQ(SDL_FillRect(target.s, &theirs, pixel), 0);
        expectSameRect(ours, theirs, trial);
        ASSERT_EQ(mine, pixelsOf(target)) << "trial " << trial;
    }
}

// Lines of every slope, straight lines and points, mostly crossing the clip
// rectangle, some with ends far outside it.
TEST_F(WebLayer, LineDrawsTheSamePixelsAsSdlGfx)
{
    Surface target(160, 120, false);
    int differing = 0;
    for (int trial = 0; trial < 8000; ++trial) {
        fillRandom(target, random);
        const SDL_Rect clip = trial % 4 == 0 ? SDL_Rect{0, 0, 160, 120} : randomClip(random, 160, 120);
        SDL_SetClipRect(target.s, &clip);
        const int reach = trial % 50 == 0 ? 32000 : 260;
        Sint16 c[4];
        for (Sint16& v : c) v = static_cast<Sint16>(between(random, -reach, reach));
        if (trial % 7 == 0) c[2] = c[0];
        if (trial % 11 == 0) c[3] = c[1];
        const uint32_t rgb = static_cast<uint32_t>(random()) & 0xffffff;
        std::vector<uint32_t> mine = pixelsOf(target);
        drawLine(viewOfCopy(mine, target), target.s->clip_rect, c[0], c[1], c[2], c[3], rgb);
        lineColor(target.s, c[0], c[1], c[2], c[3], rgb << 8 | 0xff);
        if (mine != pixelsOf(target)) {
            ADD_FAILURE() << "line " << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
            if (++differing == 5) return;
        }
    }
}

// Every picture of data/ as the browser reads it against SDL_image's
// decoding converted to the display's layout, as start-up converts it.
TEST_F(WebLayer, PicturesDecodeAsSdlImageDoes)
{
    SDL_Surface* screen = SDL_SetVideoMode(64, 48, 32, 0);
    ASSERT_NE(screen, nullptr);
    const char* names[] = {"zemblogo.jpg", "tx1.jpg", "tx2.jpg", "tx3.jpg", "tx4.jpg", "ftx1.tga",
                           "ftx2.tga", "rulltx.tga", "pold.tga", "poldtx.tga", "flare.tga", "mosk.tga",
                           "duvtx1.tga", "duvtx2.tga", "arsesmile.tga", "trenbix.tga"};
    const std::string dir = testing::TempDir() + "web_layer_pictures/";
    ASSERT_EQ(system(("mkdir -p " + dir).c_str()), 0);
    for (const char* name : names) {
        const std::string original = std::string(DEMO_DATA_DIR) + "/" + name;
        const std::string path = dir + name;
        ASSERT_EQ(system(("cp " + original + " " + path).c_str()), 0);
        std::string error;
        if (strstr(name, ".jpg")) {
            ASSERT_TRUE(writeLosslessJpeg(path, error)) << error;
        }
        DecodedPicture mine;
        ASSERT_TRUE(decodePicture(path, mine, error)) << name << ": " << error;

        SDL_Surface* loaded = IMG_Load(original.c_str());
        ASSERT_NE(loaded, nullptr) << name;
        EXPECT_EQ(mine.hasAlpha, loaded->format->Amask != 0) << name;
        SDL_Surface* theirs = loaded->format->Amask ? loaded : SDL_DisplayFormat(loaded);
        ASSERT_EQ(mine.width, theirs->w);
        ASSERT_EQ(mine.height, theirs->h);
        SDL_LockSurface(theirs);
        int wrong = 0;
        for (int y = 0; y < theirs->h; ++y)
            for (int x = 0; x < theirs->w; ++x)
                wrong += mine.pixels[static_cast<size_t>(y) * theirs->w + x] != viewOf(theirs).row(y)[x];
        SDL_UnlockSurface(theirs);
        EXPECT_EQ(wrong, 0) << name;
        if (theirs != loaded) SDL_FreeSurface(theirs);
        SDL_FreeSurface(loaded);
    }
}
