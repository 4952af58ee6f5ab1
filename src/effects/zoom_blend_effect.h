#pragma once

#include "effects/effect.h"

class ZoomBlendEffect : public Effect {
public:
    ZoomBlendEffect(uint32_t width, uint32_t height, SDL_Surface* source);
    void render(SDL_Surface* target, int32_t time) override;

    // Factor on both sampling offsets; keep it in 0..10.
    int32_t scale = 1;

private:
    SDL_Surface* source;
};
