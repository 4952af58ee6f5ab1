#pragma once

#include "effects/effect.h"
#include "random.h"

#include <cstdint>

constexpr int kParticleCount = 256;

// Where each particle's sprite has its top-left corner, and how fast it moves
// in pixels per time unit (100 ms of demo time); y grows downward.
struct Particles {
    float x[kParticleCount];
    float y[kParticleCount];
    float vx[kParticleCount];
    float vy[kParticleCount];
};

// Supplies values in 0..kRandomMax: the demo's sequence (random.h), or values
// a test chooses for the launches.
using RandomSource = int (*)();

// The starting state: every particle at the bottom centre with a small random
// velocity; three draws per particle, in particle order.
void launchParticles(Particles& particles, uint32_t width, uint32_t height, RandomSource random);

// The time step between two frames, in time units: 0.01 per millisecond.
double fountainTimeStep(int32_t time, int32_t previousTime);

// Moves every particle by dt under gravity; one that has reached the bottom
// edge is launched again from the bottom centre (one draw each, in particle
// order) and stays at its launch point this frame.
void stepParticles(Particles& particles, uint32_t width, uint32_t height, double dt, RandomSource random);

// A fountain of 256 flare pictures. Its time step comes from the
// program-wide runState.fountainPreviousTime (globals.h).
class FountainEffect : public Effect {
public:
    FountainEffect(uint32_t width, uint32_t height, SDL_Surface* sprite, RandomSource random = nextRandom);
    // Moves the particles on to time and draws them; a target that shows
    // nothing gets only the move.
    void render(SDL_Surface* target, int32_t time) override;

    // Public so that tests can place particles and the player's snapshots
    // take and put them back.
    Particles particles;

private:
    SDL_Surface* sprite;  // not owned
    RandomSource random;
};
