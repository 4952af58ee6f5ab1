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
