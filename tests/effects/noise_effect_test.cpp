#include "effects/noise_effect.h"
#include "effects/failing_locks.h"
#include "effects/pixel_buffer.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

namespace {
// A field whose table entry e holds e in its low byte and junk above it,
// which must never be read, with its buffers sized.
struct CountingField {
    std::vector<uint16_t> table;
    int32_t cursor = 0;
    NoiseBuffers buffers;

    void draw(const PixelView& target, int32_t time) { drawNoiseField(target, table, cursor, buffers, time); }
};

CountingField countingField(uint32_t width, uint32_t height)
{
    CountingField field;
    for (int e = 0; e < kNoiseTableSize; ++e) field.table.push_back(static_cast<uint16_t>(0xab00 | (e & 0xff)));
    sizeNoiseBuffers(field.buffers, width, height);
    return field;
}

uint8_t noiseAt(const CountingField& field, uint32_t x, uint32_t y)
{
    return field.buffers.noise[y * field.buffers.width + x];
}

// The first value of the demo's sequence after seedRandom(21), and the
// table entries where the rows of a field 8 wide start after it, the cursor
// at 0, as each row's jump moves the next one on. Recorded once.
constexpr int kFirstDrawOfSeed21 = 25924;
constexpr uint32_t kRowStartsOfSeed21[] = {1, 333, 135};
}  // namespace

TEST(NoiseKernel, RowsReadConsecutiveTableEntriesAfterTheCursorAndWrap)
{
    // time 0: no bias and no palette shift, so each pixel shows its noise byte.
    CountingField field = countingField(8, 3);
    PixelBuffer buffer(8, 3, 0);
    seedRandom(21);
    field.draw(buffer.view(), 0);
    // Where the next frame reads on, and where the demo's sequence goes on
    // from (recorded once): later frames depend on both.
    EXPECT_EQ(field.cursor, 12770);
    EXPECT_EQ(runState.randomState, 827630264u);

    for (uint32_t x = 0; x < 8; ++x) {
        EXPECT_EQ(noiseAt(field, x, 0), x + 1) << "the very first pixel reads entry 1";
        EXPECT_EQ(buffer.at(static_cast<int>(x), 0), noiseRampColour(static_cast<uint8_t>(x + 1)));
    }
    // The smear leaves the edge columns of every row as they were filled.
    for (uint32_t y = 1; y < 3; ++y) {
        EXPECT_EQ(noiseAt(field, 0, y), kRowStartsOfSeed21[y] & 0xff);
        EXPECT_EQ(noiseAt(field, 7, y), (kRowStartsOfSeed21[y] + 7) & 0xff);
    }
    EXPECT_TRUE(buffer.paddingIntact());

    CountingField wrapping = countingField(8, 1);
    wrapping.cursor = 1020;
    seedRandom(21);
    wrapping.draw(PixelBuffer(8, 1, 0).view(), 0);
    const uint8_t expected[8] = {1021 & 0xff, 1022 & 0xff, 1023 & 0xff, 0, 1, 2, 3, 4};
    for (uint32_t x = 0; x < 8; ++x) EXPECT_EQ(noiseAt(wrapping, x, 0), expected[x]) << x;
    EXPECT_EQ(wrapping.cursor, 4 + kFirstDrawOfSeed21) << "the jump is added unmasked";
}

