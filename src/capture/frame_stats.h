#pragma once

#include "core/timeline.h"
#include "platform/system.h"

#include <chrono>
#include <cstdio>
#include <vector>

// The processor time of the calling thread, where the system counts it
// finely (platform/system.h). Frames are timed with it rather than the wall
// clock so that other work on a shared machine, which can pre-empt a frame
// for several milliseconds, does not count as the frame's.
struct ThreadCpuClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<ThreadCpuClock>;
    static constexpr bool is_steady = true;

    static time_point now() { return time_point(threadTime()); }
};

// Frame times per scene, reported as frames, mean, 99th percentile and worst.
class FrameStats {
public:
    using Clock = ThreadCpuClock;

    // A frame drawn while the scene switch stood at sceneIndex.
    void add(int sceneIndex, Clock::duration time);

    // One line per scene: scene <n> frames <count> mean_ms <x> p99_ms <x> worst_ms <x>
    void print(FILE* out) const;

private:
    std::vector<double> milliseconds[kSceneCount];
};
