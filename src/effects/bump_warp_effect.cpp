#include "effects/bump_warp_effect.h"

#include "effects/surface_lock.h"
#include "random.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr uint32_t kSineMask = kSineTableSize - 1;
constexpr double kSineStep = 0.00613591796875;  // 6.28318 / 1024
constexpr int kSpotRow = 168;
constexpr int kSpotColumn = 158;
constexpr double kSpotRadius = 128.0;
}  // namespace

SineTable buildSineTable()
{
    SineTable table;
    for (int i = 0; i < kSineTableSize; ++i) table[i] = static_cast<int32_t>(std::sin(i * kSineStep) * 65536.0);
    return table;
}

std::vector<uint8_t> buildLightMap()
{
    // The float constant stays just below a quarter turn, so the cosine at
    // the spot's rim is still positive.
    const double quarterTurn = 1.570795f;
    // The light depends on the squared distance alone, the same from the rim
    // outwards: each value is worked out once (-1: not yet).
    constexpr int kRimSquared = static_cast<int>(kSpotRadius * kSpotRadius);
    std::vector<int16_t> bySquaredDistance(kRimSquared + 1, -1);
    std::vector<uint8_t> map(kLightMapSize);
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            const int dy = r - kSpotRow;
            const int dx = c - kSpotColumn;
            const int squared = std::min(dx * dx + dy * dy, kRimSquared);
            int16_t& light = bySquaredDistance[static_cast<size_t>(squared)];
            if (light < 0) {
                const double d = std::min(std::sqrt(static_cast<double>(squared)), kSpotRadius);
                const double a = d * 0.0078125 * quarterTurn;
                light = static_cast<uint8_t>(static_cast<int32_t>(std::pow(std::cos(a), 5) * 255.0));
            }
            map[r * 256 + c] = static_cast<uint8_t>(light);
        }
    }
    return map;
}

int32_t warpPhase(int32_t time)
{
    return static_cast<int32_t>(time * static_cast<double>(0.025f));
}

namespace {
// Displacements reach at most 4 pixels, so only a band of that width along
// each edge can sample outside the field.
constexpr int kReach = 4;

// Row offsets in words of a row of the field: the word offset of each
// pixel's sample, computed apart from the reads so that it vectorises.
void sampleOffsets(int32_t* __restrict offsets, const int32_t* __restrict columnA, const int32_t* __restrict columnB,
                   int32_t rowA, int32_t rowB, int count, int width)
{
    for (int i = 0; i < count; ++i) offsets[i] = ((columnA[i] + rowA) >> 15) + ((columnB[i] + rowB) >> 15) * width;
}

void copySamples(uint8_t* __restrict out, const uint8_t* __restrict src, const int32_t* __restrict offsets, int count)
{
    for (int i = 0; i < count; ++i) out[i] = src[i + offsets[i]];
}
}  // namespace

