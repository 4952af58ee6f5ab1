#include "random.h"

#include "globals.h"

void seedRandom(uint32_t seed)
{
    randomState = seed;
}

int nextRandom()
{
    // Unsigned 32-bit arithmetic: the product wraps identically everywhere.
    randomState = randomState * 1103515245u + 12345u;
    return static_cast<int>((randomState / 65536u) % 32768u);
}
