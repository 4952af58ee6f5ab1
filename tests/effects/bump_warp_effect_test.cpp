#include "effects/bump_warp_effect.h"
#include "effects/failing_locks.h"
#include "effects/pixel_buffer.h"
#include "random.h"
#include "support/test_support.h"

#include <algorithm>
#include <vector>

TEST(BumpWarpTables, SineTableFallsJustShortOfAFullTurn)
{
    const SineTable s = buildSineTable();
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 402);
    EXPECT_EQ(s[128], 46340);
    EXPECT_EQ(s[256], 65535);
    EXPECT_EQ(s[512], 0);
    EXPECT_EQ(s[768], -65535);
    EXPECT_EQ(s[1023], -402);
    EXPECT_EQ(s[5] + s[6], 4422);
    EXPECT_EQ(s[1015] + s[8], -402);
    EXPECT_EQ(s[873] + s[754], -117692);
    EXPECT_EQ(s[311] + s[444], 88397);
}

TEST(BumpWarpTables, LightMapIsOneSoftSpotAroundRow168Column158)
{
    const std::vector<uint8_t> map = buildLightMap();
    ASSERT_EQ(map.size(), 65536u);
    auto at = [&](int r, int c) { return map[r * 256 + c]; };
    const int byDistance[] = {255, 248, 231, 204, 171, 136, 101, 70, 45, 26, 13, 5, 2};
    for (int i = 0; i < 13; ++i) {
        const int d = 8 * i;
        EXPECT_EQ(at(168, 158 + d), byDistance[i]) << d;
        EXPECT_EQ(at(168 - d, 158), byDistance[i]) << d;
    }
    EXPECT_EQ(at(168 - 104, 158), 0);
    EXPECT_EQ(at(168, 159), 254);
    EXPECT_EQ(std::count_if(map.begin(), map.end(), [](uint8_t v) { return v != 0; }), 30805);
}

TEST(BumpWarpTables, PhaseIsTimeInFortiethsTruncated)
{
    EXPECT_EQ(warpPhase(0), 0);
    EXPECT_EQ(warpPhase(39), 0);
    EXPECT_EQ(warpPhase(40), 1);
    EXPECT_EQ(warpPhase(45600), 1140);
}

namespace {
const SineTable kSine = buildSineTable();

// Runs one warp on a field that is zero but for one marker.
std::vector<uint8_t> warpMarker(int width, int height, int markerX, int markerY, int32_t phase)
{
    std::vector<uint8_t> src(static_cast<size_t>(width) * height, 0), dst(src.size(), 0xff);
    src[static_cast<size_t>(markerY) * width + markerX] = 77;
    warpHeightField(src.data(), dst.data(), width, height, kSine, phase);
    return dst;
}
}  // namespace

TEST(BumpWarpKernel, DisplacesEachPixelBySumsOfSines)
{
    // Phase 0, pixel (0, 0): displacement (0, -1), clamped back onto row 0.
    EXPECT_EQ(warpMarker(8, 8, 0, 0, 0)[0], 77);
    // Phase 1140, pixel (100, 50): displacement (-4, 2).
    const int w = 128, h = 64;
    const auto dst = warpMarker(w, h, 96, 52, 1140);
    EXPECT_EQ(dst[50 * w + 100], 77);
}

