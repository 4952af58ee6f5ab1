#pragma once

#include "driver/timeline.h"

#include <chrono>
#include <cstdio>
#include <vector>

// Frame times per scene, reported as frames, mean, 99th percentile and worst.
class FrameStats {
public:
    using Clock = std::chrono::steady_clock;

    // A frame drawn while the scene switch stood at sceneIndex.
    void add(int sceneIndex, Clock::duration time);

    // One line per scene: scene <n> frames <count> mean_ms <x> p99_ms <x> worst_ms <x>
    void print(FILE* out) const;

private:
    std::vector<double> milliseconds[kSceneCount];
};
