#pragma once

#include <SDL.h>

// Holds a surface lock for one scope. A lock that fails is not undone:
// callers test the guard and skip their drawing. WhenSdlNeedsIt locks only
// the surfaces SDL_MUSTLOCK names (hardware and RLE ones), as SDL's own blit
// does: locking classic SDL's screen also hides and redraws the mouse
// cursor, which costs more than drawing a small picture.
class SurfaceLock {
public:
    enum Need { Always, WhenSdlNeedsIt };

    explicit SurfaceLock(SDL_Surface* surface, Need need = Always)
        : locked(need == Always || SDL_MUSTLOCK(surface) ? surface : nullptr),
          usable(!locked || SDL_LockSurface(locked) >= 0)
    {
    }
    ~SurfaceLock()
    {
        if (locked && usable) SDL_UnlockSurface(locked);
    }

    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    explicit operator bool() const { return usable; }

private:
    SDL_Surface* locked;  // null when no lock was needed
    bool usable;
};
