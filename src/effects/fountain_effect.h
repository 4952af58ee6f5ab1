#pragma once

#include "effects/effect.h"

class FountainEffect : public Effect {
public:
    FountainEffect(uint32_t width, uint32_t height, SDL_Surface* sprite);
    void render(SDL_Surface* target, int32_t time) override;

private:
    SDL_Surface* sprite;
};
