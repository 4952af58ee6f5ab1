// The demo's own picture blit against classic SDL 1.2's: the blend of every
// value and a thousand clipped blits, each held to what classic SDL drew for
// the same cases (support/fixed_oracle.h).
#include "effects/picture_blit.h"
#include "effects/pixel_buffer.h"
#include "support/fixed_oracle.h"

#include <gtest/gtest.h>

// Every source, destination and alpha value for each channel: 256 blends of
// 256 x 256 pixels, source channel = x, destination channel = y.
TEST(PictureBlit, BlendsEveryValueAsClassicSdl)
{
    PixelBuffer source(256, 256, 0), target(256, 256, 0);
    const PixelView in = source.view(), out = target.view();
    Digest digest;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t y = 0; y < 256; ++y)
            for (uint32_t x = 0; x < 256; ++x) {
                in.row(y)[x] = alpha << 24 | x << 16 | (255 - x) << 8 | x;
                out.row(y)[x] = (x ^ y) << 24 | y << 16 | y << 8 | (255 - y);
            }
        blendPixels(in, out);
        digest.add(out);
    }
    EXPECT_EQ(digest.value(), 0x4579e218u);
}

// Whole-picture blits of random sizes to random places, some far outside or
// near the 16-bit limits, through random clip rectangles; with alpha (the
// Targa pictures) and without (the JPEGs): the rectangle written back and the
// target's pixels.
TEST(PictureBlit, ClipsWritesBackAndDrawsAsClassicSdl)
{
    CaseDraws draws(20240611);
    PixelBuffer targetPixels(200, 150, 0);
    const PixelView target = targetPixels.view();
    Digest digest;
    for (int trial = 0; trial < 1000; ++trial) {
        const int w = draws.between(1, 260), h = draws.between(1, 200);
        PixelBuffer pixels(w, h, 0);
        const PixelView picture = pixels.view();
        draws.fill(picture);
        draws.fill(target);
        const SDL_Rect clip = draws.clip(200, 150);
        const int reach = trial % 10 == 0 ? 32767 : 400;
        SDL_Rect place = {static_cast<Sint16>(draws.between(-reach, reach)),
                          static_cast<Sint16>(draws.between(-reach, reach)), 7, 9};
        drawPicture(picture, trial % 2 == 0, target, clip, place);
        digest.add(place);
        digest.add(target);
    }
    EXPECT_EQ(digest.value(), 0xc7a6d042u);
}
