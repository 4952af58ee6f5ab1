#include "core/player.h"

#include "core/frame_grid.h"
#include "core/frame_loop.h"
#include "effects/surface_lock.h"
#include "globals.h"
#include "sound/sound.h"

#include <algorithm>

namespace {
constexpr int kFps = Recorder::kGridFps;
constexpr uint32_t kSkip = 5000;            // Right and Left
constexpr uint32_t kBackToPrevious = 2000;  // Page Up goes a scene back this soon after one starts
constexpr uint32_t kBarShown = 2000;        // after a jump, a step or a resume
constexpr uint32_t kPausedRefresh = 1000;

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

Player::Player(Demo& demo, Recorder& recorder, std::function<uint32_t()> clock, bool drawsBar)
    : demo(demo),
      recorder(recorder),
      clock(std::move(clock)),
      drawsBar(drawsBar),
      under(drawsBar ? size_t{kScreenWidth} * kPlayerBarHeight : 0)
{
}

uint32_t Player::shownTime() const
{
    return waiting ? frameTime(waitingFor, kFps) : demo.demoTime;
}

void Player::setPaused(bool paused, uint32_t ticks)
{
    presentDue = true;
    if (waiting) {
        playsAfterWait = !paused;
    } else if (paused) {
        pauseDemo(demo, ticks);
    } else {
        resumeDemo(demo, ticks);
        showBar(ticks);
    }
}

void Player::showBar(uint32_t ticks)
{
    barUntil = ticks + kBarShown;
    barTimed = true;
    presentDue = true;
}

bool Player::takeKeys(uint32_t ticks)
{
    bool placed = false;
    if (waiting && recorder.framesRecorded() > waitingFor) {
        land(waitingFor, ticks);
        placed = true;
    }
    for (int i = 0; i < playerKeys.count; ++i) {
        const uint32_t t = shownTime();
        switch (playerKeys.pressed[i]) {
        case PlayerKey::Pause: setPaused(!paused(), ticks); continue;
        case PlayerKey::Forward: jumpTo(std::min(t + kSkip, Recorder::lastFrameTime()), ticks); break;
        case PlayerKey::Back: jumpTo(t > kSkip ? t - kSkip : 0, ticks); break;
        case PlayerKey::NextScene:
            if (sceneAt(t) + 1 == kSceneCount) continue;
            jumpTo(kSceneStarts[sceneAt(t) + 1], ticks);
            break;
        case PlayerKey::PreviousScene: {
            const int scene = sceneAt(t);
            const bool justStarted = scene > 0 && t - kSceneStarts[scene] < kBackToPrevious;
            jumpTo(kSceneStarts[justStarted ? scene - 1 : scene], ticks);
            break;
        }
        case PlayerKey::Start: jumpTo(0, ticks); break;
        case PlayerKey::StepForward:
            if (!paused() || t >= Recorder::lastFrameTime()) continue;
            jumpTo(t + 1, ticks);
            break;
        case PlayerKey::StepBack: {
            if (!paused() || t == 0) continue;
            const uint64_t before = firstFrameAtOrAfter(t, kFps) - 1;
            jumpTo(frameTime(before, kFps), ticks);
            break;
        }
        }
        placed = true;
    }
    playerKeys.count = 0;
    if (!placed && !demo.paused) onGrid = false;
    return placed;
}

void Player::jumpTo(uint32_t target, uint32_t ticks)
{
    const uint64_t frame = std::min(firstFrameAtOrAfter(target, kFps), Recorder::lastFrame());
    if (followsShownFrame(frame) || recorder.framesRecorded() > frame) {
        land(frame, ticks);
        return;
    }
    if (!waiting) {
        playsAfterWait = !demo.paused;
        pauseDemo(demo, ticks);
        waiting = true;
    }
    waitingFor = frame;
    onGrid = false;
    presentDue = true;
}

void Player::land(uint64_t frame, uint32_t ticks)
{
    const uint32_t before = demo.demoTime;
    // One frame on from the grid frame on the screen is drawn from it as it
    // is; any other is replayed from a snapshot.
    uint64_t drawn = followsShownFrame(frame) ? gridFrame : recorder.restoreAtOrBefore(frame, demo);
    demo.cuesAudible = false;
    // Only the pictures the frame shown reads are drawn: the last two, and
    // what a scene drawing over its last picture reads.
    while (drawn < frame) {
        demo.demoTime = frameTime(++drawn, kFps);
        renderFrameShowing(demo, drawn + 2 >= frame || Recorder::laterFramesRead(drawn));
    }
    demo.cuesAudible = true;
    demo.demoTime = frameTime(frame, kFps);
    gridFrame = frame;
    onGrid = true;
    // The clock keeps the trail it had behind the elapsed time, and playing
    // stood still while the frames were replayed.
    const uint32_t now = clock();
    if (!demo.paused) demo.startTicks += now - ticks;
    demo.startTicks -= demo.demoTime - before;
    soundJump(demo.demoTime, now, demo.startTicks, demo.cuePending, demo.cueFiredAt);
    if (waiting) {
        waiting = false;
        if (playsAfterWait) resumeDemo(demo, now);
    }
    showBar(now);
}

// The screen's bottom rows, where the bar goes; the screen locked.
PixelView Player::barStrip() const
{
    const PixelView view = viewOf(demo.screen);
    return {view.row(view.height - kPlayerBarHeight), view.pitch, view.width, kPlayerBarHeight};
}

void Player::present(uint32_t ticks)
{
    if (barTimed && static_cast<int32_t>(ticks - barUntil) >= 0) barTimed = false;
    bool barDrawn = false;
    if (drawsBar && (demo.paused || barTimed)) {
        SurfaceLock lock(demo.screen);
        if (lock) {
            const PixelView strip = barStrip();
            for (int y = 0; y < kPlayerBarHeight; ++y)
                std::copy_n(strip.row(y), kScreenWidth, &under[size_t{kScreenWidth} * y]);
            const BarSign sign = waiting ? BarSign::Waiting : demo.paused ? BarSign::Paused : BarSign::None;
            drawPlayerBar(strip, shownTime(), sign);
            barDrawn = true;
        }
    }
    SDL_Flip(demo.screen);
    if (!barDrawn) return;
    SurfaceLock lock(demo.screen);
    if (!lock) return;
    const PixelView strip = barStrip();
    for (int y = 0; y < kPlayerBarHeight; ++y)
        std::copy_n(&under[size_t{kScreenWidth} * y], kScreenWidth, strip.row(y));
}

void Player::presentPaused(uint32_t ticks)
{
    if (!presentDue && ticks - presentedAt < kPausedRefresh) return;
    present(ticks);
    presentedAt = ticks;
    presentDue = false;
}
