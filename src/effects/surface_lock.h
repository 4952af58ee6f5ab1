#pragma once

#include <SDL.h>

// Holds a surface lock for one scope. A lock that fails is not undone:
// callers test the guard and skip their drawing.
class SurfaceLock {
public:
    explicit SurfaceLock(SDL_Surface* surface) : surface(surface), locked(SDL_LockSurface(surface) >= 0) {}
    ~SurfaceLock()
    {
        if (locked) SDL_UnlockSurface(surface);
    }

    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    explicit operator bool() const { return locked; }

private:
    SDL_Surface* surface;
    bool locked;
};
