#include "capture/frame_stats.h"

#include <algorithm>
#include <numeric>

void FrameStats::add(int sceneIndex, Clock::duration time)
{
    if (sceneIndex < 0 || sceneIndex >= kSceneCount) return;
    milliseconds[sceneIndex].push_back(std::chrono::duration<double, std::milli>(time).count());
}

void FrameStats::print(FILE* out) const
{
    for (int i = 0; i < kSceneCount; ++i) {
        std::vector<double> times = milliseconds[i];
        if (times.empty()) continue;
        std::sort(times.begin(), times.end());
        const double mean = std::accumulate(times.begin(), times.end(), 0.0) / times.size();
        const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        fprintf(out, "scene %d frames %zu mean_ms %.3f p99_ms %.3f worst_ms %.3f\n", i + 1, times.size(), mean, p99,
                times.back());
    }
}
