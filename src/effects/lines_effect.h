#pragma once

#include "effects/effect.h"

class LinesEffect : public Effect {
public:
    LinesEffect(uint32_t width, uint32_t height);
    void render(SDL_Surface* target, int32_t time) override;

    void setAmplitude(float value) { amplitude = value; }

private:
    float amplitude = 1.0f;
};
