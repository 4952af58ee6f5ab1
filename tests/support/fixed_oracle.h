#pragma once

#include "effects/pixel_view.h"

#include <SDL.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

// Fixed oracles: a set of cases drawn from a seeded generator, and the CRC-32
// of what classic SDL 1.2 drew for them, taken once and kept in the test. Such
// a test means the same whichever SDL 1.2 is installed, or none.

// The cases' draws, taken from mt19937's raw output (which the C++ standard
// fixes) rather than from a distribution (which each library may implement
// its own way).
class CaseDraws {
public:
    explicit CaseDraws(uint32_t seed) : generator(seed) {}

    uint32_t next() { return static_cast<uint32_t>(generator()); }
    int between(int low, int high) { return low + static_cast<int>(next() % static_cast<uint32_t>(high - low + 1)); }

    void fill(const PixelView& view)
    {
        for (int y = 0; y < view.height; ++y)
            for (int x = 0; x < view.width; ++x) view.row(y)[x] = next();
    }

    // A clip rectangle inside a w x h surface, possibly empty.
    SDL_Rect clip(int w, int h)
    {
        const int x = between(0, w - 1), y = between(0, h - 1);
        return {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(between(0, w - x)),
                static_cast<Uint16>(between(0, h - y))};
    }

private:
    std::mt19937 generator;
};

// The CRC-32 of everything added, in order, each value as little-endian
// bytes whatever the machine's order: the kept digests hold on every
// processor.
class Digest {
public:
    void add(const SDL_Rect& rect)
    {
        const uint16_t values[] = {static_cast<uint16_t>(rect.x), static_cast<uint16_t>(rect.y), rect.w, rect.h};
        addValues(values, 4);
    }
    void add(const PixelView& view)
    {
        for (int y = 0; y < view.height; ++y) addValues(view.row(y), static_cast<size_t>(view.width));
    }
    uint32_t value() const { return static_cast<uint32_t>(crc); }

private:
    template <typename T>
    void addValues(const T* values, size_t count)
    {
        bytes.resize(count * sizeof(T));
        for (size_t i = 0; i < count; ++i)
            for (size_t b = 0; b < sizeof(T); ++b) bytes[i * sizeof(T) + b] = static_cast<Bytef>(values[i] >> (8 * b));
        crc = crc32(crc, bytes.data(), static_cast<uInt>(bytes.size()));
    }

    uLong crc = crc32(0, nullptr, 0);
    std::vector<Bytef> bytes;
};
