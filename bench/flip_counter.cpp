// Preloaded into the demo by flip_rate.sh: counts SDL_Flip calls and, when
// the process ends, prints the flips per second between its first and its
// last flip.
#include "sdl_probe.h"

#include <cstdio>
#include <ctime>

namespace {
unsigned long flips = 0;
timespec first, last;

double seconds(const timespec& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

__attribute__((destructor)) void report()
{
    if (flips < 2) return;
    printf("flips %lu flips_per_s %.1f\n", flips, static_cast<double>(flips - 1) / (seconds(last) - seconds(first)));
}
}  // namespace

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    const int result = realFlip(screen);
    clock_gettime(CLOCK_MONOTONIC, flips++ == 0 ? &first : &last);
    return result;
}
