#include "core/frame_loop.h"
#include "core/scenes.h"
#include "support/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

using namespace testColour;

namespace {
// The crossings' windows in the timeline: ftx1 leftward, ftx2 rightward.
constexpr uint32_t kLeftwardStart = 17500, kRightwardStart = 22000, kCrossingsEnd = 30000;
constexpr int kWidth = 400;  // of the crossing pictures

class FireScene : public SceneTest {
protected:
    FireScene() : SceneTest(1, drawFireScene) {}  // crossing pictures 400 x 60; no flame takes their colours

    // The x of the picture's left edge on this row, from whichever of its
    // edges is on the display; none when no part of it is.
    std::optional<int> leftEdge(uint32_t colour, int row)
    {
        std::optional<int> first, last;
        for (int x = 0; x < 640; ++x)
            if (at(x, row) == colour) {
                if (!first) first = x;
                last = x;
            }
        if (!first) return std::nullopt;
        return *first > 0 ? *first : *last + 1 - kWidth;
    }

    // The picture's left edge at every quarter second of its window, while it shows.
    std::vector<int> crossing(uint32_t colour, int row, uint32_t start)
    {
        std::vector<int> edges;
        for (uint32_t t = start; t <= kCrossingsEnd; t += 250) {
            drawFreshAt(t);
            if (const auto x = leftEdge(colour, row)) edges.push_back(*x);
        }
        return edges;
    }
};
}  // namespace

TEST_F(FireScene, PicturesWaitBeyondTheEdgesAndAreGoneAfterTheirCrossings)
{
    for (uint32_t t : {17000u, kLeftwardStart, kCrossingsEnd, 31000u}) {
        drawFreshAt(t);
        EXPECT_FALSE(leftEdge(kFtx1, 190)) << t;
        EXPECT_FALSE(leftEdge(kFtx2, 270)) << t;
    }
    drawFreshAt(kRightwardStart);  // ftx1 on its way; ftx2 still waits
    EXPECT_TRUE(leftEdge(kFtx1, 190));
    EXPECT_FALSE(leftEdge(kFtx2, 270));
}

TEST_F(FireScene, PicturesCrossInOppositeDirectionsOnTheirOwnRows)
{
    // Each enters at one edge and leaves at the other, in small steps and
    // never turning back.
    const std::vector<int> leftward = crossing(kFtx1, 190, kLeftwardStart);
    ASSERT_GT(leftward.size(), 10u);
    EXPECT_GT(leftward.front(), 600);
    EXPECT_LT(leftward.back(), 40 - kWidth);
    for (size_t i = 1; i < leftward.size(); ++i) EXPECT_LT(leftward[i], leftward[i - 1]) << i;

    const std::vector<int> rightward = crossing(kFtx2, 270, kRightwardStart);
    ASSERT_GT(rightward.size(), 10u);
    EXPECT_LT(rightward.front(), 40 - kWidth);
    EXPECT_GT(rightward.back(), 600);
    for (size_t i = 1; i < rightward.size(); ++i) EXPECT_GT(rightward[i], rightward[i - 1]) << i;

    // ftx1 covers rows 160 to 219, ftx2 rows 240 to 299.
    drawFreshAt(25000);
    for (auto [colour, top] : {std::pair{kFtx1, 160}, std::pair{kFtx2, 240}}) {
        const int x = std::max(0, *leftEdge(colour, top + 30));
        EXPECT_NE(at(x, top - 1), colour);
        EXPECT_EQ(at(x, top), colour);
        EXPECT_EQ(at(x, top + 59), colour);
        EXPECT_NE(at(x, top + 60), colour);
    }
}

TEST_F(FireScene, CrossingsEaseInAndOutAlike)
{
    // Positions at equal times before and after the middle of a window
    // mirror each other about x = 0, where the picture is at the middle.
    for (auto [colour, row, start] : {std::tuple{kFtx1, 190, kLeftwardStart}, std::tuple{kFtx2, 270, kRightwardStart}}) {
        const uint32_t middle = (start + kCrossingsEnd) / 2;
        for (uint32_t d : {0u, 400u, 1000u, 1700u}) {
            drawFreshAt(middle - d);
            const auto before = leftEdge(colour, row);
            drawFreshAt(middle + d);
            const auto after = leftEdge(colour, row);
            ASSERT_TRUE(before && after) << d;
            EXPECT_LE(std::abs(*before + *after), 1) << "at " << d << " ms from " << middle;
        }
    }
}
