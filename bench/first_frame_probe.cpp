// Preloaded into the demo by startup.sh: at the demo's first SDL_Flip it
// prints the wall-clock time in nanoseconds and ends the process, so the
// script can measure the start-up from process start to the first frame.
// SDL_SetVideoMode flips once itself, before anything is loaded; that flip
// comes from inside SDL and does not count.
#include "sdl_probe.h"

#include <unistd.h>

#include <cstdio>
#include <ctime>

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    if (calledFromSdl(__builtin_return_address(0))) return realFlip(screen);
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    printf("first_frame_ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    fflush(stdout);
    _exit(0);
}
