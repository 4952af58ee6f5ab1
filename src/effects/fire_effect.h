#pragma once

#include "effects/effect.h"

class FireEffect : public Effect {
public:
    FireEffect(uint32_t width, uint32_t height);
    void render(SDL_Surface* target, int32_t time) override;

    // Bits a seed pixel may have; set by the owner before the first render.
    uint32_t colourMask = 0;
};
