#include "effects/fire_effect.h"

FireEffect::FireEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void FireEffect::render(SDL_Surface*, int32_t) {}
