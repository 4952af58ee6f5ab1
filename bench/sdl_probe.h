#pragma once

// What the probes preloaded into the demo share: SDL's own functions behind
// the ones they wrap, and whether a call came from inside SDL, as the flip
// SDL_SetVideoMode makes itself before anything is loaded does.
#include <SDL.h>

#include <dlfcn.h>

#include <cstring>

template <typename Function>
Function* realSdl(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

inline int realFlip(SDL_Surface* screen)
{
    static auto* real = realSdl<int(SDL_Surface*)>("SDL_Flip");
    return real(screen);
}

inline bool calledFromSdl(void* caller)
{
    Dl_info info;
    return dladdr(caller, &info) && info.dli_fname && strstr(info.dli_fname, "libSDL");
}
