// The optimised kernels against the plain ones, pixel for pixel, on random
// content with several seeds: every shortcut must give the same picture and
// leave the random sequence where the plain version leaves it.
#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/pixel_buffer.h"
#include "effects/reference/reference_kernels.h"
#include "effects/zoom_blend_effect.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <cstring>
#include <random>

namespace {
constexpr unsigned kSeeds[] = {1, 7, 2024, 65535};

// Sizes that are not multiples of any vector width, and the demo's own.
struct Size {
    int w, h;
};
constexpr Size kSizes[] = {{37, 29}, {3, 12}, {640, 480}};

PixelBuffer randomBuffer(int w, int h, std::mt19937& random)
{
    PixelBuffer buffer(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) buffer.at(x, y) = static_cast<uint32_t>(random());
    return buffer;
}

void expectSamePixels(PixelBuffer& a, PixelBuffer& b)
{
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
    EXPECT_TRUE(a.paddingIntact());
}

void expectSameSurfaces(SDL_Surface* a, SDL_Surface* b)
{
    for (int y = 0; y < a->h; ++y)
        ASSERT_EQ(memcmp(static_cast<uint8_t*>(a->pixels) + y * a->pitch, static_cast<uint8_t*>(b->pixels) + y * b->pitch,
                         a->w * 4),
                  0)
            << "row " << y;
}
}  // namespace

TEST(MatchesReference, Fire)
{
    for (const Size size : kSizes)
        for (unsigned seed : kSeeds) {
            std::mt19937 random(seed);
            PixelBuffer fast = randomBuffer(size.w, size.h, random);
            PixelBuffer plain = fast;
            const uint32_t mask = seed == 1 ? 0xffa0cf : static_cast<uint32_t>(random());
            seedRandom(seed);
            for (int frame = 0; frame < 3; ++frame) drawFire(fast.view(), mask);
            const int next = nextRandom();
            seedRandom(seed);
            for (int frame = 0; frame < 3; ++frame) reference::fire(plain.view(), mask);
            EXPECT_EQ(nextRandom(), next) << "nextRandom() order";
            SCOPED_TRACE(testing::Message() << size.w << "x" << size.h << " seed " << seed);
            expectSamePixels(fast, plain);
        }
}

TEST(MatchesReference, NoiseOverFramesAndTableWraps)
{
    for (const Size size : kSizes)
        for (unsigned seed : kSeeds) {
            seedRandom(seed);
            const auto table = makeNoiseTable();
            NoiseBuffers fast, plain;
            sizeNoiseBuffers(fast, size.w, size.h);
            sizeNoiseBuffers(plain, size.w, size.h);
            int32_t fastCursor = 0, plainCursor = 0;
            PixelBuffer fastOut(size.w, size.h, 0), plainOut(size.w, size.h, 0);
            // Times across the bias's whole range and the palette's wrap.
            const int32_t times[] = {0, 1, 100, 254, 255, 256, 1000, 1139, 2675, static_cast<int32_t>(seed * 37)};
            for (int32_t time : times) {
                seedRandom(seed + time);
                drawNoiseField(fastOut.view(), *table, fastCursor, fast, time);
                const int next = nextRandom();
                seedRandom(seed + time);
                reference::noise(plainOut.view(), *table, plainCursor, plain, time);
                EXPECT_EQ(nextRandom(), next);
                ASSERT_EQ(fastCursor, plainCursor);
                SCOPED_TRACE(testing::Message() << size.w << "x" << size.h << " seed " << seed << " time " << time);
                expectSamePixels(fastOut, plainOut);
            }
        }
}

TEST(MatchesReference, BumpWarpTablesWarpAndLight)
{
    EXPECT_EQ(buildLightMap(), reference::lightMap());
    const SineTable sines = buildSineTable();
    const std::vector<uint8_t> lights = buildLightMap();
    for (const Size size : kSizes)
        for (unsigned seed : kSeeds) {
            std::mt19937 random(seed);
            std::vector<uint8_t> field(size.w * size.h);
            for (uint8_t& h : field) h = static_cast<uint8_t>(random() & 0x7f);
            std::vector<uint8_t> fast(field.size()), plain(field.size());
            const int32_t times[] = {0, 39, 45600, 74199, static_cast<int32_t>(random() % 5000000)};
            for (int32_t time : times) {
                reference::warp(field.data(), plain.data(), size.w, size.h, sines, warpPhase(time));
                // Each way of sampling the processor runs.
                for (const WarpSampling sampling : {WarpSampling::Avx2, WarpSampling::Avx512, WarpSampling::Plain}) {
                    if (!warpSamplingRuns(sampling)) continue;
                    warpHeightField(field.data(), fast.data(), size.w, size.h, sines, warpPhase(time), 0, -1, sampling);
                    ASSERT_EQ(fast, plain) << size.w << "x" << size.h << " seed " << seed << " time " << time << " "
                                           << static_cast<int>(sampling);
                }

                PixelBuffer fastOut(size.w, size.h, 0x55), plainOut(size.w, size.h, 0x55);
                lightHeightField(fastOut.view(), fast.data(), lights.data(), time);
                reference::light(plainOut.view(), plain.data(), lights.data(), time);
                SCOPED_TRACE(testing::Message() << size.w << "x" << size.h << " seed " << seed << " time " << time);
                expectSamePixels(fastOut, plainOut);
                field = fast;
            }
        }
}

