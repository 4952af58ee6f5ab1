#include "player/player.h"

#include "core/frame_grid.h"
#include "core/frame_loop.h"
#include "core/present.h"
#include "globals.h"
#include "player/grid.h"
#include "sound/sound.h"

#include <algorithm>

namespace {
constexpr uint32_t kPausedRefresh = 1000;  // a held picture is shown again this often
}  // namespace

Player::Player(Demo& demo, Recorder& recorder, std::function<uint32_t()> clock, bool drawsBar)
    : demo(demo), recorder(recorder), clock(std::move(clock))
{
    if (drawsBar) bar.emplace();
}

uint32_t Player::shownTime() const
{
    return waiting ? frameTime(waiting->frame, kPlayerFps) : demo.demoTime;
}

void Player::setPaused(bool paused, uint32_t ticks)
{
    presentDue = true;
    if (waiting) {
        waiting->playsOn = !paused;
    } else if (paused) {
        pauseDemo(demo, ticks);
    } else if (demo.paused) {
        resumeDemo(demo, ticks);
        if (bar) bar->showFrom(ticks);
    }
}

bool Player::turn(uint32_t ticks)
{
    bool placed = false;
    if (waiting && recorder.reaches(waiting->frame)) {
        land(waiting->frame, ticks);
        placed = true;
    }
    const PlayerPosition move = foldKeys(playerKeys.pressed, playerKeys.count, {shownTime(), paused(), false});
    playerKeys.count = 0;
    if (move.moved) {
        moveTo(firstFrameAtOrAfter(move.time, kPlayerFps), move.paused, ticks);
        placed = true;
    } else if (move.paused != paused()) {
        setPaused(move.paused, ticks);
    }

    if (placed) {
        present(ticks);
    } else if (demo.paused) {
        // The picture held: shown when it changed, and now and then for a
        // display that lost it.
        if (presentDue || ticks - presentedAt >= kPausedRefresh) {
            present(ticks);
            presentedAt = ticks;
            presentDue = false;
        }
    } else {
        shownFrame.reset();
        playFrame(demo, ticks);
        present(ticks);
    }
    return demo.paused;
}

void Player::jumpTo(uint32_t target, uint32_t ticks)
{
    const uint64_t frame = std::min(firstFrameAtOrAfter(target, kPlayerFps), lastPlayerFrame());
    moveTo(frame, paused() || frame == lastPlayerFrame(), ticks);
}

void Player::moveTo(uint64_t frame, bool paused, uint32_t ticks)
{
    if (followsShownFrame(frame) || recorder.reaches(frame)) {
        setPaused(paused, land(frame, ticks));
        return;
    }
    if (!waiting) pauseDemo(demo, ticks);
    waiting = Wait{frame, !paused};
    shownFrame.reset();
    presentDue = true;
}

uint32_t Player::land(uint64_t frame, uint32_t ticks)
{
    const uint32_t before = demo.demoTime;
    // One frame on from the grid frame on the screen is drawn from it as it
    // is; any other is replayed from a snapshot, in full only from the
    // first frame whose picture shows in it.
    uint64_t next = followsShownFrame(frame) ? frame : recorder.restoreFor(frame, demo);
    const uint64_t firstSeen = firstFrameShownIn(frame);
    demo.cuesAudible = false;
    for (; next <= frame; ++next) drawGridFrame(demo, next, kPlayerFps, next >= firstSeen);
    demo.cuesAudible = true;
    shownFrame = frame;
    // The clock keeps the trail it had behind the elapsed time, and playing
    // stood still while the frames were replayed.
    const uint32_t now = clock();
    if (!demo.paused) demo.startTicks += now - ticks;
    demo.startTicks -= demo.demoTime - before;
    soundJump(demo.demoTime, now, demo.startTicks, demo.cuePending, demo.cueFiredAt);
    if (waiting) {
        const bool playsOn = waiting->playsOn;
        waiting.reset();
        if (playsOn) resumeDemo(demo, now);
    }
    if (bar) bar->showFrom(now);
    presentDue = true;
    return now;
}

void Player::present(uint32_t ticks)
{
    const BarSign sign = waiting ? BarSign::Waiting : demo.paused ? BarSign::Paused : BarSign::None;
    const bool withBar = bar && bar->showsAt(ticks, shownTime(), sign);
    presentFrame(demo.screen, withBar ? &*bar : nullptr);
}
