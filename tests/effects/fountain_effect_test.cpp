#include "effects/fountain_effect.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

namespace {
// A random source that plays back chosen values, then zeros.
std::vector<int> scriptedValues;
size_t scriptedNext = 0;
int scripted()
{
    const size_t i = scriptedNext++;
    return i < scriptedValues.size() ? scriptedValues[i] : 0;
}
void script(std::vector<int> values)
{
    scriptedValues = std::move(values);
    scriptedNext = 0;
}

void placeAll(Particles& particles, float x, float y, float vx, float vy)
{
    for (int i = 0; i < kParticleCount; ++i) {
        particles.x[i] = x;
        particles.y[i] = y;
        particles.vx[i] = vx;
        particles.vy[i] = vy;
    }
}

class Fountain : public ::testing::Test {
protected:
    void SetUp() override { runState.fountainPreviousTime = 0; }
    void TearDown() override { runState.fountainPreviousTime = 0; }
};
}  // namespace

TEST_F(Fountain, StartingStateFollowsThreeDrawsPerParticle)
{
    script({0, 0, 0, 7, 16384, 0});
    Particles p;
    launchParticles(p, 640, 480, scripted);

    EXPECT_EQ(p.x[0], 320.0f);
    EXPECT_EQ(p.y[0], 480.0f);
    EXPECT_EQ(p.vx[0], 3.0f);
    EXPECT_EQ(p.vy[0], 1.0f);

    EXPECT_EQ(p.x[1], 320.0f);
    EXPECT_EQ(p.y[1], 473.0f);
    EXPECT_NEAR(p.vx[1], -0.0001, 0.00005);
    EXPECT_LT(p.vx[1], 0.0f) << "the angle lies just past a right angle";
    EXPECT_NEAR(p.vy[1], -2.0, 1e-6);

    script({19, 32767, 32767});
    launchParticles(p, 640, 480, scripted);
    EXPECT_EQ(p.y[0], 461.0f);
    EXPECT_NEAR(p.vx[0], -3.0, 1e-6);  // angle pi
    EXPECT_NEAR(p.vy[0], 2.0, 1e-6);   // 1 - 3 sin(pi) + 1

    // On the demo's sequence the launch leaves the state that the next
    // effect's draws start from (recorded once): frames depend on it.
    seedRandom(7);
    launchParticles(p, 640, 480, nextRandom);
    EXPECT_EQ(runState.randomState, 2260339975u);
}

TEST_F(Fountain, RelaunchesOnReachingTheBottomEdgeExactly)
{
    Particles p;
    placeAll(p, 100, 300, 1, -1);
    p.y[0] = 480.0f;
    p.y[1] = 479.9f;
    p.y[2] = 480.0f;
    p.y[kParticleCount - 1] = 480.0f;
    // Particles 1 and 3.. take no draw: each relaunch takes the next value.
    script({0, 16384, 32767});
    stepParticles(p, 640, 480, 0.0, scripted);

    EXPECT_EQ(p.x[0], 320.0f);
    EXPECT_EQ(p.y[0], 475.0f);
    EXPECT_NEAR(p.vx[0], -9.0, 1e-4);  // angle 3.142
    EXPECT_NEAR(p.vy[0], -0.0057, 1e-4);
    EXPECT_NEAR(p.vx[2], 0.0041, 1e-4);  // angle about 4.7128
    EXPECT_NEAR(p.vy[2], -14.0, 1e-4);
    EXPECT_NEAR(p.vx[kParticleCount - 1], 9.0, 1e-3);  // angle about 6.2836

    EXPECT_EQ(p.x[1], 100.0f);
    EXPECT_EQ(p.y[1], 479.9f);
    EXPECT_EQ(p.vy[1], -1.0f);
}

TEST_F(Fountain, StepsMoveWithTheOldVelocityThenApplyGravity)
{
    EXPECT_NEAR(fountainTimeStep(1050, 1000), 0.5, 1e-7);
    EXPECT_NEAR(fountainTimeStep(1000, 1050), -0.5, 1e-7);
    EXPECT_NEAR(fountainTimeStep(-2147483647 - 1, 2147483647), 0.01, 1e-7) << "the difference wraps";

    Particles p;
    placeAll(p, 200, 300, 4, -10);
    stepParticles(p, 640, 480, fountainTimeStep(1050, 1000), scripted);
    EXPECT_NEAR(p.x[0], 202.0, 1e-4);
    EXPECT_NEAR(p.y[0], 295.0, 1e-4);
    EXPECT_NEAR(p.vy[0], -9.85, 1e-5);
    EXPECT_EQ(p.vx[0], 4.0f);
}

TEST_F(Fountain, ALongPauseIsTakenInFull)
{
    Particles p;
    placeAll(p, 320, 200, 0, 5);
    p.vy[7] = -300;  // still rising after 10 s
    script({});
    stepParticles(p, 640, 480, fountainTimeStep(10000, 0), scripted);
    for (int i = 0; i < kParticleCount; ++i)
        if (i != 7) {
            ASSERT_EQ(p.x[i], 320.0f) << i << " fell past the bottom and was launched again";
            ASSERT_EQ(p.y[i], 475.0f) << i;
        }
    EXPECT_NEAR(p.y[7], 200 - 100 * 300, 1e-2);
    EXPECT_NEAR(p.vy[7], -300 + 100 * 0.3, 1e-3);
}

namespace {
class FountainRender : public Fountain {
protected:
    void SetUp() override
    {
        Fountain::SetUp();
        SDL_FillRect(screen, nullptr, 0);
    }
    void TearDown() override
    {
        SDL_FreeSurface(sprite);
        Fountain::TearDown();
    }
    SDL_Surface* screen = testScreen();
    SDL_Surface* sprite = makePicture(4, 4, 0xffffff);
};
}  // namespace