TEST(NoiseKernel, TheSmearCascadesDownFromRowsAlreadySmeared)
{
    // Rows 4 wide start at these entries after seedRandom(21) (recorded once).
    const uint32_t starts[3] = {1, 329, 127};
    CountingField field = countingField(4, 3);
    const uint8_t fill[3][4] = {{30, 60, 90, 120}, {0, 0, 0, 255}, {0, 9, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) field.table[(starts[y] + x) & 1023] = fill[y][x];

    seedRandom(21);
    field.draw(PixelBuffer(4, 3, 0).view(), 0);
    const uint8_t smeared[3][4] = {
        {30, 60, 90, 120},
        {0, (30 + 90 + 0) / 3, (60 + 120 + 0) / 3, 255},  // 40, 60
        {0, (0 + 60 + 9) / 3, (40 + 255 + 0) / 3, 0},     // 23, 98: the sum goes past 255
    };
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(noiseAt(field, x, y), smeared[y][x]) << x << "," << y;
}

TEST(NoiseKernel, BiasFollowsTheSineOfATruncatedThirdOfTime)
{
    EXPECT_EQ(noiseBias(100), 9);  // 10 sin 33 = 9.9991
    EXPECT_EQ(noiseBias(1000), 0);  // 10 sin 333 = -0.88
    EXPECT_EQ(noiseBias(96), 5);  // 10 sin 32 = 5.51
    EXPECT_EQ(noiseBias(-4), -8);  // -4 / 3 = -1; -8.41 truncates toward zero
    EXPECT_EQ(noiseBias(-2), 0);
}

TEST(NoiseKernel, BiasRowsAddHalfTheRowAboveAndWrap)
{
    CountingField field = countingField(5, 8);
    auto row = [&](uint32_t y) { return std::vector<uint8_t>(&field.buffers.bias[y * 5], &field.buffers.bias[y * 5] + 5); };
    using Row = std::vector<uint8_t>;

    fillBiasField(field.buffers, 5);
    EXPECT_EQ(row(0), (Row{5, 5, 5, 5, 5}));
    EXPECT_EQ(row(1), (Row{7, 7, 7, 7, 5}));
    EXPECT_EQ(row(2), (Row{8, 8, 8, 8, 5}));
    EXPECT_EQ(row(3), (Row{9, 9, 9, 9, 5}));
    EXPECT_EQ(row(4), (Row{9, 9, 9, 9, 5}));
    EXPECT_EQ(row(7), (Row{9, 9, 9, 9, 5}));

    fillBiasField(field.buffers, 246);  // k = -10
    EXPECT_EQ(row(0), (Row{246, 246, 246, 246, 246}));
    EXPECT_EQ(row(1), (Row{113, 113, 113, 113, 246}));
    EXPECT_EQ(row(2), (Row{46, 46, 46, 46, 246}));
    EXPECT_EQ(row(3), (Row{13, 13, 13, 13, 246}));
    EXPECT_EQ(row(4), (Row{252, 252, 252, 252, 246}));
    EXPECT_EQ(row(5), (Row{116, 116, 116, 116, 246}));

    fillBiasField(field.buffers, 0);
    for (uint8_t b : field.buffers.bias) ASSERT_EQ(b, 0);

    CountingField column = countingField(1, 4);
    fillBiasField(column.buffers, 246);
    for (uint8_t b : column.buffers.bias) EXPECT_EQ(b, 246) << "a one-pixel-wide field is all last column";
}

TEST(NoiseKernel, RampAndPaletteShift)
{
    EXPECT_EQ(noiseRampColour(0), 0u);
    EXPECT_EQ(noiseRampColour(128), 0x402080u);
    EXPECT_EQ(noiseRampColour(251), 0x7d3efbu);
    EXPECT_EQ(noiseRampColour(255), 0x7f3fffu);

    // Row 0 carries the bias byte b0 itself; only the low 8 bits of time count.
    struct Case {
        int32_t time;
        uint32_t colour;
    };
    for (Case c : {Case{5, noiseRampColour(10 - 8 + 5)},            // k = 8
                   Case{261, noiseRampColour((10 + 8 + 261) & 0xff)},  // k = -8: 23
                   Case{-4, noiseRampColour(10 + 8 - 4)}}) {           // k = -8
        CountingField field = countingField(3, 1);
        field.table[1] = 10;
        PixelBuffer buffer(3, 1, 0);
        field.draw(buffer.view(), c.time);
        EXPECT_EQ(buffer.at(0, 0), c.colour) << c.time;
    }
}

namespace {
// The render goes through the program-wide field; each test starts before
// its first use.
class NoiseRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        runState = RunState{};
        noiseBuffers = NoiseBuffers{};
        target = makeRowCodedPicture(20, 15);
    }
    void TearDown() override
    {
        SDL_FreeSurface(target);
        runState = RunState{};
        noiseBuffers = NoiseBuffers{};
    }

    std::vector<uint32_t> pixels()
    {
        std::vector<uint32_t> all;
        for (int y = 0; y < target->h; ++y)
            for (int x = 0; x < target->w; ++x) all.push_back(pixelAt(target, x, y));
        return all;
    }

    NoiseEffect noise{16, 12};
    SDL_Surface* target = nullptr;
};
}  // namespace

