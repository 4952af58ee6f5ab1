// The web build's SDL 1.2 and SDL_image calls (include/ and
// sdl_libs/include/): surfaces in plain memory, drawn by the kernels of
// surface_ops.h. SDL_gfx's line is sdl_libs/gfx_primitives.cpp, shared with
// Windows.
#include "platform/web/picture_files.h"
#include "platform/web/sdl_layer.h"
#include "platform/web/surface_ops.h"

#include <SDL.h>
#include <SDL_image.h>

#include <emscripten.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {
constexpr Uint32 kRed = 0xff0000, kGreen = 0xff00, kBlue = 0xff, kAlpha = 0xff000000;

std::string lastError;
SDL_Surface* videoSurface = nullptr;
double startMs = 0;
SDL_EventFilter eventFilter = nullptr;
Uint8 keyState[SDLK_LAST] = {};

int fail(const std::string& message)
{
    lastError = message;
    return -1;
}

// Surfaces own their format and pixels in one block each.
struct OwnedSurface {
    SDL_Surface surface;
    SDL_PixelFormat format;
};

SDL_Surface* makeSurface(int width, int height, Uint32 Amask)
{
    if (width < 0 || height < 0 || width > 16383) {
        fail("Surface too large");
        return nullptr;
    }
    OwnedSurface* owned = new OwnedSurface{};
    owned->format = {32, 4, kRed, kGreen, kBlue, Amask};
    SDL_Surface& s = owned->surface;
    s.flags = Amask ? SDL_SRCALPHA : 0;
    s.format = &owned->format;
    s.w = width;
    s.h = height;
    s.pitch = static_cast<Uint16>(width * 4);
    // At least one pixel, so that an empty surface still has its memory.
    s.pixels = calloc(std::max<size_t>(static_cast<size_t>(width) * static_cast<size_t>(height), 1), 4);
    if (!s.pixels) throw std::bad_alloc();
    s.clip_rect = {0, 0, static_cast<Uint16>(width), static_cast<Uint16>(height)};
    return &s;
}

// The layer's surfaces come in two layouts, xRGB and ARGB: a display format
// is a copy in the same one.
SDL_Surface* copyInLayout(SDL_Surface* surface, Uint32 Amask)
{
    if (surface->format->Amask != Amask) {
        fail("Conversion between these layouts");
        return nullptr;
    }
    SDL_Surface* copy = makeSurface(surface->w, surface->h, Amask);
    if (copy) copyPixels(viewOf(surface), viewOf(copy));
    return copy;
}
}  // namespace

int SDL_Init(Uint32)
{
    startMs = emscripten_get_now();
    return 0;
}

void SDL_Quit() {}

void SDL_SetError(const char* format, ...)
{
    char message[256];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    lastError = message;
}

const char* SDL_GetError()
{
    return lastError.c_str();
}

SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32)
{
    if (bpp != 32) {
        fail("Only 32-bit displays");
        return nullptr;
    }
    if (!videoSurface) videoSurface = makeSurface(width, height, 0);
    return videoSurface;
}

SDL_Surface* SDL_GetVideoSurface()
{
    return videoSurface;
}

SDL_Surface* SDL_CreateRGBSurface(Uint32, int width, int height, int depth, Uint32 Rmask, Uint32 Gmask,
                                  Uint32 Bmask, Uint32 Amask)
{
    const bool known = depth == 32 && Rmask == kRed && Gmask == kGreen && Bmask == kBlue &&
                       (Amask == 0 || Amask == kAlpha);
    if (!known) {
        fail("Only 32-bit (A)RGB surfaces");
        return nullptr;
    }
    return makeSurface(width, height, Amask);
}

void SDL_FreeSurface(SDL_Surface* surface)
{
    if (!surface || surface == videoSurface) return;
    free(surface->pixels);
    delete reinterpret_cast<OwnedSurface*>(surface);
}

SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface)
{
    return copyInLayout(surface, 0);
}

SDL_Surface* SDL_DisplayFormatAlpha(SDL_Surface* surface)
{
    return copyInLayout(surface, kAlpha);
}

int SDL_LockSurface(SDL_Surface* surface)
{
    ++surface->locked;
    return 0;
}

void SDL_UnlockSurface(SDL_Surface* surface)
{
    if (surface->locked > 0) --surface->locked;
}

int SDL_FillRect(SDL_Surface* dst, SDL_Rect* dstrect, Uint32 color)
{
    if (!dst) return fail("SDL_FillRect: passed a NULL surface");
    SDL_Rect area = dst->clip_rect;
    if (dstrect && !clipFill(dst->clip_rect, *dstrect)) return 0;
    if (dstrect) area = *dstrect;
    fillPixels(subView(viewOf(dst), area), color);
    return 0;
}

bool SDL_SetClipRect(SDL_Surface* surface, const SDL_Rect* rect)
{
    const SDL_Rect whole = {0, 0, static_cast<Uint16>(surface->w), static_cast<Uint16>(surface->h)};
    surface->clip_rect = rect ? *rect : whole;
    return clipFill(whole, surface->clip_rect);
}

int SDL_Flip(SDL_Surface*)
{
    return 0;
}

Uint32 SDL_MapRGBA(const SDL_PixelFormat* format, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    return (format->Amask ? Uint32{a} << 24 : 0) | Uint32{r} << 16 | Uint32{g} << 8 | b;
}

void SDL_WM_SetCaption(const char*, const char*) {}

void SDL_WM_SetIcon(SDL_Surface*, Uint8*) {}

Uint32 SDL_GetTicks()
{
    return static_cast<Uint32>(static_cast<uint64_t>(emscripten_get_now() - startMs));
}

int SDL_ShowCursor(int)
{
    return SDL_DISABLE;
}

void SDL_SetEventFilter(SDL_EventFilter filter)
{
    eventFilter = filter;
}

void SDL_PumpEvents() {}

int SDL_PeepEvents(SDL_Event* events, int, SDL_eventaction action, Uint32)
{
    if (events || action != SDL_PEEKEVENT) return fail("Only peeking is supported");
    return 0;
}

Uint8* SDL_GetKeyState(int* numkeys)
{
    if (numkeys) *numkeys = SDLK_LAST;
    return keyState;
}

void webSendKey(SDLKey key, bool pressed)
{
    keyState[key] = pressed;
    if (!pressed || !eventFilter) return;
    SDL_Event event;
    event.key = {SDL_KEYDOWN, {key, KMOD_NONE}};
    // The filter sees the event; no key press is ever read from the queue,
    // so none is kept.
    eventFilter(&event);
}

SDL_Surface* IMG_Load(const char* file)
{
    DecodedPicture picture;
    if (!decodePicture(file, picture, lastError)) return nullptr;
    SDL_Surface* surface = makeSurface(picture.width, picture.height, picture.hasAlpha ? kAlpha : 0);
    if (!surface) return nullptr;
    const PixelView out = viewOf(surface);
    copyPixels({picture.pixels.data(), picture.width * 4, picture.width, picture.height}, out);
    return surface;
}

const char* IMG_GetError()
{
    return lastError.c_str();
}

