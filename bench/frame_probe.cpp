// Preloaded into the demo by sound_sync.sh. Logs to $FRAME_PROBE_LOG the tick
// count of the demo clock's origin and, at every flip, the tick count that
// frame's clock was read from with the wall-clock time, so that the script
// can tell when the frame that played each cue was shown. Only the demo's own
// reads of the clock on its main thread count, not SDL's nor the audio
// callback's.
#include "sdl_probe.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
FILE* logFile()
{
    static FILE* file = fopen(getenv("FRAME_PROBE_LOG") ? getenv("FRAME_PROBE_LOG") : "/dev/null", "w");
    return file;
}

bool fromTheDemosMainThread(void* caller)
{
    return gettid() == getpid() && !calledFromSdl(caller);
}

Uint32 frameTicks;
}  // namespace

extern "C" Uint32 SDL_GetTicks()
{
    static auto* real = realSdl<Uint32()>("SDL_GetTicks");
    static bool started = false;
    const Uint32 now = real();
    if (!fromTheDemosMainThread(__builtin_return_address(0))) return now;
    if (!started) fprintf(logFile(), "start %u\n", now);
    started = true;
    frameTicks = now;
    return now;
}

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    const int result = realFlip(screen);
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    fprintf(logFile(), "flip %u %lld\n", frameTicks, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    return result;
}
