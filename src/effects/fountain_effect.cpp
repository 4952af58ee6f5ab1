#include "effects/fountain_effect.h"

#include "effects/picture_blit.h"

#include "globals.h"
#include "numbers.h"

#include <cmath>

namespace {
// Single-precision constants, widened for the double arithmetic: the
// particles' exact paths depend on them.
constexpr double kRandomScale = 1.0f / kRandomMax;
constexpr double kPi = 3.14159265358979f;
constexpr double kUpwardArc = 3.142f;  // start of the launch angles: the upper half-circle
constexpr double kTimeUnitsPerMs = 0.01f;
constexpr double kGravity = 0.3f;

constexpr uint32_t kLaunchHeight = 5;  // above the bottom edge
constexpr uint32_t kStartSpread = 20;  // rows over which the particles start
constexpr double kStartSpeed = 3.0;
constexpr double kLaunchSpeedAcross = 9.0;
constexpr double kLaunchSpeedUp = 14.0;

}  // namespace

void launchParticles(Particles& particles, uint32_t width, uint32_t height, RandomSource random)
{
    for (int i = 0; i < kParticleCount; ++i) {
        particles.x[i] = static_cast<float>(width >> 1);
        particles.y[i] = static_cast<float>(height - static_cast<uint32_t>(random() % kStartSpread));
        const double angle = random() * kRandomScale * kPi;
        particles.vx[i] = static_cast<float>(std::cos(angle) * kStartSpeed);
        const double sine = std::sin(static_cast<double>(static_cast<float>(angle)));
        particles.vy[i] = static_cast<float>(random() * kRandomScale - sine * kStartSpeed + 1.0);
    }
}

double fountainTimeStep(int32_t time, int32_t previousTime)
{
    // Wrapping subtraction: a difference beyond 31 bits must not be undefined.
    const auto elapsed = static_cast<int32_t>(static_cast<uint32_t>(time) - static_cast<uint32_t>(previousTime));
    return elapsed * kTimeUnitsPerMs;
}

void stepParticles(Particles& particles, uint32_t width, uint32_t height, double dt, RandomSource random)
{
    const double bottom = height;
    for (int i = 0; i < kParticleCount; ++i) {
        particles.x[i] = static_cast<float>(particles.x[i] + dt * particles.vx[i]);
        particles.y[i] = static_cast<float>(particles.y[i] + dt * particles.vy[i]);
        particles.vy[i] = static_cast<float>(particles.vy[i] + dt * kGravity);
        if (particles.y[i] < bottom) continue;

        particles.x[i] = static_cast<float>(width >> 1);
        particles.y[i] = static_cast<float>(height - kLaunchHeight);
        const double angle = random() * kRandomScale * kPi + kUpwardArc;
        particles.vx[i] = static_cast<float>(std::cos(angle) * kLaunchSpeedAcross);
        particles.vy[i] = static_cast<float>(std::sin(angle) * kLaunchSpeedUp);
    }
}

FountainEffect::FountainEffect(uint32_t width, uint32_t height, SDL_Surface* sprite, RandomSource random)
    : Effect(width, height), sprite(sprite), random(random)
{
    launchParticles(particles, width, height, random);
}

void FountainEffect::render(SDL_Surface* target, int32_t time)
{
    // 0 marks "no frame yet": the first frame moves nothing.
    int32_t& previousTime = runState.fountainPreviousTime;
    if (previousTime == 0) previousTime = time;
    stepParticles(particles, width, height, fountainTimeStep(time, previousTime), random);
    previousTime = time;
    if (showsNothing(target)) return;

    // Drawn after the whole step: moving a particle never depends on another
    // one's drawing, so the picture is the same as moving and drawing each in
    // turn. Index order keeps particle 255 on top.
    for (int i = 0; i < kParticleCount; ++i) {
        SDL_Rect place = {low16(trunc32(particles.x[i])), low16(trunc32(particles.y[i])), 0, 0};
        blitPicture(sprite, target, place);
    }
}
