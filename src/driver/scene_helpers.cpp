#include "driver/scene_helpers.h"

#include "sound/sound.h"

#include <cmath>
#include <limits>

int32_t trunc32(double value)
{
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// SDL rectangles keep 16-bit coordinates: the low 16 bits, read as signed.
static Sint16 rectCoordinate(int32_t value)
{
    return static_cast<Sint16>(static_cast<uint16_t>(value));
}

void blitAtX(Demo& demo, SDL_Surface* picture, int32_t x)
{
    demo.destRect.x = rectCoordinate(x);
    SDL_UpperBlit(picture, nullptr, demo.screen, &demo.destRect);
}

void blitAt(Demo& demo, SDL_Surface* picture, int32_t x, int32_t y)
{
    demo.destRect.y = rectCoordinate(y);
    blitAtX(demo, picture, x);
}

void fireCueEvents(Demo& demo, CueEventId first, CueEventId last)
{
    for (int id = first; id <= last; ++id) {
        const CueEvent& event = kCueEvents[id];
        if (!demo.cuePending[id] || demo.demoTime < event.threshold) continue;
        for (int i = 0; i < event.cueCount; ++i) playCue(event.cues[i]);
        demo.cuePending[id] = false;
    }
}
