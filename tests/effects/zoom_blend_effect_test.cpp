#include "effects/zoom_blend_effect.h"
#include "support/test_support.h"

#include <vector>

namespace {
// A pixel buffer of its own, with room for a wider pitch than its width.
struct Buffer {
    Buffer(int width, int height, uint32_t fill = 0, int pitchWords = 0)
        : words(static_cast<size_t>(pitchWords ? pitchWords : width) * height, fill),
          view{words.data(), (pitchWords ? pitchWords : width) * 4, width, height}
    {
    }
    uint32_t& at(int x, int y) { return view.row(y)[x]; }
    std::vector<uint32_t> words;
    PixelView view;
};

// Every byte even, so that the halving blend into a black target keeps the
// whole position: the result's bytes are x low, x high, y low, y high.
uint32_t positionCode(int x, int y)
{
    return static_cast<uint32_t>((x & 0x7f) << 1 | (x >> 7) << 9 | (y & 0x7f) << 17 | (y >> 7) << 25);
}

struct Position {
    int x, y;
    bool operator==(const Position& o) const { return x == o.x && y == o.y; }
};

Position decode(uint32_t blended)
{
    return {static_cast<int>((blended & 0x7f) | ((blended >> 8) & 0x7f) << 7),
            static_cast<int>(((blended >> 16) & 0x7f) | ((blended >> 24) & 0x7f) << 7)};
}

void fillWithPositions(Buffer& source)
{
    for (int y = 0; y < source.view.height; ++y)
        for (int x = 0; x < source.view.width; ++x) source.at(x, y) = positionCode(x, y);
}

// Where each target pixel took its sample from, for a black target.
class Sampling : public ::testing::Test {
protected:
    void blend(int32_t scale = 1)
    {
        fillWithPositions(source);
        zoomBlendKernel(source.view, target.view, offsets, scale);
    }
    Position sampleOf(int x, int y) { return decode(target.at(x, y)); }

    ZoomOffsets offsets = makeZoomOffsets(640, 480);
    Buffer source{640, 480};
    Buffer target{640, 480};
};
}  // namespace

TEST_F(Sampling, PullsEachPixelATenthOfTheWayToTheCentre)
{
    blend();
    EXPECT_EQ(sampleOf(0, 0), (Position{32, 24}));
    EXPECT_EQ(sampleOf(639, 479), (Position{608, 456}));
    EXPECT_EQ(sampleOf(639, 0), (Position{608, 24}));
    EXPECT_EQ(sampleOf(100, 300), (Position{122, 294}));
}

TEST_F(Sampling, TruncationLeavesABandOfUnmovedRowsAndColumns)
{
    blend();
    for (int x = 0; x < 640; x += 7) {
        EXPECT_EQ(sampleOf(x, 231).y, 231);
        EXPECT_EQ(sampleOf(x, 249).y, 249);
        EXPECT_EQ(sampleOf(x, 230).y, 231);
        EXPECT_EQ(sampleOf(x, 250).y, 249);
    }
    for (int y = 0; y < 480; y += 7) {
        EXPECT_EQ(sampleOf(311, y).x, 311);
        EXPECT_EQ(sampleOf(329, y).x, 329);
        EXPECT_EQ(sampleOf(310, y).x, 311);
        EXPECT_EQ(sampleOf(330, y).x, 329);
    }
    for (int y = 231; y <= 249; ++y)
        for (int x = 311; x <= 329; ++x) EXPECT_EQ(sampleOf(x, y), (Position{x, y}));
}

TEST_F(Sampling, ScaleMultipliesTheOffsets)
{
    blend(0);
    EXPECT_EQ(sampleOf(0, 0), (Position{0, 0}));
    EXPECT_EQ(sampleOf(639, 479), (Position{639, 479}));

    target = Buffer(640, 480);
    blend(10);  // the largest scale still reaches no further than the centre
    EXPECT_EQ(sampleOf(0, 0), (Position{320, 240}));
    EXPECT_EQ(sampleOf(639, 479), (Position{329, 249}));
}

