#pragma once

#include "effects/effect.h"

class BumpWarpEffect : public Effect {
public:
    BumpWarpEffect(uint32_t width, uint32_t height);
    void render(SDL_Surface* target, int32_t time) override;
};
