#include "effects/bump_warp_effect.h"

#include "effects/surface_lock.h"
#include "random.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {
constexpr size_t kOwedRoom = 128;
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
// Inlined into each of the samplings below, so that it vectorises for the
// processor that one is compiled for.
inline __attribute__((always_inline)) void sampleOffsets(int32_t* __restrict offsets,
                                                         const int32_t* __restrict columnA,
                                                         const int32_t* __restrict columnB, int32_t rowA,
                                                         int32_t rowB, int count, int width)
{
    for (int i = 0; i < count; ++i) offsets[i] = ((columnA[i] + rowA) >> 15) + ((columnB[i] + rowB) >> 15) * width;
}

// The samples of `count` pixels of a row that need no clamping, into `out`
// from `src`, the field at the same pixels; `offsets` is room for them.
void sampleRow(uint8_t* __restrict out, const uint8_t* __restrict src, const int32_t* columnA, const int32_t* columnB,
               int32_t rowA, int32_t rowB, int count, int width, int32_t* __restrict offsets)
{
    sampleOffsets(offsets, columnA, columnB, rowA, rowB, count, width);
    for (int i = 0; i < count; ++i) out[i] = src[i + offsets[i]];
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define WARP_SAMPLES_X86 1

// sampleRow with AVX2's gathers: the same bytes, a quarter faster. Each
// gather reads four bytes from a sample on; they stay within the field, as
// the rows that need no clamping sample three rows above its last at most.
__attribute__((target("avx2"))) void sampleRowAvx2(uint8_t* __restrict out, const uint8_t* __restrict src,
                                                   const int32_t* columnA, const int32_t* columnB, int32_t rowA,
                                                   int32_t rowB, int count, int width, int32_t* __restrict offsets)
{
    sampleOffsets(offsets, columnA, columnB, rowA, rowB, count, width);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    // The low byte of each gathered word, four to a 128-bit lane.
    const __m256i lowBytes = _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12,
                                              -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i at = _mm256_add_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(offsets + i)),
                                            _mm256_add_epi32(lanes, _mm256_set1_epi32(i)));
        const __m256i gathered = _mm256_i32gather_epi32(reinterpret_cast<const int*>(src), at, 1);
        const __m256i words = _mm256_shuffle_epi8(gathered, lowBytes);
        const auto low = static_cast<uint32_t>(_mm256_extract_epi32(words, 0));
        const auto high = static_cast<uint32_t>(_mm256_extract_epi32(words, 4));
        std::memcpy(out + i, &low, 4);
        std::memcpy(out + i + 4, &high, 4);
    }
    for (; i < count; ++i) out[i] = src[i + offsets[i]];
}

// The displacements of 16 pixels, -4..3 each, as bytes. (The zero-masking
// forms with every lane kept: GCC 12 takes the plain ones' undefined
// inputs for uninitialised.)
__attribute__((target("avx512f,avx512bw"))) __m128i displacements16(const int32_t* columns, __m512i along)
{
    constexpr __mmask16 kAll = 0xffff;
    const __m512i sums = _mm512_add_epi32(_mm512_loadu_si512(columns), along);
    return _mm512_maskz_cvtepi32_epi8(kAll, _mm512_maskz_srai_epi32(kAll, sums, 15));
}

// The same of 64 pixels.
__attribute__((target("avx512f,avx512bw"))) __m512i displacements(const int32_t* columns, int32_t row)
{
    const __m512i along = _mm512_set1_epi32(row);
    alignas(64) int8_t bytes[64];
    for (int q = 0; q < 64; q += 16)
        _mm_store_si128(reinterpret_cast<__m128i*>(bytes + q), displacements16(columns + q, along));
    return _mm512_load_si512(bytes);
}

