#include "effects/bump_warp_effect.h"

BumpWarpEffect::BumpWarpEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void BumpWarpEffect::render(SDL_Surface*, int32_t) {}
