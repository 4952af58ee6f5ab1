#pragma once

#include <cstdint>

// The demo's one random sequence: the C standard's example generator, with
// values 0 to kRandomMax. It replaces the C library's rand(), whose range
// and sequence differ between libraries (glibc gives 31-bit values), so that
// a seed gives the same pictures everywhere. Its state is
// runState.randomState (globals.h); the effects draw on it in a fixed order.

constexpr int kRandomMax = 32767;

// Starts the sequence again from seed, as srand() does.
void seedRandom(uint32_t seed);

// The next value, 0..kRandomMax.
int nextRandom();

// Moves the sequence on by `count` values without drawing them, in steps
// that double: as fast for a million values as for a few.
void skipRandom(uint64_t count);
