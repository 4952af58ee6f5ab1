#include "effects/fountain_effect.h"

FountainEffect::FountainEffect(uint32_t width, uint32_t height, SDL_Surface* sprite) : Effect(width, height), sprite(sprite) {}

void FountainEffect::render(SDL_Surface*, int32_t) {}
