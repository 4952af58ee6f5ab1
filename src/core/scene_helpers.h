#pragma once

#include "core/demo.h"
#include "numbers.h"

#include <cstdint>

// Shared steps of the scenes: reading the clock, turning eased positions into
// SDL coordinates, blitting whole pictures and firing cue events.

// demoTime as the 32-bit float that ease() takes.
inline float easeTime(const Demo& demo)
{
    return static_cast<float>(demo.demoTime);
}

// Blits the whole picture with its top-left corner at (x, y). destRect keeps
// the low 16 bits of each coordinate, and the blit writes the clipped
// rectangle back into it, as SDL's does (effects/picture_blit.h).
void blitAt(Demo& demo, SDL_Surface* picture, int32_t x, int32_t y);

// Like blitAt, but keeps whatever y destRect holds.
void blitAtX(Demo& demo, SDL_Surface* picture, int32_t x);

// Fires each of the events first..last, in order, whose threshold demoTime
// has reached and which has not fired yet, noting when; silently while the
// player replays (Demo::cuesAudible).
void fireCueEvents(Demo& demo, CueEventId first, CueEventId last);
