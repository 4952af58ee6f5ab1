#include "effects/lines_effect.h"

#include "effects/surface_lock.h"
#include "numbers.h"

#include <SDL_gfxPrimitives.h>

#include <cmath>

namespace {
// The figure's constants. The phases and reaches are deliberately kept in
// single precision between steps: the figure's exact pixels depend on it.
constexpr double kPhaseRate = 0.01;
constexpr double kSecondPhaseRate = 0.01329085;
constexpr double kPhaseStep = 0.02;
constexpr double kSecondPhaseStep = 0.01;
constexpr double kReachFactor = 0.32923;
constexpr double kRedFactor = 0.529871263;
constexpr double kGreenFactor = 0.298712643;
constexpr double kBlueFactor = 0.987126643;

// End points go to the line primitive as 16-bit coordinates, truncated.
int16_t endPoint(double value)
{
    return low16(trunc32(value));
}

// 127 + trunc(127 sin): 0..254, so the three channels never carry.
uint32_t channel(double phase)
{
    return static_cast<uint32_t>(127 + static_cast<int32_t>(127 * std::sin(phase)));
}
}  // namespace

void computeLineFigure(int32_t time, uint32_t width, uint32_t height, float amplitude, LineFigure& figure)
{
    float p = static_cast<float>(time * kPhaseRate);
    float q = static_cast<float>(time * kSecondPhaseRate);
    const float reach = static_cast<float>(std::sin(p * kReachFactor) * (width >> 2));
    const double w2 = width >> 1;
    const double h2 = height >> 1;
    const float wa = static_cast<float>(w2 + reach);
    const double ha = h2 + reach;

    for (LineSegment& line : figure) {
        line.colour = channel(p * kRedFactor) << 24 | channel(p * kGreenFactor) << 16 |
                      channel(p * kBlueFactor) << 8 | 0xff;
        line.x1 = endPoint(w2 + std::sin(q * 0.123452987) * std::sin(p * 0.389252987) * wa * amplitude);
        line.y1 = endPoint(h2 + std::sin(p * 0.892529873) * std::sin(q * 0.292359873) * ha * amplitude);
        line.x2 = endPoint(w2 + std::sin(p * 0.925298743) * std::sin(q * 0.325423983) * wa * amplitude);
        line.y2 = endPoint(h2 + std::sin(p * 0.252987126) * std::sin(q * 0.453247126) * ha * amplitude);
        p = static_cast<float>(p + kPhaseStep);
        q = static_cast<float>(q + kSecondPhaseStep);
    }
}

LinesEffect::LinesEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void LinesEffect::render(SDL_Surface* target, int32_t time)
{
    if (!target || showsNothing(target)) return;
    // One lock for all 512 lines rather than one per line inside the primitive.
    SurfaceLock lock(target);
    if (!lock) return;
    computeLineFigure(time, width, height, amplitude, figure);
    for (const LineSegment& line : figure) lineColor(target, line.x1, line.y1, line.x2, line.y2, line.colour);
}
