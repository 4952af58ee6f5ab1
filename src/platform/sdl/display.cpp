#include "platform/sdl/display.h"

#include "core/events.h"
#include "data_files.h"
#include "globals.h"
#include "platform/sdl/sdl_version.h"
#include "platform/system.h"
#include "sound/sound.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {
constexpr char kWindowTitle[] = "Tideglow";
// The desktop file's name: how a Wayland compositor or an X dock finds the
// menu entry and icon of the window.
constexpr char kAppId[] = "tideglow";

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

// A display server gone under the demo: there is no display left to shut
// down, and returning would leave the process to SDL and the window system.
[[noreturn]] void endForLostDisplay(const char* server)
{
    fprintf(stderr, "The display was lost (its %s went away): the demo ends\n", server);
    soundShutdown();
    std::_Exit(1);
}

// The mode set anew with the other flag, the picture kept across it (the
// fire and the warp read it back). SDL keeps the display surface it made at
// start, which the demo holds; should it give another, the old mode is set
// back. Out of full screen the pointer is free: SDL 1.2 grabs it for full
// screen but leaves the grab on after it.
bool setOtherMode(SDL_Surface* screen, SDL_Surface* kept)
{
    const Uint32 current = screen->flags & SDL_FULLSCREEN;
    SDL_BlitSurface(screen, nullptr, kept, nullptr);
    const bool switched = SDL_SetVideoMode(screen->w, screen->h, 32, current ^ SDL_FULLSCREEN) == screen;
    if (!switched) SDL_SetVideoMode(screen->w, screen->h, 32, current);
    SDL_BlitSurface(kept, nullptr, screen, nullptr);
    if (!(screen->flags & SDL_FULLSCREEN)) SDL_WM_GrabInput(SDL_GRAB_OFF);
    return switched;
}
}  // namespace

void preferDisplaySettings()
{
    setEnvironment("SDL12COMPAT_SYNC_TO_VBLANK", "1", false);
    setEnvironment("SDL12COMPAT_SCALE_METHOD", "nearest", false);
    setEnvironment("SDL_VIDEO_X11_WMCLASS", kAppId, false);
    // SDL2 takes X first, also through XWayland. Classic SDL 1.2 has no
    // Wayland and would find no driver in the list.
    if (onSdl12Compat() && std::getenv("WAYLAND_DISPLAY")) setEnvironment("SDL_VIDEODRIVER", "wayland,x11", false);
}

void preferWindowScale(int width, int height)
{
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (!desktop || desktop->current_w <= 0 || desktop->current_h <= 0) return;
    const int scale = std::max(1, std::min(desktop->current_w / width, (desktop->current_h - 1) / height));
    setEnvironment("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), false);
}

void toggleFullScreen(SDL_Surface* screen, SDL_Surface* kept)
{
    // sdl12-compat's own switch brings back a window of the size it was
    // made at, the picture's, whatever SDL12COMPAT_WINDOW_SCALING says.
    const bool switched = onSdl12Compat() ? setOtherMode(screen, kept)
                                          : SDL_WM_ToggleFullScreen(screen) || setOtherMode(screen, kept);
    if (switched) SDL_ShowCursor(screen->flags & SDL_FULLSCREEN ? SDL_DISABLE : SDL_ENABLE);
}

Display openDesktopDisplay()
{
    endOnLostDisplay(endForLostDisplay);
    // Before the window exists: sdl12-compat queues the events of its
    // creation, and any queued before the filter would stay for good.
    SDL_SetEventFilter(eventFilter);
    setWindowCaptionAndIcon();
    preferWindowScale(kScreenWidth, kScreenHeight);
    const Display display = openDisplay(kScreenWidth, kScreenHeight, true);
    SDL_ShowCursor(SDL_DISABLE);
    return display;
}

Platform desktopPlatform(SDL_Surface* screen)
{
    // The picture's keeping place while the mode is set anew, made once.
    const std::shared_ptr<SDL_Surface> kept(
        SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, screen->format->Rmask, screen->format->Gmask,
                             screen->format->Bmask, screen->format->Amask),
        SDL_FreeSurface);
    if (!kept) throw std::bad_alloc();
    return {SDL_GetTicks, [screen, kept] {
                const bool quit = quitEventPending();
                if (quit && onWayland()) checkCompositorAfterQuit();
                if (displayToggleRequested) {
                    displayToggleRequested = 0;
                    toggleFullScreen(screen, kept.get());
                }
                return quit;
            },
            // Keys still answer at once, and the process all but sleeps.
            [] { SDL_Delay(15); }};
}
