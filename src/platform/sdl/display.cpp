#include "platform/sdl/display.h"

#include "globals.h"
#include "platform/sdl/sdl_version.h"

#include <algorithm>
#include <cstdlib>
#include <string>

void preferDisplaySettings()
{
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

void preferWindowScale(int width, int height)
{
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (!desktop || desktop->current_w <= 0 || desktop->current_h <= 0) return;
    const int scale = std::max(1, std::min(desktop->current_w / width, (desktop->current_h - 1) / height));
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 0);
}

void toggleFullScreen(SDL_Surface* screen)
{
    if (!SDL_WM_ToggleFullScreen(screen)) return;
    SDL_ShowCursor(screen->flags & SDL_FULLSCREEN ? SDL_DISABLE : SDL_ENABLE);
}

Display openFullScreen(int width, int height)
{
    if (!onSdl12Compat()) return openDisplay(width, height, true);
    const Display display = openDisplay(width, height, false);
    if (display.screen) toggleFullScreen(display.screen);
    return display;
}

Platform desktopPlatform()
{
    const Platform sdl = sdlPlatform();
    return {sdl.ticks, [quitPending = sdl.quitPending] {
                const bool quit = quitPending();
                if (displayToggleRequested) {
                    displayToggleRequested = 0;
                    toggleFullScreen(SDL_GetVideoSurface());
                }
                return quit;
            }};
}
