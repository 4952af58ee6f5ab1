#pragma once

#include "core/timeline.h"
#include "platform/system.h"

#include <chrono>
#include <cstdio>
#include <vector>

// threadTime() as a std::chrono clock: the processor time of the calling
// thread, or the wall clock where the system counts that only coarsely
// (platform/system.h). Frames are timed with it so that other work on a
// shared machine, which can pre-empt a frame for several milliseconds, does
// not count as the frame's.
struct ThreadTimeClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<ThreadTimeClock>;
    static constexpr bool is_steady = true;

    static time_point now() { return time_point(threadTime()); }
};

// Frame times per scene, reported as frames, mean, 99th percentile and worst.
class FrameStats {
public:
    using Clock = ThreadTimeClock;

    // A frame drawn while the scene switch stood at sceneIndex.
    void add(int sceneIndex, Clock::duration time);

    // One line per scene: scene <n> frames <count> mean_ms <x> p99_ms <x> worst_ms <x>
    void print(FILE* out) const;

private:
    std::vector<double> milliseconds[kSceneCount];
};
