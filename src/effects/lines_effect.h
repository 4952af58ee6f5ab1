#pragma once

#include "effects/effect.h"

#include <array>
#include <cstdint>

// One line of the figure: end points as the line primitive takes them and the
// colour as 0xRRGGBBAA.
struct LineSegment {
    int16_t x1, y1, x2, y2;
    uint32_t colour;
};

constexpr int kLineCount = 512;
using LineFigure = std::array<LineSegment, kLineCount>;

// The whole figure for one frame, in drawing order. A pure function of its
// arguments, so a frame can be computed (and checked) without a surface.
void computeLineFigure(int32_t time, uint32_t width, uint32_t height, float amplitude, LineFigure& figure);

class LinesEffect : public Effect {
public:
    LinesEffect(uint32_t width, uint32_t height);
    void render(SDL_Surface* target, int32_t time) override;

    // Scales every end point's reach from the centre: 1 full size, 0 a dot.
    void setAmplitude(float value) { amplitude = value; }
    float currentAmplitude() const { return amplitude; }

private:
    float amplitude = 1.0f;
    LineFigure figure;  // kept here so that no frame allocates
};
