#include "sound/mix_clock.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

void MixClock::frame(uint32_t demoTime, uint32_t ticks, uint32_t startTicks)
{
    origin = startTicks;
    trails[next] = ticks - startTicks - demoTime;
    // The first frame has no interval: its slot says nothing of the rate.
    intervals[next] = count > 0 ? ticks - lastTicks : UINT32_MAX;
    lastTicks = ticks;
    next = (next + 1) % kFrames;
    count = std::min(count + 1, kFrames);
    trail = *std::min_element(trails, trails + count);
    const uint32_t shortest = *std::min_element(intervals, intervals + count);
    if (shortest != UINT32_MAX) trail = std::max(trail, 3 * shortest);
}

void MixClock::pause(uint32_t ticks)
{
    if (isPaused) return;
    isPaused = true;
    pausedAt = ticks;
}

void MixClock::resume(uint32_t ticks)
{
    if (!isPaused) return;
    isPaused = false;
    origin += ticks - pausedAt;
}

void ClockedMix::reset(int voices)
{
    const Frames deviceDelay = delay;
    *this = ClockedMix{};
    delay = deviceDelay;
    mix = SoundMix(voices);
}

void ClockedMix::play(const Pcm* sample, uint32_t demoTime, int volume)
{
    if (jumpState == JumpState::None) {
        mix.setVolume(mix.play(sample, framesOf(int64_t{demoTime} + musicStart)), volume);
        return;
    }
    if (waitingCount < static_cast<int>(std::size(waiting))) waiting[waitingCount++] = {sample, demoTime, volume};
}

void ClockedMix::jump(uint32_t demoTime, uint32_t ticks, uint32_t startTicks)
{
    clock.frame(demoTime, ticks, startTicks);
    jumpState = JumpState::Gathering;
    waitingCount = 0;
}

void ClockedMix::land()
{
    mix.stopAll();
    for (int i = 0; i < waitingCount; ++i) {
        const WaitingCue& cue = waiting[i];
        mix.setVolume(mix.place(cue.sample, framesOf(int64_t{cue.demoTime} + musicStart)), cue.volume);
    }
    jumpState = JumpState::None;
    waitingCount = 0;
}

void ClockedMix::fill(int16_t* out, int frames, uint32_t ticks)
{
    // A mix that started early would stay early: the follower lets a small
    // lead be.
    const Frames target = framesOf(clock.demoTimeAt(ticks) + musicStart) - delay;
    if (!clock.running() || (clock.paused() && mix.silent()) || (mix.position() == 0 && target < 0)) {
        std::fill_n(out, 2 * frames, int16_t{0});
        return;
    }
    if (clock.paused() || (jumpState != JumpState::None && !mix.silent())) {
        mix.fadeOut();
        mix.render(out, frames);
        return;
    }
    if (jumpState == JumpState::Gathering) {
        std::fill_n(out, 2 * frames, int16_t{0});
        return;
    }
    if (mix.silent()) {
        // Silent since the pause or the jump: the move to the clock is not
        // heard.
        mix.seek(target);
        follower = MixFollower{};
        if (jumpState == JumpState::Landed) land();
    }
    mix.fadeIn();
    switch (follower.next(mix.position(), target)) {
    case MixFollower::Step::Skip:
        mix.seek(target);
        [[fallthrough]];
    case MixFollower::Step::Play:
        mix.render(out, frames);
        break;
    case MixFollower::Step::Wait:
        std::fill_n(out, 2 * frames, int16_t{0});
        break;
    }
}

MixFollower::Step MixFollower::next(Frames position, Frames target)
{
    const Frames lead = position - target;
    if (lead < -kTolerance) {
        count = nextSlot = 0;
        return Step::Skip;
    }
    leads[nextSlot] = lead;
    nextSlot = (nextSlot + 1) % kBuffers;
    count = std::min(count + 1, kBuffers);
    return *std::min_element(leads, leads + count) > kLeadTolerance ? Step::Wait : Step::Play;
}
