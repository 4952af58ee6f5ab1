#include "core/scene_helpers.h"

#include "effects/picture_blit.h"
#include "sound/sound.h"

void blitAtX(Demo& demo, SDL_Surface* picture, int32_t x)
{
    demo.destRect.x = low16(x);
    blitPicture(picture, demo.screen, demo.destRect);
}

void blitAt(Demo& demo, SDL_Surface* picture, int32_t x, int32_t y)
{
    demo.destRect.y = low16(y);
    blitAtX(demo, picture, x);
}

void fireCueEvents(Demo& demo, CueEventId first, CueEventId last)
{
    for (int id = first; id <= last; ++id) {
        const CueEvent& event = kCueEvents[id];
        if (!demo.cuePending[id] || demo.demoTime < event.threshold) continue;
        if (demo.cuesAudible)
            for (int i = 0; i < event.cueCount; ++i) playCue(event.cues[i], demo.demoTime);
        demo.cuePending[id] = false;
        demo.cueFiredAt[id] = demo.demoTime;
    }
}
