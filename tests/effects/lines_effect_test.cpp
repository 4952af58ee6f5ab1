#include "effects/lines_effect.h"
#include "support/test_support.h"

#include <cmath>
#include <set>

namespace {
LineFigure figureAt(int32_t time, float amplitude = 1.0f)
{
    LineFigure figure;
    computeLineFigure(time, 640, 480, amplitude, figure);
    return figure;
}

// The colour lineColor writes for a 0xRRGGBBAA colour on the test screen.
uint32_t screenColour(uint32_t rgba)
{
    return rgba >> 8;
}
}  // namespace

TEST(LineFigure, MatchesTheWorkedExampleAtTime80000)
{
    const LineFigure figure = figureAt(80000);
    EXPECT_EQ(figure[0].colour, 0x9A990BFFu);
    EXPECT_EQ(figure[0].x1, 377);
    EXPECT_EQ(figure[0].y1, 219);
    EXPECT_EQ(figure[0].x2, 225);
    EXPECT_EQ(figure[0].y2, 90);
    EXPECT_EQ(figure[1].colour, 0x999A0AFFu);
    EXPECT_EQ(figure[1].x1, 378);
    EXPECT_EQ(figure[1].y1, 220);
    EXPECT_EQ(figure[1].x2, 225);
    EXPECT_EQ(figure[1].y2, 89);
}

TEST(LineFigure, StartsAsAGreyDotInTheCentreAtTime0)
{
    const LineSegment line = figureAt(0)[0];
    EXPECT_EQ(line.colour, 0x7F7F7FFFu);
    EXPECT_EQ(line.x1, 320);
    EXPECT_EQ(line.y1, 240);
    EXPECT_EQ(line.x2, 320);
    EXPECT_EQ(line.y2, 240);
}

TEST(LineFigure, StaysInsideItsReachAndChangesWithTime)
{
    for (int32_t time : {0, 80000, 88599, 1234567}) {
        std::set<uint32_t> colours;
        for (const LineSegment& line : figureAt(time)) {
            for (int x : {line.x1, line.x2}) {
                EXPECT_GE(x, -160);
                EXPECT_LE(x, 800);
            }
            for (int y : {line.y1, line.y2}) {
                EXPECT_GE(y, -160);
                EXPECT_LE(y, 640);
            }
            EXPECT_EQ(line.colour & 0xff, 0xffu);
            colours.insert(line.colour);
        }
        EXPECT_GT(colours.size(), 100u) << "the phases must advance from line to line";
    }
}

TEST(LineFigure, AmplitudeZeroShrinksEveryLineToTheCentre)
{
    for (const LineSegment& line : figureAt(80000, 0.0f)) {
        EXPECT_EQ(line.x1, 320);
        EXPECT_EQ(line.y1, 240);
        EXPECT_EQ(line.x2, 320);
        EXPECT_EQ(line.y2, 240);
    }
}

TEST(LineFigure, EndPointsAreTruncatedTowardZero)
{
    // Line 0's horizontal reach at time 80000, before amplitude: chosen
    // amplitudes then put x1 just beside a whole number.
    const double p = 800.0f;
    const double q = static_cast<float>(80000 * 0.01329085);
    const double a = static_cast<float>(std::sin(p * 0.32923) * 160);
    const double wa = static_cast<float>(320 + a);
    const double reach = std::sin(q * 0.123452987) * std::sin(p * 0.389252987) * wa;
    ASSERT_GT(reach, 50);  // so the amplitudes below stay small

    const auto x1For = [&](double wanted) {
        return figureAt(80000, static_cast<float>((wanted - 320) / reach))[0].x1;
    };
    EXPECT_EQ(x1For(-0.7), 0);
    EXPECT_EQ(x1For(-1.3), -1);
    EXPECT_EQ(x1For(319.9), 319);
    EXPECT_EQ(x1For(0.3), 0);
}