TEST_F(FountainRender, TheFirstFrameMovesNothingAndRelaunchesParticlesOnTheEdge)
{
    script({0, 0, 0, 7, 16384, 0});  // then zeros: particles 2.. start on the edge too
    FountainEffect fountain(640, 480, sprite, scripted);
    fountain.particles.y[1] = 300.0f;
    fountain.render(screen, 88700);

    EXPECT_EQ(runState.fountainPreviousTime, 88700);
    EXPECT_EQ(fountain.particles.x[0], 320.0f);
    EXPECT_EQ(fountain.particles.y[0], 475.0f);
    EXPECT_EQ(fountain.particles.y[1], 300.0f);
    EXPECT_NEAR(fountain.particles.vy[1], -2.0, 1e-6);
    EXPECT_EQ(pixelAt(screen, 320, 300), 0xffffffu);
    EXPECT_EQ(pixelAt(screen, 323, 478), 0xffffffu);
    EXPECT_EQ(pixelAt(screen, 324, 478), 0u);
}

TEST_F(FountainRender, TimeZeroLeavesThePreviousTimeUnset)
{
    FountainEffect fountain(640, 480, sprite, scripted);
    placeAll(fountain.particles, 100, 100, 10, 10);
    fountain.render(screen, 0);
    EXPECT_EQ(runState.fountainPreviousTime, 0);
    fountain.render(screen, 500);
    EXPECT_EQ(fountain.particles.x[0], 100.0f);
    EXPECT_EQ(runState.fountainPreviousTime, 500);
    fountain.render(screen, 550);
    EXPECT_NEAR(fountain.particles.x[0], 105.0, 1e-4);
}

TEST_F(FountainRender, PositionsAreTruncatedTowardZero)
{
    FountainEffect fountain(640, 480, sprite, scripted);
    placeAll(fountain.particles, -1000, -1000, 0, 0);
    fountain.particles.x[0] = -0.6f;
    fountain.particles.y[0] = -0.6f;
    fountain.particles.x[1] = 100.9f;
    fountain.particles.y[1] = 200.9f;
    fountain.render(screen, 1000);

    EXPECT_EQ(pixelAt(screen, 3, 3), 0xffffffu);  // at -1 the sprite would end at 2
    EXPECT_EQ(pixelAt(screen, 4, 3), 0u);
    EXPECT_EQ(pixelAt(screen, 100, 200), 0xffffffu);
    EXPECT_EQ(pixelAt(screen, 99, 200), 0u);
    EXPECT_EQ(pixelAt(screen, 104, 200), 0u);
}

TEST_F(FountainRender, BlendsTheSpriteAsItsOwnAlphaSays)
{
    SDL_Surface* flare = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, 4, 4, 32, 0xff0000, 0xff00, 0xff,
                                              0xff000000);
    SDL_FillRect(flare, nullptr, 0x80ffffff);
    FountainEffect fountain(640, 480, flare, scripted);
    placeAll(fountain.particles, 10, 10, 0, 0);
    fountain.particles.x[0] = 20;  // one copy alone, the rest stacked
    fountain.render(screen, 1000);

    const uint32_t once = pixelAt(screen, 21, 11) & 0xff;
    const uint32_t stacked = pixelAt(screen, 11, 11) & 0xff;
    EXPECT_NEAR(once, 0x80, 2);
    EXPECT_GT(stacked, 0xf0u);
    SDL_FreeSurface(flare);
}

TEST_F(FountainRender, FarAwayOrMissingPicturesAreHarmless)
{
    FountainEffect fountain(640, 480, nullptr, scripted);
    fountain.render(screen, 1000);
    EXPECT_EQ(checksum(screen), 0u);

    // Beyond 32 bits the positions saturate: every sprite but one lands at
    // (-1, 0). The one at x = 40000 wraps to -25536, far off the left edge.
    FountainEffect wide(640, 480, sprite, scripted);
    placeAll(wide.particles, 3e9f, -3e9f, 0, 0);
    wide.particles.x[1] = 40000.0f;
    wide.particles.y[1] = 100.0f;
    wide.render(screen, 1000);
    SDL_Surface* expected = makePicture(640, 480, 0);
    SDL_Rect corner = {0, 0, 3, 4};
    SDL_FillRect(expected, &corner, 0xffffff);
    EXPECT_EQ(checksum(screen), checksum(expected));
    SDL_FreeSurface(expected);

    // A target smaller than the effect's area, cut from a larger picture:
    // the sprites are clipped to it and nothing round it changes.
    constexpr uint32_t kRing = 0x00c0ffee;
    SDL_Surface* frame = makePicture(30, 30, kRing);
    auto* inner = static_cast<uint8_t*>(frame->pixels) + 10 * frame->pitch + 10 * 4;
    SDL_Surface* small = SDL_CreateRGBSurfaceFrom(inner, 10, 10, 32, frame->pitch, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(small, nullptr, 0);
    wide.particles.x[2] = 8.0f;  // half over the right edge
    wide.particles.y[2] = 8.0f;
    wide.render(small, 1010);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 20;
            const bool sprite = inside && ((x < 13 && y < 14) || (x >= 18 && y >= 18));
            ASSERT_EQ(pixelAt(frame, x, y), inside ? (sprite ? 0xffffffu : 0u) : kRing) << x << "," << y;
        }
    SDL_FreeSurface(small);
    SDL_FreeSurface(frame);
}
