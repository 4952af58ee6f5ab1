#include "effects/zoom_blend_effect.h"

ZoomBlendEffect::ZoomBlendEffect(uint32_t width, uint32_t height, SDL_Surface* source) : Effect(width, height), source(source) {}

void ZoomBlendEffect::render(SDL_Surface*, int32_t) {}