TEST_F(NoiseRender, TheFirstRenderFillsTheTableWithTheNext1024RandomNumbers)
{
    seedRandom(1);
    noise.render(target, 50);
    ASSERT_EQ(runState.noiseTable->size(), 1024u);
    EXPECT_EQ(noiseBuffers.width, 16u);
    EXPECT_EQ(noiseBuffers.height, 12u);
    // The sequence's first values from seed 1 (random_test.cpp), on to its
    // 1024th (recorded once).
    EXPECT_EQ((*runState.noiseTable)[0], 16838);
    EXPECT_EQ((*runState.noiseTable)[1], 5758);
    EXPECT_EQ((*runState.noiseTable)[2], 10113);
    EXPECT_EQ((*runState.noiseTable)[1023], 17891);
    // Pixel (0, 0) shows entry 1, 5758: its low byte 126, less the bias -2
    // of time 50, plus 50.
    EXPECT_EQ(pixelAt(target, 0, 0), noiseRampColour(178));

    // Later renders keep the table.
    const auto table = runState.noiseTable;
    noise.render(target, 51);
    EXPECT_EQ(runState.noiseTable, table);
}

TEST_F(NoiseRender, KeepsToItsOwnArea)
{
    noise.render(target, 7);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            if (x >= 16 || y >= 12) {
                ASSERT_EQ(pixelAt(target, x, y), 0x000100u * (y + 1)) << x << "," << y;
            }
}

TEST_F(NoiseRender, AFailedLockStillSetsUpButLeavesTheCursorAndTheTarget)
{
    const auto before = pixels();
    seedRandom(4);
    {
        FailingLocks failing;
        noise.render(target, 900);
    }
    EXPECT_EQ(runState.noiseTable->size(), 1024u);
    EXPECT_EQ(runState.noiseCursor, 0);
    EXPECT_EQ(pixels(), before);

    // A failed frame later on: the next good frame continues exactly where
    // the last good one left off.
    noise.render(target, 901);
    const RunState afterGood = runState;
    const unsigned seed = static_cast<unsigned>(nextRandom());
    seedRandom(seed);
    {
        FailingLocks failing;
        noise.render(target, 902);
    }
    EXPECT_EQ(runState.noiseCursor, afterGood.noiseCursor);
    noise.render(target, 903);
    const auto continued = pixels();

    runState = afterGood;
    seedRandom(seed);
    noise.render(target, 903);
    EXPECT_EQ(pixels(), continued);
}

TEST_F(NoiseRender, ATargetThatShowsNothingMovesOnAsADrawnFrameDoes)
{
    seedRandom(9);
    noise.render(target, 901);
    const int32_t cursor = runState.noiseCursor;
    const int next = nextRandom();

    runState = RunState{};
    seedRandom(9);
    SDL_Rect nothing = {0, 0, 0, 0};
    SDL_SetClipRect(target, &nothing);
    const auto before = pixels();
    noise.render(target, 901);
    EXPECT_EQ(pixels(), before);
    EXPECT_EQ(runState.noiseCursor, cursor);
    EXPECT_EQ(nextRandom(), next);
}
