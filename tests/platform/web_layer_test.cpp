// The web build's pixel and picture layer against the native libraries it
// stands in for: SDL 1.2's fill (held to classic SDL's, support/fixed_oracle.h),
// SDL_gfx's line and SDL_image's pictures. Random cases with a fixed seed;
// every case compares whole surfaces and the rectangles SDL writes back.
#include "data_files.h"
#include "effects/pixel_buffer.h"
#include "platform/sdl_libs/gfx_line.h"
#include "platform/web/pcm_samples.h"
#include "platform/web/picture_files.h"
#include "platform/web/surface_ops.h"
#include "support/fixed_oracle.h"
#include "support/test_support.h"
#include "webjpegs/jpeg_to_png.h"

#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr uint32_t kRed = 0xff0000, kGreen = 0xff00, kBlue = 0xff;

class WebLayer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE), 0); }
};
}  // namespace

TEST_F(WebLayer, FillClipsWritesBackAndDrawsAsClassicSdl)
{
    CaseDraws draws(20240611);
    PixelBuffer pixels(120, 90, 0);
    const PixelView target = pixels.view();
    Digest digest;
    for (int trial = 0; trial < 2000; ++trial) {
        draws.fill(target);
        const SDL_Rect clip = draws.clip(120, 90);
        SDL_Rect rect = {static_cast<Sint16>(draws.between(-150, 150)), static_cast<Sint16>(draws.between(-150, 150)),
                         static_cast<Uint16>(draws.between(0, 200)), static_cast<Uint16>(draws.between(0, 200))};
        const uint32_t pixel = draws.next();
        if (clipFill(clip, rect)) fillPixels(subView(target, rect), pixel);
        digest.add(rect);
        digest.add(target);
    }
    EXPECT_EQ(digest.value(), 0xe16d75fau);
}

// Lines of every slope, straight lines and points, mostly crossing the clip
// rectangle, some with ends far outside it.
TEST_F(WebLayer, LineDrawsTheSamePixelsAsSdlGfx)
{
    CaseDraws draws(20240611);
    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, 160, 120, 32, kRed, kGreen, kBlue, 0);
    std::vector<uint32_t> mine(160 * 120);
    const PixelView ours{mine.data(), 160 * 4, 160, 120};
    int differing = 0;
    for (int trial = 0; trial < 8000 && differing < 5; ++trial) {
        draws.fill(viewOf(target));
        const SDL_Rect clip = trial % 4 == 0 ? SDL_Rect{0, 0, 160, 120} : draws.clip(160, 120);
        SDL_SetClipRect(target, &clip);
        const int reach = trial % 50 == 0 ? 32000 : 260;
        Sint16 c[4];
        for (Sint16& v : c) v = static_cast<Sint16>(draws.between(-reach, reach));
        if (trial % 7 == 0) c[2] = c[0];
        if (trial % 11 == 0) c[3] = c[1];
        const uint32_t rgb = draws.next() & 0xffffff;
        for (int y = 0; y < 120; ++y) std::copy_n(viewOf(target).row(y), 160, ours.row(y));
        drawLine(ours, target->clip_rect, c[0], c[1], c[2], c[3], rgb);
        lineColor(target, c[0], c[1], c[2], c[3], rgb << 8 | 0xff);
        bool same = true;
        for (int y = 0; y < 120; ++y) same = same && std::equal(ours.row(y), ours.row(y) + 160, viewOf(target).row(y));
        if (!same) {
            ADD_FAILURE() << "line " << c[0] << "," << c[1] << " to " << c[2] << "," << c[3];
            ++differing;
        }
    }
    SDL_FreeSurface(target);
}

// Every picture of data/ as the browser reads it against SDL_image's
// decoding converted to the display's layout, as start-up converts it.
TEST_F(WebLayer, PicturesDecodeAsSdlImageDoes)
{
    // The test screen, not a mode of its own: a new mode would resize the one
    // display surface that the other tests draw on.
    ASSERT_NE(testScreen(), nullptr);
    const std::string dir = testing::TempDir() + "web_layer_pictures/";
    ASSERT_EQ(system(("mkdir -p " + dir).c_str()), 0);
    for (const char* file : kPictureFiles) {
        const char* const name = dataName(file);
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
        // Mine are 0xAARRGGBB values; SDL_image's layout with alpha follows
        // the machine's byte order, so theirs are compared by their colours.
        for (int y = 0; y < theirs->h; ++y)
            for (int x = 0; x < theirs->w; ++x) {
                uint8_t r, g, b, a;
                SDL_GetRGBA(viewOf(theirs).row(y)[x], theirs->format, &r, &g, &b, &a);
                const uint32_t alpha = theirs->format->Amask ? uint32_t{a} << 24 : 0;
                wrong += mine.pixels[static_cast<size_t>(y) * theirs->w + x] != (alpha | r << 16 | g << 8 | b);
            }
        SDL_UnlockSurface(theirs);
        EXPECT_EQ(wrong, 0) << name;
        if (theirs != loaded) SDL_FreeSurface(theirs);
        SDL_FreeSurface(loaded);
    }
}

// The samples the page used to make itself: halves round up, the ends clamp.
TEST(WebSamples, InterleaveRoundsAsThePageDid)
{
    const float left[] = {0.5f / 32768, -0.5f / 32768, -1.5f / 32768, 1.0f, -1.0f, -2.0f, std::nanf("")};
    const float right[] = {1.49f / 32768, 0.25f, -0.0f, 0.99999f, 32767.5f / 32768, 3.0f, 0.0f};
    int16_t out[14];
    interleaveSamples(left, right, 7, out);
    const int16_t expected[14] = {1, 1, 0, 8192, -1, 0, 32767, 32767, -32768, 32767, -32768, 32767, 0, 0};
    EXPECT_TRUE(std::equal(out, out + 14, expected));
}
