#pragma once

// The web build's SDL 1.2: the part of its API the demo calls, over surfaces
// in plain memory (sdl_layer.cpp), drawn by the kernels of surface_ops.h so
// that every pixel is the native library's. The page shows the display
// surface; its clock is SDL_GetTicks; the keys it sends go through the event
// filter (sdl_layer.h). Nothing else of SDL exists here: a call the demo
// starts to make fails to compile rather than behaving differently.
//
// Differences from SDL 1.2, none of which the demo sees: surfaces are 32-bit
// with 8-bit channels only, xRGB or ARGB; there is no blit (the demo draws
// its pictures itself); no event is ever queued (the page's keys go straight to the
// event filter, and closing the page ends everything).

// What SDL_stdinc.h brings along, which code written against SDL may rely on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

typedef uint8_t Uint8;
typedef uint16_t Uint16;
typedef uint32_t Uint32;
typedef int16_t Sint16;
typedef int32_t Sint32;

struct SDL_Rect {
    Sint16 x, y;
    Uint16 w, h;
};

struct SDL_PixelFormat {
    Uint8 BitsPerPixel;
    Uint8 BytesPerPixel;
    Uint32 Rmask, Gmask, Bmask, Amask;
};

struct SDL_Surface {
    Uint32 flags;
    SDL_PixelFormat* format;
    int w, h;
    Uint16 pitch;
    void* pixels;
    SDL_Rect clip_rect;
    int locked;
};

enum : Uint32 {
    SDL_INIT_TIMER = 0x1,
    SDL_INIT_AUDIO = 0x10,
    SDL_INIT_VIDEO = 0x20,
    SDL_INIT_NOPARACHUTE = 0x100000,
    SDL_SWSURFACE = 0,
    SDL_SRCALPHA = 0x10000,
    SDL_FULLSCREEN = 0x80000000,
};

int SDL_Init(Uint32 flags);
void SDL_Quit();
void SDL_SetError(const char* format, ...);
const char* SDL_GetError();

SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);
SDL_Surface* SDL_GetVideoSurface();
SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 Rmask, Uint32 Gmask,
                                  Uint32 Bmask, Uint32 Amask);
void SDL_FreeSurface(SDL_Surface* surface);
// A copy in the display's layout, for a surface without alpha.
SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface);
SDL_Surface* SDL_DisplayFormatAlpha(SDL_Surface* surface);
int SDL_LockSurface(SDL_Surface* surface);
// Surfaces are plain memory: locking only counts, and no blit needs it.
#define SDL_MUSTLOCK(surface) false
void SDL_UnlockSurface(SDL_Surface* surface);
int SDL_FillRect(SDL_Surface* dst, SDL_Rect* dstrect, Uint32 color);
// Fills and blits keep within the part of `rect` on the surface, the whole
// surface for null; false when that part is empty.
bool SDL_SetClipRect(SDL_Surface* surface, const SDL_Rect* rect);
// Marks a frame as drawn; the page copies it out (webPresent in main.cpp).
int SDL_Flip(SDL_Surface* screen);
Uint32 SDL_MapRGBA(const SDL_PixelFormat* format, Uint8 r, Uint8 g, Uint8 b, Uint8 a);

// The page has its own title and icon; these keep nothing.
void SDL_WM_SetCaption(const char* title, const char* icon);
void SDL_WM_SetIcon(SDL_Surface* icon, Uint8* mask);

Uint32 SDL_GetTicks();

enum { SDL_DISABLE = 0, SDL_ENABLE = 1 };
int SDL_ShowCursor(int toggle);

typedef enum {
    SDLK_RETURN = 13,
    SDLK_ESCAPE = 27,
    SDLK_SPACE = 32,
    SDLK_COMMA = 44,
    SDLK_PERIOD = 46,
    SDLK_RIGHT = 275,
    SDLK_LEFT = 276,
    SDLK_HOME = 278,
    SDLK_PAGEUP = 280,
    SDLK_PAGEDOWN = 281,
    SDLK_F11 = 292,
    SDLK_LAST = 323
} SDLKey;
typedef enum { KMOD_NONE = 0, KMOD_LALT = 0x100, KMOD_RALT = 0x200 } SDLMod;
#define KMOD_ALT (KMOD_LALT | KMOD_RALT)
enum : Uint8 { SDL_KEYDOWN = 2, SDL_QUIT = 12 };
#define SDL_EVENTMASK(type) (1u << (type))
#define SDL_QUITMASK SDL_EVENTMASK(SDL_QUIT)
typedef enum { SDL_ADDEVENT, SDL_PEEKEVENT, SDL_GETEVENT } SDL_eventaction;

struct SDL_keysym {
    SDLKey sym;
    SDLMod mod;
};
struct SDL_KeyboardEvent {
    Uint8 type;
    SDL_keysym keysym;
};
union SDL_Event {
    Uint8 type;
    SDL_KeyboardEvent key;
};

typedef int (*SDL_EventFilter)(const SDL_Event* event);
void SDL_SetEventFilter(SDL_EventFilter filter);
void SDL_PumpEvents();
// Only SDL_PEEKEVENT with a null event array; the queue is always empty.
int SDL_PeepEvents(SDL_Event* events, int numevents, SDL_eventaction action, Uint32 mask);
Uint8* SDL_GetKeyState(int* numkeys);
