/* Preloaded into the demo by the end-to-end tests, so that a whole run takes
 * seconds. Until the first SDL_Flip the ticks are real, so start-up costs
 * what it costs; after it, SDL_GetTicks runs FAST_CLOCK_SCALE times faster
 * than real time or, with FAST_CLOCK_STEP, moves that many milliseconds per
 * call whatever the real time (for runs under Valgrind, whose frames take
 * very different times). SLOW_START_MS makes each IMG_Load that much slower,
 * which leaves time to press keys during start-up. With FAIL_BACK_BUFFER set,
 * the first surface made after the display has opened, the back buffer, is
 * refused as SDL refuses one without memory. With FLIP_COUNT_FILE set, the
 * flips per second between the first flip and the process's end are written
 * there when it ends. With FIRST_FRAME_MS set, the first frame is drawn for
 * that demoTime: the clock's reading for it is taken as four times that past
 * the clock's origin (the first reading), and from there the clock runs in
 * real time; with HOLD_FIRST_FRAME set too, the second flip waits until the
 * file it names exists, so that the first frame stays on the screen. With
 * FIRST_FLIP_FILE set, the first flip makes that file: the demo is running.
 * With FIXED_TIME set, time() reads that many seconds: the demo's seed,
 * which demo-capture --seed then takes. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int flipped;
static int displayOpen;
static uint32_t flipTicks;
static uint32_t calls;
static unsigned long flips;
static struct timespec firstFlip;

static uint32_t realTicks(void)
{
    static uint32_t (*real)(void);
    if (!real) real = (uint32_t(*)(void))dlsym(RTLD_NEXT, "SDL_GetTicks");
    return real();
}

static long knob(const char* name)
{
    const char* value = getenv(name);
    return value ? atol(value) : 0;
}

/* The real ticks moved on so that the first frame, the clock's second
 * reading on the thread that took its origin, finds FIRST_FRAME_MS x 4
 * elapsed. Other threads (the sound's) read real ticks until then. */
static uint32_t firstFrameTicks(uint32_t now)
{
    static pthread_t mainThread;
    static uint32_t origin, shift;
    static int readings;
    if (readings == 0) {
        mainThread = pthread_self();
        origin = now;
        readings = 1;
    } else if (readings == 1 && pthread_equal(pthread_self(), mainThread)) {
        shift = origin + 4 * (uint32_t)knob("FIRST_FRAME_MS") - now;
        readings = 2;
    }
    return readings == 2 ? now + shift : now;
}

uint32_t SDL_GetTicks(void)
{
    const uint32_t now = knob("FIRST_FRAME_MS") > 0 ? firstFrameTicks(realTicks()) : realTicks();
    if (!flipped) return now;
    const long step = knob("FAST_CLOCK_STEP");
    if (step > 0) return flipTicks + (uint32_t)(++calls * step);
    const long scale = knob("FAST_CLOCK_SCALE");
    return flipTicks + (now - flipTicks) * (uint32_t)(scale > 0 ? scale : 1);
}

int SDL_Flip(void* screen)
{
    static int (*real)(void*);
    if (!real) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_Flip");
    if (!flipped) {
        flipTicks = realTicks();
        flipped = 1;
        clock_gettime(CLOCK_MONOTONIC, &firstFlip);
        const char* running = getenv("FIRST_FLIP_FILE");
        FILE* made = running ? fopen(running, "w") : NULL;
        if (made) fclose(made);
    }
    const char* hold = getenv("HOLD_FIRST_FRAME");
    // At most 30 s: a test that failed meanwhile is no longer there to say so.
    for (int wait = 0; flips == 1 && hold && wait < 3000 && access(hold, F_OK) != 0; ++wait) usleep(10000);
    ++flips;
    return real(screen);
}

__attribute__((destructor)) static void writeFlipRate(void)
{
    const char* path = getenv("FLIP_COUNT_FILE");
    if (!path || flips < 2) return;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    FILE* out = fopen(path, "w");
    if (!out) return;
    const double seconds = (double)(now.tv_sec - firstFlip.tv_sec) + (double)(now.tv_nsec - firstFlip.tv_nsec) * 1e-9;
    fprintf(out, "%.1f\n", (double)(flips - 1) / seconds);
    fclose(out);
}

time_t time(time_t* out)
{
    static time_t (*real)(time_t*);
    if (!real) real = (time_t(*)(time_t*))dlsym(RTLD_NEXT, "time");
    const long fixed = knob("FIXED_TIME");
    if (fixed <= 0) return real(out);
    if (out) *out = fixed;
    return fixed;
}

void* IMG_Load(const char* path)
{
    static void* (*real)(const char*);
    if (!real) real = (void* (*)(const char*))dlsym(RTLD_NEXT, "IMG_Load");
    const long slow = knob("SLOW_START_MS");
    if (slow > 0) {
        struct timespec pause = {slow / 1000, (slow % 1000) * 1000000};
        nanosleep(&pause, NULL);
    }
    return real(path);
}

void* SDL_SetVideoMode(int width, int height, int bpp, uint32_t flags)
{
    static void* (*real)(int, int, int, uint32_t);
    if (!real) real = (void* (*)(int, int, int, uint32_t))dlsym(RTLD_NEXT, "SDL_SetVideoMode");
    void* screen = real(width, height, bpp, flags);
    displayOpen = screen != NULL;
    return screen;
}

void* SDL_CreateRGBSurface(uint32_t flags, int width, int height, int depth, uint32_t r, uint32_t g, uint32_t b,
                           uint32_t a)
{
    static void* (*real)(uint32_t, int, int, int, uint32_t, uint32_t, uint32_t, uint32_t);
    if (!real)
        real = (void* (*)(uint32_t, int, int, int, uint32_t, uint32_t, uint32_t, uint32_t))dlsym(
            RTLD_NEXT, "SDL_CreateRGBSurface");
    if (displayOpen && knob("FAIL_BACK_BUFFER")) {
        displayOpen = 0;
        return NULL;
    }
    return real(flags, width, height, depth, r, g, b, a);
}