void warpHeightField(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable,
                     int32_t phase)
{
    // Index sums in unsigned arithmetic: they wrap like the two's-complement
    // values they stand for, and the mask then gives the same entry.
    const uint32_t p = static_cast<uint32_t>(phase);
    const int32_t* sine = sineTable.data();
    // Every pixel is independent of the others, so the field is walked in
    // bands of columns whose sine terms are looked up once per frame.
    constexpr int kBand = 512;
    int32_t columnA[kBand];
    int32_t columnB[kBand];
    int32_t offsets[kBand];
    for (int x0 = 0; x0 < width; x0 += kBand) {
        const int x1 = std::min(width, x0 + kBand);
        for (int x = x0; x < x1; ++x) {
            const uint32_t xx = static_cast<uint32_t>(x) + 1;
            columnA[x - x0] = sine[(12 * p + 5 * xx) & kSineMask];
            columnB[x - x0] = sine[(37 * p - 9 * xx) & kSineMask];
        }
        // The columns of this band that can sample without clamping.
        const int inner0 = std::max(x0, kReach);
        const int inner1 = std::max(inner0, std::min(x1, width - kReach));
        for (int y = 0; y < height; ++y) {
            const uint32_t yy = static_cast<uint32_t>(y) + 1;
            const int32_t rowA = sine[(48 * p + 6 * yy) & kSineMask];
            const int32_t rowB = sine[(0u - 35 * p + 8 * yy) & kSineMask];
            const ptrdiff_t rowStart = static_cast<ptrdiff_t>(y) * width;
            uint8_t* out = dst + rowStart;
            auto clamped = [&](int from, int to) {
                for (int x = from; x < to; ++x) {
                    const int sx = std::clamp(x + ((columnA[x - x0] + rowA) >> 15), 0, width - 1);
                    const int sy = std::clamp(y + ((columnB[x - x0] + rowB) >> 15), 0, height - 1);
                    out[x] = src[static_cast<ptrdiff_t>(sy) * width + sx];
                }
            };
            if (y < kReach || y + kReach >= height || inner1 == inner0) {
                clamped(x0, x1);
                continue;
            }
            clamped(x0, inner0);
            const int n = inner1 - inner0;
            sampleOffsets(offsets, columnA + (inner0 - x0), columnB + (inner0 - x0), rowA, rowB, n, width);
            copySamples(out + inner0, src + rowStart + inner0, offsets, n);
            clamped(inner1, x1);
        }
    }
}

void lightHeightField(const PixelView& target, const uint8_t* heights, const uint8_t* lightMap, int32_t time)
{
    const int width = target.width;
    const int rowScroll = time >> 5;
    const int columnScroll = time >> 4;
    constexpr int kChunk = 512;
    uint16_t index[kChunk];
    for (int y = 0; y + 1 < target.height; ++y) {
        const uint8_t* __restrict h = heights + static_cast<ptrdiff_t>(y) * width;
        const uint8_t* __restrict below = h + width;
        uint32_t* __restrict out = target.row(y);
        // Only the low byte of each sum counts, so byte arithmetic that wraps
        // gives the same light-map row and column. The indices are formed
        // apart from the lookups so that they vectorise.
        const uint8_t rowOffset = static_cast<uint8_t>(y + rowScroll);
        for (int x0 = 0; x0 + 1 < width; x0 += kChunk) {
            const int n = std::min(kChunk, width - 1 - x0);
            const uint8_t column = static_cast<uint8_t>(columnScroll + x0);
            uint16_t* __restrict lookup = index;
            for (int i = 0; i < n; ++i) {
                const int x = x0 + i;
                const uint8_t v = static_cast<uint8_t>(below[x] - h[x] + rowOffset);
                const uint8_t u = static_cast<uint8_t>(h[x + 1] - h[x] + column + static_cast<uint8_t>(i));
                lookup[i] = static_cast<uint16_t>(v << 8 | u);
            }
            for (int i = 0; i < n; ++i) out[x0 + i] = lightMap[lookup[i]] * 0x010101u;
        }
    }
}

BumpWarpEffect::BumpWarpEffect(uint32_t width, uint32_t height)
    : Effect(width, height), lightMap(buildLightMap()), sineTable(buildSineTable())
{
    const size_t size = size_t{width} * height;
    heightMaps[0].resize(size);
    heightMaps[1].resize(size);
    for (uint8_t& h : heightMaps[0]) h = static_cast<uint8_t>(nextRandom() & 0x7f);
}

void BumpWarpEffect::setHeights(const uint8_t* heights)
{
    std::copy_n(heights, heightMaps[current].size(), heightMaps[current].begin());
}

void BumpWarpEffect::warp()
{
    warpHeightField(heightMaps[current].data(), heightMaps[current ^ 1].data(), static_cast<int>(width),
                    static_cast<int>(height), sineTable, phase);
    current ^= 1;
}

void BumpWarpEffect::render(SDL_Surface* target, int32_t time)
{
    phase = warpPhase(time);
    warp();
    if (showsNothing(target)) return;
    SurfaceLock lock(target);
    if (!lock) return;
    PixelView view = viewOf(target);
    view.width = static_cast<int>(width);
    view.height = static_cast<int>(height);
    lightHeightField(view, currentHeights(), lightMap.data(), time);
}
