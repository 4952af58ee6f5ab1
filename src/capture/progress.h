#pragma once

#include <chrono>
#include <cstdint>

// A progress bar on standard error for runs longer than a second: frames
// done, total, frames per second and time left.
class Progress {
public:
    explicit Progress(uint64_t total);
    void update(uint64_t done);
    void finish();

private:
    using Clock = std::chrono::steady_clock;
    uint64_t total;
    Clock::time_point start = Clock::now();
    Clock::time_point lastShown = start;
    bool onTerminal;
    bool shown = false;
};
