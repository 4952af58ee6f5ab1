#pragma once

#include "core/demo.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

// Helpers shared by the tests. Every test process runs SDL on the dummy video
// driver (set before SDL starts), so no test opens a window or a terminal.

// A 640 x 480 x 32 display on the dummy driver, opened once per process.
SDL_Surface* testScreen();

// A 32-bit picture without alpha, filled with one colour (0xRRGGBB).
SDL_Surface* makePicture(int width, int height, uint32_t colour);

// A picture whose row y has the colour 0x000100 * (y + 1): tells which of its
// rows landed where.
SDL_Surface* makeRowCodedPicture(int width, int height);

uint32_t pixelAt(SDL_Surface* surface, int x, int y);

// Sum of every pixel value of the surface: compares whole frames.
uint64_t checksum(SDL_Surface* surface);

// A demo on the test screen with all six effects and solid test pictures of
// the given sizes (default: small pictures, each its own colour). Arms the
// timeline. Owned by the caller; release with freeTestDemo.
struct TestPictureSizes {
    int logoW = 200, logoH = 120;
    int stairW = 300, stairH = 90;
    int crossW = 400, crossH = 60;
    int scrollW = 300, scrollH = 700;
    int panelW = 200, panelH = 300;
    int flareW = 32, flareH = 32;
    int rowW = 150, rowH = 50;
    int titleW = 300, titleH = 100;
    int stripW = 500, stripH = 60;
};
Demo* makeTestDemo(const TestPictureSizes& sizes = {});
void freeTestDemo(Demo* demo);

// Colours of the test pictures made by makeTestDemo.
namespace testColour {
constexpr uint32_t kLogo = 0x102030, kTx1 = 0x110000, kTx2 = 0x220000, kTx3 = 0x330000, kTx4 = 0x440000;
constexpr uint32_t kFtx1 = 0x00aa00, kFtx2 = 0x00bb00, kRulltx = 0x0000cc, kPold = 0x123456, kPoldtx = 0x654321;
constexpr uint32_t kFlare = 0xffffff, kMosk = 0xa0a0a0, kTrenbix = 0xb0b0b0, kDuvtx1 = 0xd1d1d1, kDuvtx2 = 0xd2d2d2;
constexpr uint32_t kArsesmile = 0xe0e0e0;
}  // namespace testColour

// A fixture for one scene on a fresh test demo: draws single frames of the
// scene, or whole frames through the scene switch, and reads back pixels and
// cue flags. A derived fixture may adjust the demo in prepare().
class SceneTest : public ::testing::Test {
protected:
    SceneTest(int sceneIndex, void (*drawScene)(Demo&)) : sceneIndex(sceneIndex), drawScene(drawScene) {}

    void SetUp() override
    {
        demo = makeTestDemo();
        demo->sceneIndex = sceneIndex;
        prepare();
    }
    void TearDown() override { freeTestDemo(demo); }
    virtual void prepare() {}

    // One frame of the scene alone.
    void drawAt(uint32_t t);
    // One frame of the scene alone, on a fresh demo with a black display.
    void drawFreshAt(uint32_t t);
    uint32_t at(int x, int y) { return pixelAt(demo->screen, x, y); }

    Demo* demo = nullptr;

private:
    int sceneIndex;
    void (*drawScene)(Demo&);
};