TEST_F(Sampling, SamplesBeyondTheSourceAreHeldAtItsEdge)
{
    blend(-1);  // pushes away from the centre, out of the source
    EXPECT_EQ(sampleOf(0, 0), (Position{0, 0}));
    EXPECT_EQ(sampleOf(639, 479), (Position{639, 479}));
    EXPECT_EQ(sampleOf(100, 300), (Position{78, 306}));

    target = Buffer(640, 480);
    blend(1000000);
    EXPECT_EQ(sampleOf(0, 479), (Position{639, 0}));
}

TEST(ZoomBlend, AveragesByteWiseWithoutCarries)
{
    const ZoomOffsets offsets = makeZoomOffsets(64, 48);
    Buffer white(64, 48, 0xffffffff);
    Buffer target(64, 48, 0xffffffff);
    zoomBlendKernel(white.view, target.view, offsets, 1);
    for (uint32_t pixel : target.words) ASSERT_EQ(pixel, 0xfefefefeu);

    Buffer black(64, 48);
    Buffer blackTarget(64, 48);
    zoomBlendKernel(black.view, blackTarget.view, offsets, 1);
    for (uint32_t pixel : blackTarget.words) ASSERT_EQ(pixel, 0u);

    Buffer odd(64, 48, 0x01030507);
    Buffer mixed(64, 48, 0x030507ff);
    zoomBlendKernel(odd.view, mixed.view, offsets, 0);
    EXPECT_EQ(mixed.at(10, 10), 0x01030582u);  // 0x07 and 0xff lose their two half units
}

TEST(ZoomBlend, StaysInsideSurfacesOfUnexpectedSizes)
{
    const ZoomOffsets offsets = makeZoomOffsets(640, 480);

    // A smaller target: only its pixels change, still sampled as for 640 x 480.
    Buffer source(640, 480);
    fillWithPositions(source);
    Buffer small(100, 50, 0, 120);
    small.words.assign(small.words.size(), 0xdeadbeef);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x) small.at(x, y) = 0;
    zoomBlendKernel(source.view, small.view, offsets, 1);
    EXPECT_EQ(decode(small.at(0, 0)), (Position{32, 24}));
    EXPECT_EQ(small.at(100, 0), 0xdeadbeefu) << "the padding beyond a row is not the target's";

    // A smaller source: the blended area shrinks to it and samples stay in it.
    Buffer tinySource(30, 20);
    fillWithPositions(tinySource);
    Buffer target(640, 480, 0x01010101);
    zoomBlendKernel(tinySource.view, target.view, offsets, 1);
    EXPECT_EQ(decode(target.at(0, 0)), (Position{29, 19}));
    EXPECT_EQ(target.at(30, 0), 0x01010101u);
    EXPECT_EQ(target.at(0, 20), 0x01010101u);

    // A source whose rows are longer than the target's: rows found with its own pitch.
    Buffer wide(640, 480, 0, 700);
    fillWithPositions(wide);
    Buffer narrow(640, 480);
    zoomBlendKernel(wide.view, narrow.view, offsets, 1);
    EXPECT_EQ(decode(narrow.at(0, 0)), (Position{32, 24}));
    EXPECT_EQ(decode(narrow.at(639, 479)), (Position{608, 456}));
}

TEST(ZoomBlend, RendersThroughBothLocksWhateverTheTime)
{
    SDL_Surface* source = makePicture(640, 480, 0);
    SDL_LockSurface(source);
    Buffer codes(640, 480);
    fillWithPositions(codes);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) viewOf(source).row(y)[x] = codes.at(x, y);
    SDL_UnlockSurface(source);

    ZoomBlendEffect zoom(640, 480, source);
    SDL_Surface* target = makePicture(640, 480, 0);
    zoom.render(target, 0);
    EXPECT_EQ(decode(pixelAt(target, 0, 0)), (Position{32, 24}));
    const uint64_t first = checksum(target);
    SDL_FillRect(target, nullptr, 0);
    zoom.render(target, 123456);
    EXPECT_EQ(checksum(target), first);
    EXPECT_EQ(source->locked, 0u);
    EXPECT_EQ(target->locked, 0u);

    zoom.render(nullptr, 0);
    ZoomBlendEffect sourceless(640, 480, nullptr);
    sourceless.render(target, 0);
    EXPECT_EQ(checksum(target), first);
    SDL_FreeSurface(target);
    SDL_FreeSurface(source);
}
