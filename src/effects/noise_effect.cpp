#include "effects/noise_effect.h"

NoiseEffect::NoiseEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void NoiseEffect::render(SDL_Surface*, int32_t) {}