// sampleRow with AVX-512's byte permutes, 64 pixels at a time, twice as fast
// as the plain one: every sample lies within 4 rows and 4 columns of its
// pixel, so each row a sample comes from is permuted into place from the
// 128 bytes about those pixels in it. The reads stay within the field, from
// the row four above to the row below the lowest sampled.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void sampleRowAvx512(
    uint8_t* __restrict out, const uint8_t* __restrict src, const int32_t* columnA, const int32_t* columnB,
    int32_t rowA, int32_t rowB, int count, int width, int32_t* __restrict offsets)
{
    alignas(64) static constexpr uint8_t kLanes[64] = {
        0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
        22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
        44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63};
    const __m512i lanes = _mm512_add_epi8(_mm512_load_si512(kLanes), _mm512_set1_epi8(kReach));
    int i = 0;
    for (; i + 64 <= count; i += 64) {
        // Where in the 128 bytes from 4 columns left of the first pixel.
        const __m512i across = _mm512_add_epi8(lanes, displacements(columnA + i, rowA));
        const __m512i down = displacements(columnB + i, rowB);
        __m512i samples = _mm512_setzero_si512();
        for (int dy = -kReach; dy < kReach; ++dy) {
            const __mmask64 here = _mm512_cmpeq_epi8_mask(down, _mm512_set1_epi8(static_cast<char>(dy)));
            if (!here) continue;
            const uint8_t* from = src + static_cast<ptrdiff_t>(dy) * width + i - kReach;
            const __m512i fromRow =
                _mm512_permutex2var_epi8(_mm512_loadu_si512(from), across, _mm512_loadu_si512(from + 64));
            samples = _mm512_mask_mov_epi8(samples, here, fromRow);
        }
        _mm512_storeu_si512(out + i, samples);
    }
    sampleRow(out + i, src + i, columnA + i, columnB + i, rowA, rowB, count - i, width, offsets);
}
#endif

using RowSampling = decltype(&sampleRow);

RowSampling rowSampling(WarpSampling sampling)
{
    switch (sampling) {
#ifdef WARP_SAMPLES_X86
    case WarpSampling::Avx2: return sampleRowAvx2;
    case WarpSampling::Avx512: return sampleRowAvx512;
#endif
    default: return sampleRow;
    }
}
}  // namespace

bool warpSamplingRuns(WarpSampling sampling)
{
    switch (sampling) {
    case WarpSampling::Plain: return true;
#ifdef WARP_SAMPLES_X86
    case WarpSampling::Avx2: return __builtin_cpu_supports("avx2");
    case WarpSampling::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vbmi");
#endif
    default: return false;
    }
}

WarpSampling fastestWarpSampling()
{
    static const WarpSampling fastest = warpSamplingRuns(WarpSampling::Avx512) ? WarpSampling::Avx512
                                        : warpSamplingRuns(WarpSampling::Avx2) ? WarpSampling::Avx2
                                                                               : WarpSampling::Plain;
    return fastest;
}

void warpHeightField(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable,
                     int32_t phase, int firstRow, int endRow, WarpSampling sampling)
{
    if (endRow < 0) endRow = height;
    // Index sums in unsigned arithmetic: they wrap like the two's-complement
    // values they stand for, and the mask then gives the same entry.
    const uint32_t p = static_cast<uint32_t>(phase);
    const int32_t* sine = sineTable.data();
    const RowSampling sampleRowHere = rowSampling(sampling);
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
        for (int y = firstRow; y < endRow; ++y) {
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
            sampleRowHere(out + inner0, src + rowStart + inner0, columnA + (inner0 - x0), columnB + (inner0 - x0), rowA,
                          rowB, n, width, offsets);
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
    // A frame that shows takes its step at once; a replay owes a second or so
    // of them before one shows. Room for those is made once.
    owed.reserve(kOwedRoom);
}

void BumpWarpEffect::setHeights(const uint8_t* heights)
{
    owed.clear();
    std::copy_n(heights, heightMaps[current].size(), heightMaps[current].begin());
}

const uint8_t* BumpWarpEffect::heights()
{
    RowSplit whole;
    return heights(whole);
}

const uint8_t* BumpWarpEffect::heights(RowSplit& split)
{
    if (!owed.empty()) {
        const int first = current;
        split.run(static_cast<int>(owed.size()), static_cast<int>(height), [&](int step, int firstRow, int endRow) {
            const int from = first ^ (step & 1);
            warpHeightField(heightMaps[from].data(), heightMaps[from ^ 1].data(), static_cast<int>(width),
                            static_cast<int>(height), sineTable, owed[static_cast<size_t>(step)], firstRow, endRow);
        });
        current ^= static_cast<int>(owed.size() & 1);
        owed.clear();
    }
    return heightMaps[current].data();
}

void BumpWarpEffect::owe(int32_t time)
{
    owed.push_back(warpPhase(time));
}

void BumpWarpEffect::render(SDL_Surface* target, int32_t time)
{
    owe(time);
    if (showsNothing(target)) return;
    const uint8_t* field = heights();
    SurfaceLock lock(target);
    if (!lock) return;
    PixelView view = viewOf(target);
    view.width = static_cast<int>(width);
    view.height = static_cast<int>(height);
    lightHeightField(view, field, lightMap.data(), time);
}
