#include "sound/mix_clock.h"

#include <algorithm>

void MixClock::frame(uint32_t demoTime, uint32_t ticks)
{
    trails[next] = ticks - demoTime;
    next = (next + 1) % kFrames;
    count = std::min(count + 1, kFrames);
    trail = *std::min_element(trails, trails + count);
    latest = demoTime;
}

void fillFromClock(SoundMix& mix, const MixClock& clock, MixFollower& follower, int32_t musicStart, uint32_t ticks,
                   int16_t* out, int frames)
{
    if (!clock.running()) {
        std::fill_n(out, 2 * frames, int16_t{0});
        return;
    }
    const Frames target = framesOf(clock.demoTimeAt(ticks) + musicStart) - kMixDelay;
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
