#include "support/test_support.h"

#include "core/frame_loop.h"
#include "core/startup.h"
#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/zoom_blend_effect.h"
#include "globals.h"

#include <cstdlib>

namespace {
// Starts SDL video on the dummy driver before any test runs.
class SdlEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_NOPARACHUTE), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }
};

::testing::Environment* const sdlEnvironment = ::testing::AddGlobalTestEnvironment(new SdlEnvironment);
}  // namespace

SDL_Surface* testScreen()
{
    static SDL_Surface* const screen = [] {
        const Display display = openDisplay(640, 480, false);
        SDL_FreeSurface(display.backBuffer);
        return display.screen;
    }();
    return screen;
}

SDL_Surface* makePicture(int width, int height, uint32_t colour)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, colour);
    return s;
}

SDL_Surface* makeRowCodedPicture(int width, int height)
{
    SDL_Surface* s = makePicture(width, height, 0);
    for (int y = 0; y < height; ++y) {
        SDL_Rect row = {0, static_cast<Sint16>(y), static_cast<Uint16>(width), 1};
        SDL_FillRect(s, &row, 0x000100u * static_cast<uint32_t>(y + 1));
    }
    return s;
}

uint32_t pixelAt(SDL_Surface* surface, int x, int y)
{
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const uint32_t*>(row)[x];
}

uint64_t checksum(SDL_Surface* surface)
{
    uint64_t sum = 0;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) sum = sum * 31 + pixelAt(surface, x, y);
    return sum;
}

Demo* makeTestDemo(const TestPictureSizes& z)
{
    using namespace testColour;
    auto* demo = new Demo;
    StartOptions start;
    start.openDisplay = [] {
        SDL_FillRect(testScreen(), nullptr, 0);
        return Display{testScreen(), makePicture(640, 480, 0)};
    };
    start.loadPictures = [&z](Pictures& p) {
        p.zemblogo = makePicture(z.logoW, z.logoH, kLogo);
        p.tx1 = makePicture(z.stairW, z.stairH, kTx1);
        p.tx2 = makePicture(z.stairW, z.stairH, kTx2);
        p.tx3 = makePicture(z.stairW, z.stairH, kTx3);
        p.tx4 = makePicture(z.stairW, z.stairH, kTx4);
        p.ftx1 = makePicture(z.crossW, z.crossH, kFtx1);
        p.ftx2 = makePicture(z.crossW, z.crossH, kFtx2);
        p.rulltx = makePicture(z.scrollW, z.scrollH, kRulltx);
        p.pold = makePicture(z.panelW, z.panelH, kPold);
        p.poldtx = makePicture(z.panelW, z.panelH, kPoldtx);
        p.flare = makePicture(z.flareW, z.flareH, kFlare);
        p.mosk = makePicture(z.rowW, z.rowH, kMosk);
        p.duvtx1 = makePicture(z.titleW, z.titleH, kDuvtx1);
        p.duvtx2 = makePicture(z.titleW, z.titleH, kDuvtx2);
        p.arsesmile = makePicture(z.stripW, z.stripH, kArsesmile);
        p.trenbix = makePicture(z.rowW, z.rowH, kTrenbix);
        return true;
    };
    resetProgramState();
    EXPECT_TRUE(startDemo(*demo, start));
    demo->startTicks = 0;  // the clock of the tests' own tick counts
    return demo;
}

void freeTestDemo(Demo* demo)
{
    Effects& e = demo->effects;
    delete e.fire;
    delete e.noise;
    delete e.fountain;
    delete e.lines;
    Pictures& p = demo->pictures;
    for (SDL_Surface* s : {p.zemblogo, p.tx1, p.tx2, p.tx3, p.tx4, p.ftx1, p.ftx2, p.rulltx, p.pold, p.poldtx,
                           p.flare, p.mosk, p.duvtx1, p.duvtx2, p.arsesmile, p.trenbix})
        SDL_FreeSurface(s);
    releaseDemo(*demo);
    delete demo;
}

void SceneTest::drawAt(uint32_t t)
{
    demo->demoTime = t;
    drawScene(*demo);
}

void SceneTest::drawFreshAt(uint32_t t)
{
    TearDown();
    SetUp();
    drawAt(t);
}