TEST(BumpWarpKernel, DisplacementsStayWithinMinusFourToThreeAndClampAtTheEdges)
{
    // Row-coded and column-coded fields show each pixel's source row and
    // column directly.
    const int w = 40, h = 30;
    std::vector<uint8_t> rows(w * h), columns(w * h), out(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            rows[y * w + x] = static_cast<uint8_t>(y);
            columns[y * w + x] = static_cast<uint8_t>(x);
        }
    bool sawEveryShift[8] = {};
    for (int32_t phase : {0, 1, 7, 333, 1140, 2675, -50, 40000000}) {
        warpHeightField(rows.data(), out.data(), w, h, kSine, phase);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sy = out[y * w + x];
                ASSERT_LE(sy, h - 1);
                ASSERT_GE(sy - y, -4) << x << "," << y << " phase " << phase;
                ASSERT_LE(sy - y, 3) << x << "," << y << " phase " << phase;
                if (y >= 4 && y < h - 4) sawEveryShift[sy - y + 4] = true;
            }
        warpHeightField(columns.data(), out.data(), w, h, kSine, phase);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sx = out[y * w + x];
                ASSERT_LE(sx, w - 1);
                ASSERT_GE(sx - x, -4) << x << "," << y << " phase " << phase;
                ASSERT_LE(sx - x, 3) << x << "," << y << " phase " << phase;
            }
    }
    for (bool seen : sawEveryShift) EXPECT_TRUE(seen);
}

TEST(BumpWarpKernel, AFlatFieldLightsThePeakAtColumn158AndEvery256PixelsRight)
{
    const std::vector<uint8_t> light = buildLightMap();
    const std::vector<uint8_t> flat(640 * 480, 64);
    PixelBuffer buffer(640, 480, 0x00abcdef);
    lightHeightField(buffer.view(), flat.data(), light.data(), 0);
    EXPECT_EQ(buffer.at(158, 168), 0xffffffu);
    EXPECT_EQ(buffer.at(414, 168), 0xffffffu);
    EXPECT_EQ(buffer.at(159, 168), 0xfefefeu);
    EXPECT_EQ(buffer.at(158, 168 + 256), 0xffffffu);
    for (int y = 0; y < 480; ++y) ASSERT_EQ(buffer.at(639, y), 0x00abcdefu) << "last column untouched";
    for (int x = 0; x < 640; ++x) ASSERT_EQ(buffer.at(x, 479), 0x00abcdefu) << "last row untouched";
    EXPECT_TRUE(buffer.paddingIntact());
}

TEST(BumpWarpKernel, TimeScrollsTheLightOneColumnPer16MsAndOneRowPer32Ms)
{
    const std::vector<uint8_t> light = buildLightMap();
    const std::vector<uint8_t> flat(300 * 200, 5);
    struct Case {
        int32_t time;
        int x, y;
    };
    for (Case c : {Case{16, 157, 168}, Case{32, 156, 167}, Case{-1, 159, 169}, Case{-33, 161, 170}}) {
        PixelBuffer buffer(300, 200, 0);
        lightHeightField(buffer.view(), flat.data(), light.data(), c.time);
        EXPECT_EQ(buffer.at(c.x, c.y), 0xffffffu) << c.time;
    }
}

TEST(BumpWarpKernel, LightsTheDifferencesToTheRightAndLowerNeighbours)
{
    const std::vector<uint8_t> light = buildLightMap();
    // Pixel (0, 0) with heights 100 here, 110 to the right and 90 below:
    // V = 90 - 100 = -10 -> 246, H = 10.
    std::vector<uint8_t> heights = {100, 110, 0, 90, 0, 0};
    PixelBuffer buffer(3, 2, 0);
    lightHeightField(buffer.view(), heights.data(), light.data(), 0);
    EXPECT_EQ(buffer.at(0, 0), light[246 * 256 + 10] * 0x010101u);
}

namespace {
// A small effect whose starting field the test replays from the seed.
class BumpWarpRender : public ::testing::Test {
protected:
    static constexpr int W = 48, H = 36;

    void SetUp() override
    {
        seedRandom(1234);
        effect = new BumpWarpEffect(W, H);
        seedRandom(1234);
        for (uint8_t& h : field) h = static_cast<uint8_t>(nextRandom() & 0x7f);
        target = makeRowCodedPicture(W + 5, H + 4);
    }
    void TearDown() override
    {
        delete effect;
        SDL_FreeSurface(target);
    }

