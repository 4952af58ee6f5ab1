#include "player/player_bar.h"

#include "core/demo.h"
#include "core/timeline.h"

#include <algorithm>

namespace {
constexpr uint32_t kBarShown = 2000;  // after a jump, a step or a resume

// The layout of the bar, in pixels from its left and top.
constexpr int kPauseLeft = 12;
constexpr int kTimeLeft = 30;
constexpr int kLineLeft = 90;
constexpr int kLineRight = kScreenWidth - 14;
constexpr int kMiddle = kPlayerBarHeight / 2;
constexpr uint32_t kPlayed = 0xffb347;  // the glow of the title
constexpr uint32_t kToPlay = 0x707070;
constexpr uint32_t kMark = 0xd0d0d0;
constexpr uint32_t kText = 0xffffff;

// Digits, ':' and '.', 3 x 5, one row a byte, the high of three bits leftmost.
constexpr uint8_t kGlyphs[12][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1}, {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}, {0, 2, 0, 2, 0}, {0, 0, 0, 0, 2},
};
constexpr int kGlyphScale = 2;
constexpr int kColon = 10, kDot = 11;

void fill(const PixelView& view, int left, int top, int width, int height, uint32_t colour)
{
    const int right = std::min(left + width, view.width), bottom = std::min(top + height, view.height);
    for (int y = std::max(top, 0); y < bottom; ++y)
        for (int x = std::max(left, 0); x < right; ++x) view.row(y)[x] = colour;
}

// Draws glyph `g` with its top-left corner at (left, top); its width.
int drawGlyph(const PixelView& view, int g, int left, int top)
{
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            if (kGlyphs[g][y] >> (2 - x) & 1)
                fill(view, left + x * kGlyphScale, top + y * kGlyphScale, kGlyphScale, kGlyphScale, kText);
    return 4 * kGlyphScale;
}

// demoTime as m:ss.s, rounded down to the tenth.
void drawTime(const PixelView& view, uint32_t demoTime, int left, int top)
{
    const uint32_t tenths = demoTime / 100;
    const int glyphs[] = {static_cast<int>(tenths / 600 % 10), kColon, static_cast<int>(tenths / 100 % 6),
                          static_cast<int>(tenths / 10 % 10),  kDot,   static_cast<int>(tenths % 10)};
    for (const int g : glyphs) left += drawGlyph(view, g, left, top);
}

int lineX(uint32_t t)
{
    const uint32_t end = kFountainSceneEnd;
    return kLineLeft + static_cast<int>(int64_t{std::min(t, end)} * (kLineRight - kLineLeft) / end);
}
}  // namespace

void drawPlayerBar(const PixelView& strip, uint32_t demoTime, BarSign sign)
{
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x) strip.row(y)[x] = strip.row(y)[x] >> 2 & 0x3f3f3f;
    if (sign == BarSign::Paused) {
        fill(strip, kPauseLeft, kMiddle - 5, 3, 10, kText);
        fill(strip, kPauseLeft + 6, kMiddle - 5, 3, 10, kText);
    } else if (sign == BarSign::Waiting) {
        for (int dot = 0; dot < 3; ++dot) fill(strip, kPauseLeft - 3 + 5 * dot, kMiddle + 2, 2, 2, kText);
    }
    drawTime(strip, demoTime, kTimeLeft, kMiddle - 5);
    const int now = lineX(demoTime);
    fill(strip, kLineLeft, kMiddle - 1, now - kLineLeft, 2, kPlayed);
    fill(strip, now, kMiddle - 1, kLineRight - now, 2, kToPlay);
    for (const uint32_t start : kSceneStarts) fill(strip, lineX(start), kMiddle - 4, 1, 8, kMark);
    fill(strip, now - 1, kMiddle - 6, 3, 12, kText);
}

void PlayerBar::showFrom(uint32_t ticks)
{
    until = ticks + kBarShown;
    timed = true;
}

bool PlayerBar::showsAt(uint32_t ticks, uint32_t demoTime, BarSign sign)
{
    if (timed && static_cast<int32_t>(ticks - until) >= 0) timed = false;
    shownTime = demoTime;
    shownSign = sign;
    return timed || sign != BarSign::None;
}

void PlayerBar::draw(const PixelView& strip)
{
    drawPlayerBar(strip, shownTime, shownSign);
}
