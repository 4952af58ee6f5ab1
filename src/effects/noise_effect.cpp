#include "effects/noise_effect.h"

#include "effects/surface_lock.h"
#include "random.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr uint32_t kTableMask = kNoiseTableSize - 1;

// Moves the cursor onto the last of the row's width entries after it, then
// on by one nextRandom(). The jump is added unmasked; the next row's first
// step masks it again. Unsigned, so that a cursor never masked (a
// zero-width field) wraps instead of overflowing.
void moveCursorPastRow(int32_t& cursor, uint32_t width)
{
    const auto at = static_cast<uint32_t>(cursor);
    const uint32_t last = width == 0 ? at : (at + width) & kTableMask;
    cursor = static_cast<int32_t>(last + static_cast<uint32_t>(nextRandom()));
}

// Copies width consecutive table entries after the cursor, wrapping at the
// table's end, then moves the cursor past them.
void fillNoiseRow(uint8_t* __restrict row, uint32_t width, const uint16_t* __restrict table, int32_t& at)
{
    uint32_t cursor = static_cast<uint32_t>(at);
    // In runs up to the table's end, each a plain copy of low bytes.
    for (uint32_t j = 0; j < width;) {
        const uint32_t first = (cursor + 1) & kTableMask;
        const uint32_t run = std::min(width - j, kNoiseTableSize - first);
        for (uint32_t k = 0; k < run; ++k) row[j + k] = static_cast<uint8_t>(table[first + k]);
        j += run;
        cursor = first + run - 1;
    }
    moveCursorPastRow(at, width);
}

// The row above has already been smeared, so the smear cascades down the
// whole field.
void smearRow(uint8_t* __restrict row, const uint8_t* __restrict above, uint32_t width)
{
    for (uint32_t j = 1; j + 1 < width; ++j) row[j] = static_cast<uint8_t>((above[j - 1] + above[j + 1] + row[j]) / 3);
}
}  // namespace

NoiseEffect::NoiseEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void NoiseEffect::render(SDL_Surface* target, int32_t time)
{
    // Before the lock: the first call fills the table even if its lock then fails.
    if (!runState.noiseTable) runState.noiseTable = makeNoiseTable();
    if (showsNothing(target)) {
        skipNoiseField(runState.noiseCursor, width, height);
        return;
    }
    SurfaceLock lock(target);
    if (!lock) return;
    sizeNoiseBuffers(noiseBuffers, width, height);
    drawNoiseField(viewOf(target), *runState.noiseTable, runState.noiseCursor, noiseBuffers, time);
}

std::shared_ptr<const std::vector<uint16_t>> makeNoiseTable()
{
    auto table = std::make_shared<std::vector<uint16_t>>(kNoiseTableSize);
    for (uint16_t& entry : *table) entry = static_cast<uint16_t>(nextRandom());
    return table;
}

void sizeNoiseBuffers(NoiseBuffers& buffers, uint32_t width, uint32_t height)
{
    if (buffers.width == width && buffers.height == height) return;
    const size_t size = size_t{width} * height;
    buffers.width = width;
    buffers.height = height;
    buffers.noise.assign(size, 0);
    buffers.bias.assign(size, 0);
}

int32_t noiseBias(int32_t time)
{
    return static_cast<int32_t>(std::sin(static_cast<double>(time / 3)) * 10.0);
}

void fillBiasField(NoiseBuffers& field, uint8_t b0)
{
    // Walked left to right, the smoothing reads its right-hand neighbour while
    // that still holds b0, so (above + 2 * b0) / 2 is b0 + above / 2: one
    // value per row in every column but the last.
    const uint32_t width = field.width;
    if (width == 0) return;
    uint8_t value = b0;
    for (uint32_t i = 0; i < field.height; ++i) {
        uint8_t* row = field.bias.data() + size_t{i} * width;
        if (i > 0) value = static_cast<uint8_t>(b0 + value / 2);
        std::memset(row, value, width - 1);
        row[width - 1] = b0;
    }
}

void drawNoiseField(const PixelView& target, const std::vector<uint16_t>& table, int32_t& cursor,
                    NoiseBuffers& field, int32_t time)
{
    const uint32_t width = field.width;
    fillBiasField(field, static_cast<uint8_t>(noiseBias(time)));
    const uint8_t shift = static_cast<uint8_t>(time);
    // Row by row: a row's fill, smear and output need nothing from the rows
    // below it, and the nextRandom() calls keep their order.
    for (uint32_t i = 0; i < field.height; ++i) {
        uint8_t* noise = field.noise.data() + size_t{i} * width;
        const uint8_t* bias = field.bias.data() + size_t{i} * width;
        fillNoiseRow(noise, width, table.data(), cursor);
        if (i > 0) smearRow(noise, noise - width, width);
        uint32_t* out = target.row(static_cast<int>(i));
        for (uint32_t j = 0; j < width; ++j) out[j] = noiseRampColour(static_cast<uint8_t>(noise[j] - bias[j] + shift));
    }
}

void skipNoiseField(int32_t& cursor, uint32_t width, uint32_t height)
{
    for (uint32_t i = 0; i < height; ++i) moveCursorPastRow(cursor, width);
}