TEST(LineFigure, EndPointsOfAnUnusualAreaStayFinite)
{
    // Far beyond 32 bits every end point saturates, its low 16 bits 0 or -1.
    LineFigure figure;
    computeLineFigure(80000, 640, 480, 1e30f, figure);
    for (const LineSegment& line : figure)
        for (int16_t c : {line.x1, line.y1, line.x2, line.y2}) ASSERT_TRUE(c == 0 || c == -1) << c;
    // The largest area moves only the end points: the colours are the time's.
    computeLineFigure(80000, 0xffffffffu, 0xffffffffu, 1.0f, figure);
    const LineFigure usual = figureAt(80000);
    for (int i = 0; i < kLineCount; ++i) ASSERT_EQ(figure[i].colour, usual[i].colour) << i;
    // An area of one pixel has no reach at all.
    computeLineFigure(-2000000000, 1, 1, 1.0f, figure);
    for (const LineSegment& line : figure) ASSERT_EQ(line.x1 | line.y1 | line.x2 | line.y2, 0);
}

namespace {
class LinesRender : public ::testing::Test {
protected:
    void SetUp() override { SDL_FillRect(screen, nullptr, 0x123456); }
    SDL_Surface* screen = testScreen();
};
}  // namespace

TEST_F(LinesRender, DrawsTheFigureWithItsColoursAndEndPoints)
{
    LinesEffect lines(640, 480);
    lines.setAmplitude(1.0f);
    lines.render(screen, 80000);

    // The last line is drawn over all others, both of its ends included.
    const LineSegment last = figureAt(80000)[kLineCount - 1];
    EXPECT_EQ(pixelAt(screen, last.x1, last.y1), screenColour(last.colour));
    EXPECT_EQ(pixelAt(screen, last.x2, last.y2), screenColour(last.colour));
    EXPECT_EQ(pixelAt(screen, 0, 0), 0x123456u) << "draws over the target without clearing it";
}

TEST_F(LinesRender, AmplitudeZeroLeavesOneCentrePixelInTheLastLinesColour)
{
    LinesEffect lines(640, 480);
    lines.setAmplitude(0.0f);
    lines.render(screen, 80000);
    EXPECT_EQ(pixelAt(screen, 320, 240), screenColour(figureAt(80000)[kLineCount - 1].colour));
    SDL_Surface* expected = makePicture(640, 480, 0x123456);
    SDL_Rect centre = {320, 240, 1, 1};
    SDL_FillRect(expected, &centre, pixelAt(screen, 320, 240));
    EXPECT_EQ(checksum(screen), checksum(expected));
    SDL_FreeSurface(expected);
}

TEST_F(LinesRender, ClipsToATargetSmallerThanItsArea)
{
    // The target is a 50 x 30 window into a larger picture: lines reach it,
    // and nothing round it.
    constexpr uint32_t kRing = 0x00c0ffee;
    SDL_Surface* frame = makePicture(70, 50, kRing);
    auto* corner = static_cast<uint8_t*>(frame->pixels) + 10 * frame->pitch + 10 * 4;
    SDL_Surface* small = SDL_CreateRGBSurfaceFrom(corner, 50, 30, 32, frame->pitch, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(small, nullptr, 0);
    LinesEffect lines(640, 480);
    lines.setAmplitude(1.0f);
    for (int32_t time = 0; time < 200000; time += 9973) lines.render(small, time);
    lines.render(nullptr, 80000);

    int drawn = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 70; ++x) {
            const bool inside = x >= 10 && x < 60 && y >= 10 && y < 40;
            if (!inside) {
                ASSERT_EQ(pixelAt(frame, x, y), kRing) << x << "," << y;
            }
            drawn += inside && pixelAt(frame, x, y) != 0;
        }
    }
    EXPECT_GT(drawn, 0);
    SDL_FreeSurface(small);
    SDL_FreeSurface(frame);
}
