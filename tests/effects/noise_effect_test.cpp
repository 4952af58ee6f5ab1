#include "effects/noise_effect.h"
#include "effects/failing_locks.h"
#include "effects/pixel_buffer.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

namespace {
// A set-up field whose table entry e holds e in its low byte and junk above
// it, which must never be read.
NoiseFieldState countingField(uint32_t width, uint32_t height)
{
    NoiseFieldState field;
    setUpNoiseField(field, width, height);
    for (int e = 0; e < kNoiseTableSize; ++e) field.table[e] = static_cast<uint16_t>(0xab00 | (e & 0xff));
    return field;
}

uint8_t noiseAt(const NoiseFieldState& field, uint32_t x, uint32_t y)
{
    return field.noise[y * field.width + x];
}

// Table entry where each row's run starts, replaying the nextRandom() jumps that
// follow each row after seedRandom(seed).
std::vector<uint32_t> rowStarts(unsigned seed, int32_t cursor, uint32_t width, uint32_t rows)
{
    seedRandom(seed);
    std::vector<uint32_t> starts;
    for (uint32_t i = 0; i < rows; ++i) {
        starts.push_back((cursor + 1) & 1023);
        cursor = static_cast<int32_t>((starts.back() + width - 1) & 1023) + nextRandom();
    }
    return starts;
}
}  // namespace

TEST(NoiseKernel, RowsReadConsecutiveTableEntriesAfterTheCursorAndWrap)
{
    // time 0: no bias and no palette shift, so each pixel shows its noise byte.
    NoiseFieldState field = countingField(8, 3);
    PixelBuffer buffer(8, 3, 0);
    const auto starts = rowStarts(21, 0, 8, 3);
    const int afterFrame = nextRandom();
    seedRandom(21);
    drawNoiseField(buffer.view(), field, 0);
    EXPECT_EQ(nextRandom(), afterFrame) << "one nextRandom() per row";

    for (uint32_t x = 0; x < 8; ++x) {
        EXPECT_EQ(noiseAt(field, x, 0), x + 1) << "the very first pixel reads entry 1";
        EXPECT_EQ(buffer.at(static_cast<int>(x), 0), noiseRampColour(static_cast<uint8_t>(x + 1)));
    }
    // The smear leaves the edge columns of every row as they were filled.
    for (uint32_t y = 1; y < 3; ++y) {
        EXPECT_EQ(noiseAt(field, 0, y), starts[y] & 0xff);
        EXPECT_EQ(noiseAt(field, 7, y), (starts[y] + 7) & 0xff);
    }
    EXPECT_TRUE(buffer.paddingIntact());

    NoiseFieldState wrapping = countingField(8, 1);
    wrapping.cursor = 1020;
    seedRandom(21);
    drawNoiseField(PixelBuffer(8, 1, 0).view(), wrapping, 0);
    const uint8_t expected[8] = {1021 & 0xff, 1022 & 0xff, 1023 & 0xff, 0, 1, 2, 3, 4};
    for (uint32_t x = 0; x < 8; ++x) EXPECT_EQ(noiseAt(wrapping, x, 0), expected[x]) << x;
    seedRandom(21);
    EXPECT_EQ(wrapping.cursor, 4 + nextRandom()) << "the jump is added unmasked";
}

TEST(NoiseKernel, TheSmearCascadesDownFromRowsAlreadySmeared)
{
    NoiseFieldState field = countingField(4, 3);
    const auto starts = rowStarts(8, 0, 4, 3);
    const uint8_t fill[3][4] = {{30, 60, 90, 120}, {0, 0, 0, 255}, {0, 9, 0, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) field.table[(starts[y] + x) & 1023] = fill[y][x];

    seedRandom(8);
    drawNoiseField(PixelBuffer(4, 3, 0).view(), field, 0);
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
    NoiseFieldState field = countingField(5, 8);
    auto row = [&](uint32_t y) { return std::vector<uint8_t>(&field.bias[y * 5], &field.bias[y * 5] + 5); };
    using Row = std::vector<uint8_t>;

    fillBiasField(field, 5);
    EXPECT_EQ(row(0), (Row{5, 5, 5, 5, 5}));
    EXPECT_EQ(row(1), (Row{7, 7, 7, 7, 5}));
    EXPECT_EQ(row(2), (Row{8, 8, 8, 8, 5}));
    EXPECT_EQ(row(3), (Row{9, 9, 9, 9, 5}));
    EXPECT_EQ(row(4), (Row{9, 9, 9, 9, 5}));
    EXPECT_EQ(row(7), (Row{9, 9, 9, 9, 5}));

    fillBiasField(field, 246);  // k = -10
    EXPECT_EQ(row(0), (Row{246, 246, 246, 246, 246}));
    EXPECT_EQ(row(1), (Row{113, 113, 113, 113, 246}));
    EXPECT_EQ(row(2), (Row{46, 46, 46, 46, 246}));
    EXPECT_EQ(row(3), (Row{13, 13, 13, 13, 246}));
    EXPECT_EQ(row(4), (Row{252, 252, 252, 252, 246}));
    EXPECT_EQ(row(5), (Row{116, 116, 116, 116, 246}));

    fillBiasField(field, 0);
    for (uint8_t b : field.bias) ASSERT_EQ(b, 0);

    NoiseFieldState column = countingField(1, 4);
    fillBiasField(column, 246);
    for (uint8_t b : column.bias) EXPECT_EQ(b, 246) << "a one-pixel-wide field is all last column";
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
        NoiseFieldState field = countingField(3, 1);
        field.table[1] = 10;
        PixelBuffer buffer(3, 1, 0);
        drawNoiseField(buffer.view(), field, c.time);
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
        noiseField = NoiseFieldState{};
        target = makeRowCodedPicture(20, 15);
    }
    void TearDown() override
    {
        SDL_FreeSurface(target);
        noiseField = NoiseFieldState{};
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
    seedRandom(17);
    std::vector<uint16_t> expected(kNoiseTableSize);
    for (uint16_t& e : expected) e = static_cast<uint16_t>(nextRandom());

    seedRandom(17);
    noise.render(target, 50);
    EXPECT_EQ(noiseField.table, expected);
    EXPECT_EQ(noiseField.width, 16u);
    EXPECT_EQ(noiseField.height, 12u);
    EXPECT_EQ(pixelAt(target, 0, 0), noiseRampColour(static_cast<uint8_t>(expected[1] - noiseBias(50) + 50)));

    // Later renders keep the table.
    noise.render(target, 51);
    EXPECT_EQ(noiseField.table, expected);
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
    EXPECT_EQ(noiseField.table.size(), 1024u);
    EXPECT_EQ(noiseField.cursor, 0);
    EXPECT_EQ(pixels(), before);

    // A failed frame later on: the next good frame continues exactly where
    // the last good one left off.
    noise.render(target, 901);
    const NoiseFieldState afterGood = noiseField;
    const unsigned seed = static_cast<unsigned>(nextRandom());
    seedRandom(seed);
    {
        FailingLocks failing;
        noise.render(target, 902);
    }
    EXPECT_EQ(noiseField.cursor, afterGood.cursor);
    noise.render(target, 903);
    const auto continued = pixels();

    noiseField = afterGood;
    seedRandom(seed);
    noise.render(target, 903);
    EXPECT_EQ(pixels(), continued);
}
