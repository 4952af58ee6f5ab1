// Preloaded into the demo by startup.sh: at the demo's first SDL_Flip it
// prints the wall-clock time in nanoseconds, and the time it was itself
// loaded, once the system had mapped the demo and its libraries; then it
// ends the process, so the script can measure the start-up from process
// start, and the demo's own part of it, to the first frame.
// SDL_SetVideoMode flips once itself, before anything is loaded; that flip
// comes from inside SDL and does not count.
#include "sdl_probe.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace {
long long nowNs()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

const long long loadedNs = nowNs();
}  // namespace

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    if (calledFromSdl(__builtin_return_address(0))) return realFlip(screen);
    printf("loaded_ns %lld first_frame_ns %lld\n", loadedNs, nowNs());
    fflush(stdout);
    _exit(0);
}