TEST(MatchesReference, LineFigure)
{
    std::mt19937 random(3);
    for (int i = 0; i < 40; ++i) {
        const int32_t time = i < 2 ? i * 80000 : static_cast<int32_t>(random() % 120000);
        const float amplitude = i % 4 == 0 ? 1.0f : static_cast<float>(random() % 1001) / 1000.0f;
        LineFigure fast, plain;
        computeLineFigure(time, 640, 480, amplitude, fast);
        reference::lineFigure(time, 640, 480, amplitude, plain);
        for (int n = 0; n < kLineCount; ++n) {
            ASSERT_EQ(fast[n].colour, plain[n].colour) << time << " line " << n;
            ASSERT_EQ(fast[n].x1, plain[n].x1) << time << " line " << n;
            ASSERT_EQ(fast[n].y1, plain[n].y1) << time << " line " << n;
            ASSERT_EQ(fast[n].x2, plain[n].x2) << time << " line " << n;
            ASSERT_EQ(fast[n].y2, plain[n].y2) << time << " line " << n;
        }
    }
}

namespace {
// A flare with every kind of alpha: clear, opaque and all between.
SDL_Surface* randomFlare(std::mt19937& random)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
    auto* p = static_cast<uint32_t*>(s->pixels);
    for (int i = 0; i < 32 * 32; ++i) {
        const uint32_t alpha = i % 5 == 0 ? 0 : i % 5 == 1 ? 255 : random() & 0xff;
        p[i] = (alpha << 24) | (random() & 0xffffff);
    }
    return s;
}
}  // namespace

TEST(MatchesReference, FountainFramesOnTheDisplay)
{
    SDL_Surface* screen = testScreen();
    SDL_Surface* plainTarget = makePicture(640, 480, 0);
    for (unsigned seed : {1u, 99u}) {
        std::mt19937 random(seed);
        SDL_Surface* flare = randomFlare(random);
        seedRandom(seed);
        runState.fountainPreviousTime = 0;
        FountainEffect effect(640, 480, flare);
        seedRandom(seed);
        Particles particles;
        launchParticles(particles, 640, 480, nextRandom);
        int32_t previous = 0;
        const int state = nextRandom();
        int32_t time = 88600;
        for (int frame = 0; frame < 200; ++frame, time += 1 + static_cast<int32_t>(random() % 40)) {
            // Backgrounds with their own top bytes: the blend keeps them.
            const uint32_t background = static_cast<uint32_t>(random());
            SDL_FillRect(screen, nullptr, background);
            SDL_FillRect(plainTarget, nullptr, background);
            seedRandom(state + frame);
            effect.render(screen, time);
            const int next = nextRandom();
            seedRandom(state + frame);
            reference::fountain(particles, 640, 480, flare, plainTarget, time, previous, nextRandom);
            ASSERT_EQ(nextRandom(), next) << "frame " << frame;
            if (frame % 50 == 0 || frame == 199) {
                SCOPED_TRACE(testing::Message() << "seed " << seed << " frame " << frame);
                expectSameSurfaces(screen, plainTarget);
            }
        }
        EXPECT_EQ(memcmp(&effect.particles, &particles, sizeof particles), 0);
        SDL_FreeSurface(flare);
    }
    runState.fountainPreviousTime = 0;
    SDL_FreeSurface(plainTarget);
}

TEST(MatchesReference, ZoomBlendForEveryScale)
{
    const ZoomOffsets offsets = makeZoomOffsets(640, 480);
    for (int32_t scale = 0; scale <= 10; ++scale) {
        std::mt19937 random(static_cast<unsigned>(scale));
        PixelBuffer source = randomBuffer(640, 480, random);
        PixelBuffer fast = randomBuffer(640, 480, random);
        PixelBuffer plain = fast;
        zoomBlendKernel(source.view(), fast.view(), offsets, scale);
        reference::zoomBlend(source.view(), plain.view(), offsets, scale);
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        expectSamePixels(fast, plain);
    }
}