    // Advances the replayed field by one warp and returns what lighting it
    // at this time gives.
    PixelBuffer step(int32_t time)
    {
        std::vector<uint8_t> next(field.size());
        warpHeightField(field.data(), next.data(), W, H, kSine, warpPhase(time));
        field = next;
        PixelBuffer lit(W, H, 0);
        lightHeightField(lit.view(), field.data(), lightMap.data(), time);
        return lit;
    }

    void expectTargetShows(PixelBuffer& lit)
    {
        for (int y = 0; y < H - 1; ++y)
            for (int x = 0; x < W - 1; ++x) ASSERT_EQ(pixelAt(target, x, y), lit.at(x, y)) << x << "," << y;
    }

    bool targetUntouchedOutside(int width, int height)
    {
        for (int y = 0; y < target->h; ++y)
            for (int x = 0; x < target->w; ++x)
                if ((x >= width || y >= height) && pixelAt(target, x, y) != 0x000100u * (y + 1)) return false;
        return true;
    }

    BumpWarpEffect* effect = nullptr;
    SDL_Surface* target = nullptr;
    std::vector<uint8_t> field = std::vector<uint8_t>(W * H);
    const std::vector<uint8_t> lightMap = buildLightMap();
};
}  // namespace

TEST_F(BumpWarpRender, EachFrameWarpsTheLastAndShowsItThroughTheTargetPitch)
{
    const uint8_t* first = nullptr;
    int32_t time = 45600;
    for (int frame = 0; frame < 4; ++frame, time += 17) {
        PixelBuffer lit = step(time);
        effect->render(target, time);
        EXPECT_TRUE(std::equal(field.begin(), field.end(), effect->heights())) << frame;
        expectTargetShows(lit);
        // The two maps take turns.
        if (frame == 0) first = effect->heights();
        EXPECT_EQ(effect->heights() == first, frame % 2 == 0);
    }
    // The last column and row of the effect's area, and the rest of the
    // larger surface, keep what they held.
    EXPECT_TRUE(targetUntouchedOutside(W - 1, H - 1));
}

namespace {
// Shares each step's rows out in three bands, last band first.
class ThreeBands : public RowSplit {
public:
    void run(int steps, int rows, const Work& work) override
    {
        for (int step = 0; step < steps; ++step)
            for (int band = 2; band >= 0; --band) work(step, rows * band / 3, rows * (band + 1) / 3);
    }
};
}  // namespace

// A step that no frame shows is owed until the field is looked at, then
// taken, its rows in bands if they are shared out.
TEST_F(BumpWarpRender, AFailedLockOrATargetShowingNothingStillTakesTheWarpStep)
{
    step(40);
    effect->render(target, 40);
    step(80);
    {
        FailingLocks failing;
        effect->render(target, 80);
    }
    EXPECT_TRUE(std::equal(field.begin(), field.end(), effect->heights()));
    step(100);
    SDL_Rect nothing = {0, 0, 0, 0};
    SDL_SetClipRect(target, &nothing);
    const uint64_t shown = checksum(target);
    effect->render(target, 100);
    EXPECT_EQ(checksum(target), shown);
    EXPECT_TRUE(std::equal(field.begin(), field.end(), effect->heights()));
    for (int32_t time = 140; time < 300; time += 17) {
        step(time);
        effect->render(target, time);
    }
    ThreeBands bands;
    EXPECT_TRUE(std::equal(field.begin(), field.end(), effect->heights(bands)));
    SDL_SetClipRect(target, nullptr);
    PixelBuffer lit = step(320);
    effect->render(target, 320);
    expectTargetShows(lit);
}

TEST_F(BumpWarpRender, HeightsStayWithin0To127)
{
    for (int32_t time = 0; time < 200 * 40; time += 40) effect->render(target, time);
    const uint8_t* h = effect->heights();
    EXPECT_TRUE(std::all_of(h, h + W * H, [](uint8_t v) { return v <= 127; }));
}
