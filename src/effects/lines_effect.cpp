#include "effects/lines_effect.h"

LinesEffect::LinesEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void LinesEffect::render(SDL_Surface*, int32_t) {}
