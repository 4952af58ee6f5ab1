#pragma once

#include <SDL.h>

#include <cstdint>

// The one interface of every procedural effect: draw a frame into a surface
// for a given time. Effects work within their own width x height area, so a
// target must be at least that large.
class Effect {
public:
    Effect(uint32_t width, uint32_t height) : width(width), height(height) {}
    virtual ~Effect() = default;

    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    virtual void render(SDL_Surface* target, int32_t time) = 0;

    const uint32_t width;
    const uint32_t height;
};

// Whether nothing drawn into `target` would show: its clip rectangle is
// empty. The player draws so the frames whose pictures no frame it shows
// will read (player/recorder.h); effects then skip their pixels and only
// move on what they carry into the next frame.
inline bool showsNothing(const SDL_Surface* target)
{
    return target->clip_rect.w == 0 || target->clip_rect.h == 0;
}
