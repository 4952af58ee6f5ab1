#include "failing_locks.h"

#include <SDL.h>
#include <dlfcn.h>

namespace {
bool locksFail = false;
}

// Takes the place of SDL's own SDL_LockSurface for the whole test binary and
// forwards to it unless a FailingLocks is alive.
extern "C" int SDL_LockSurface(SDL_Surface* surface)
{
    using LockFunction = int (*)(SDL_Surface*);
    static const auto sdlLock = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, "SDL_LockSurface"));
    return locksFail ? -1 : sdlLock(surface);
}

FailingLocks::FailingLocks()
{
    locksFail = true;
}

FailingLocks::~FailingLocks()
{
    locksFail = false;
}
