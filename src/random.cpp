#include "random.h"

#include "globals.h"

namespace {
// Unsigned 32-bit arithmetic: the product wraps identically everywhere.
constexpr uint32_t kMultiplier = 1103515245u;
constexpr uint32_t kIncrement = 12345u;
}  // namespace

void seedRandom(uint32_t seed)
{
    runState.randomState = seed;
}

int nextRandom()
{
    uint32_t& state = runState.randomState;
    state = state * kMultiplier + kIncrement;
    return static_cast<int>((state / 65536u) % 32768u);
}

void skipRandom(uint64_t count)
{
    // n steps of s -> a s + c are one step of s -> A s + C; squaring the step
    // (A, C) -> (A A, A C + C) doubles n, so the bits of count compose it.
    uint32_t a = kMultiplier, c = kIncrement;
    uint32_t& state = runState.randomState;
    for (; count != 0; count >>= 1) {
        if (count & 1) state = state * a + c;
        c = a * c + c;
        a *= a;
    }
}
