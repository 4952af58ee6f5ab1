#include "platform/sdl/display.h"

#include "globals.h"
#include "platform/sdl/sdl_version.h"
#include "platform/system.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
constexpr char kWindowTitle[] = "Tideglow";
constexpr char kIconFile[] = "data/icon.png";

void setWindowCaptionAndIcon()
{
    SDL_WM_SetCaption(kWindowTitle, kWindowTitle);
    SDL_Surface* icon = IMG_Load(kIconFile);
    if (!icon) {
        fprintf(stderr, "No window icon (%s): %s\n", kIconFile, imageError());
        return;
    }
    // SDL keeps its own copy.
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

// Where SDL cannot switch in place (classic SDL 1.2 on Windows), the mode set
// anew with the other flag. SDL keeps the display surface it made at start,
// which the demo holds; should it give another, the old mode is set back.
bool setOtherMode(SDL_Surface* screen)
{
    const Uint32 current = screen->flags & SDL_FULLSCREEN;
    if (SDL_SetVideoMode(screen->w, screen->h, 32, current ^ SDL_FULLSCREEN) == screen) return true;
    SDL_SetVideoMode(screen->w, screen->h, 32, current);
    return false;
}
}  // namespace

void preferDisplaySettings()
{
    setEnvironment("SDL12COMPAT_SYNC_TO_VBLANK", "1", false);
    setEnvironment("SDL12COMPAT_SCALE_METHOD", "nearest", false);
}

void preferWindowScale(int width, int height)
{
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (!desktop || desktop->current_w <= 0 || desktop->current_h <= 0) return;
    const int scale = std::max(1, std::min(desktop->current_w / width, (desktop->current_h - 1) / height));
    setEnvironment("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), false);
}

void toggleFullScreen(SDL_Surface* screen)
{
    if (!SDL_WM_ToggleFullScreen(screen) && !setOtherMode(screen)) return;
    SDL_ShowCursor(screen->flags & SDL_FULLSCREEN ? SDL_DISABLE : SDL_ENABLE);
}

Display openFullScreen(int width, int height)
{
    if (!onSdl12Compat()) return openDisplay(width, height, true);
    const Display display = openDisplay(width, height, false);
    if (display.screen) toggleFullScreen(display.screen);
    return display;
}

Display openDesktopDisplay()
{
    endOnLostDisplay();
    // Before the window exists: sdl12-compat queues the events of its
    // creation, and any queued before the filter would stay for good.
    SDL_SetEventFilter(eventFilter);
    setWindowCaptionAndIcon();
    preferWindowScale(kScreenWidth, kScreenHeight);
    const Display display = openFullScreen(kScreenWidth, kScreenHeight);
    SDL_ShowCursor(SDL_DISABLE);
    return display;
}

Platform desktopPlatform()
{
    return {SDL_GetTicks, [] {
                const bool quit = quitEventPending();
                if (displayToggleRequested) {
                    displayToggleRequested = 0;
                    toggleFullScreen(SDL_GetVideoSurface());
                }
                return quit;
            }};
}
