// bench-effects: each effect's render on a 640 x 480 x 32 surface against a
// full-frame fill of that surface (the memory limit for one frame), and
// against the plain reference kernel; and each scene's pictures drawn by the
// demo's own blit against SDL's blit of the same pictures. Ends with one line
// per effect and one per scene:
//   ratio <effect> <render time as a multiple of the fill>
//   blits <scene> <ours, us per frame> <SDL's, us per frame>
#include "effects/bump_warp_effect.h"
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/noise_effect.h"
#include "effects/picture_blit.h"
#include "effects/reference/reference_kernels.h"
#include "effects/zoom_blend_effect.h"
#include "globals.h"
#include "random.h"

#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int32_t kFrameMs = 16;

SDL_Surface* screen = nullptr;
SDL_Surface* backBuffer = nullptr;
SDL_Surface* flare = nullptr;

// Renders of one effect at a steadily advancing demo time, as a scene would.
template <typename Draw>
void frames(benchmark::State& state, int32_t start, Draw draw)
{
    int32_t time = start;
    for (auto _ : state) {
        draw(time);
        time += kFrameMs;
    }
}

void fill(benchmark::State& state)
{
    uint32_t colour = 0;
    for (auto _ : state) SDL_FillRect(screen, nullptr, ++colour & 0xffffff);
}

void fire(benchmark::State& state)
{
    FireEffect effect(kWidth, kHeight);
    effect.colourMask = 0xffa0cf;
    frames(state, 17000, [&](int32_t t) { effect.render(screen, t); });
}

void fireReference(benchmark::State& state)
{
    frames(state, 17000, [&](int32_t) {
        SDL_LockSurface(screen);
        reference::fire(viewOf(screen), 0xffa0cf);
        SDL_UnlockSurface(screen);
    });
}

void noise(benchmark::State& state)
{
    NoiseEffect effect(kWidth, kHeight);
    frames(state, 31500, [&](int32_t t) { effect.render(screen, t / 40); });
}

void noiseReference(benchmark::State& state)
{
    const auto table = makeNoiseTable();
    int32_t cursor = 0;
    NoiseBuffers buffers;
    sizeNoiseBuffers(buffers, kWidth, kHeight);
    frames(state, 31500, [&](int32_t t) {
        SDL_LockSurface(screen);
        reference::noise(viewOf(screen), *table, cursor, buffers, t / 40);
        SDL_UnlockSurface(screen);
    });
}

void bumpWarp(benchmark::State& state)
{
    BumpWarpEffect effect(kWidth, kHeight);
    frames(state, 45600, [&](int32_t t) { effect.render(screen, t); });
}

void bumpWarpReference(benchmark::State& state)
{
    const SineTable sines = buildSineTable();
    const std::vector<uint8_t> lights = reference::lightMap();
    std::vector<uint8_t> maps[2] = {std::vector<uint8_t>(kWidth * kHeight), std::vector<uint8_t>(kWidth * kHeight)};
    for (uint8_t& h : maps[0]) h = static_cast<uint8_t>(nextRandom() & 0x7f);
    int current = 0;
    frames(state, 45600, [&](int32_t t) {
        reference::warp(maps[current].data(), maps[current ^ 1].data(), kWidth, kHeight, sines, warpPhase(t));
        current ^= 1;
        SDL_LockSurface(screen);
        reference::light(viewOf(screen), maps[current].data(), lights.data(), t);
        SDL_UnlockSurface(screen);
    });
}

void lines(benchmark::State& state)
{
    LinesEffect effect(kWidth, kHeight);
    effect.setAmplitude(1.0f);
    frames(state, 74200, [&](int32_t t) { effect.render(screen, t); });
}

void linesReference(benchmark::State& state)
{
    frames(state, 74200, [&](int32_t t) { reference::lines(screen, t, kWidth, kHeight, 1.0f); });
}

// The fountain in full flight: a few seconds of frames are run first, so the
// particles are spread as they are through most of the scene.
constexpr int32_t kFountainStart = 88600;
constexpr int kWarmUpFrames = 300;

void fountain(benchmark::State& state)
{
    seedRandom(1);
    runState.fountainPreviousTime = 0;
    FountainEffect effect(kWidth, kHeight, flare);
    int32_t t = kFountainStart;
    for (int i = 0; i < kWarmUpFrames; ++i, t += kFrameMs) effect.render(screen, t);
    frames(state, t, [&](int32_t time) { effect.render(screen, time); });
}

void fountainReference(benchmark::State& state)
{
    seedRandom(1);
    Particles particles;
    launchParticles(particles, kWidth, kHeight, nextRandom);
    int32_t previous = 0;
    int32_t t = kFountainStart;
    auto frame = [&](int32_t time) {
        reference::fountain(particles, kWidth, kHeight, flare, screen, time, previous, nextRandom);
    };
    for (int i = 0; i < kWarmUpFrames; ++i, t += kFrameMs) frame(t);
    frames(state, t, frame);
}

void zoomBlend(benchmark::State& state)
{
    ZoomBlendEffect effect(kWidth, kHeight, backBuffer);
    frames(state, 0, [&](int32_t t) { effect.render(screen, t); });
}

void zoomBlendReference(benchmark::State& state)
{
    const ZoomOffsets offsets = makeZoomOffsets(kWidth, kHeight);
    frames(state, 0, [&](int32_t) {
        SDL_LockSurface(screen);
        reference::zoomBlend(viewOf(backBuffer), viewOf(screen), offsets, 1);
        SDL_UnlockSurface(screen);
    });
}

// Keeps the time per iteration of every run (in the run's unit), the median
// when the runs are repeated, so the summary can be printed after the usual table.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (median || single) seconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }

    std::map<std::string, double> seconds;
};

const char* const kEffects[] = {"fire", "noise", "bump_warp", "lines", "fountain", "zoom_blend"};

// Each scene's pictures, every one whole on the screen or centred on it when
// larger: the most a frame of that scene blits. The fountain adds its 256
// flares, spread over the screen.
struct SceneBlits {
    const char* scene;
    std::vector<const char*> pictures;
    int flares;
};
const SceneBlits kSceneBlits[] = {
    {"title", {"zemblogo.jpg", "tx1.jpg", "tx2.jpg", "tx3.jpg", "tx4.jpg"}, 0},
    {"fire", {"ftx1.tga", "ftx2.tga"}, 0},
    {"noise", {"rulltx.tga"}, 0},
    {"warp", {"pold.tga", "poldtx.tga", "arsesmile.tga"}, 0},
    {"lines", {"mosk.tga", "trenbix.tga"}, 0},
    {"fountain", {"duvtx1.tga", "duvtx2.tga"}, kParticleCount},
};

struct Placed {
    SDL_Surface* picture;
    Sint16 x, y;
};

SDL_Surface* loadPicture(const char* name)
{
    const std::string path = std::string(DEMO_DATA_DIR) + "/" + name;
    SDL_Surface* picture = IMG_Load(path.c_str());
    if (!picture) {
        fprintf(stderr, "bench-effects: cannot load %s\n", path.c_str());
        exit(1);
    }
    return pictureInDisplayLayout(picture);
}

std::vector<Placed> placeScene(const SceneBlits& scene)
{
    std::vector<Placed> placed;
    for (const char* name : scene.pictures) {
        SDL_Surface* picture = loadPicture(name);
        placed.push_back({picture, static_cast<Sint16>((kWidth - picture->w) / 2),
                          static_cast<Sint16>((kHeight - picture->h) / 2)});
    }
    for (int i = 0; i < scene.flares; ++i)
        placed.push_back({flare, static_cast<Sint16>(i % 16 * kWidth / 16), static_cast<Sint16>(i / 16 * kHeight / 16)});
    return placed;
}

void oursBlits(benchmark::State& state, const std::vector<Placed>& placed)
{
    for (auto _ : state)
        for (const Placed& p : placed) {
            SDL_Rect place = {p.x, p.y, 0, 0};
            blitPicture(p.picture, screen, place);
        }
}

void sdlBlits(benchmark::State& state, const std::vector<Placed>& placed)
{
    for (auto _ : state)
        for (const Placed& p : placed) {
            SDL_Rect place = {p.x, p.y, 0, 0};
            SDL_UpperBlit(p.picture, nullptr, screen, &place);
        }
}
}  // namespace

BENCHMARK(fill);
BENCHMARK(fire);
BENCHMARK(fireReference);
BENCHMARK(noise);
BENCHMARK(noiseReference);
BENCHMARK(bumpWarp);
BENCHMARK(bumpWarpReference);
BENCHMARK(lines);
BENCHMARK(linesReference);
BENCHMARK(fountain);
BENCHMARK(fountainReference);
BENCHMARK(zoomBlend);
BENCHMARK(zoomBlendReference);

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        fprintf(stderr, "Cannot init SDL: %s\n", SDL_GetError());
        return 1;
    }
    screen = SDL_SetVideoMode(kWidth, kHeight, 32, 0);
    if (!screen) {
        fprintf(stderr, "bench-effects: cannot open the display: %s\n", SDL_GetError());
        return 1;
    }
    flare = loadPicture("flare.tga");
    for (const SceneBlits& scene : kSceneBlits) {
        const std::vector<Placed> placed = placeScene(scene);
        benchmark::RegisterBenchmark((std::string("blitsOurs/") + scene.scene).c_str(), oursBlits, placed)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("blitsSdl/") + scene.scene).c_str(), sdlBlits, placed)
            ->Unit(benchmark::kMicrosecond);
    }
    const SDL_PixelFormat* f = screen->format;
    backBuffer = SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    seedRandom(1);
    SDL_FillRect(backBuffer, nullptr, 0x406080);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // Effects are named in snake case here, their benchmarks in camel case.
    const char* const functions[] = {"fire", "noise", "bumpWarp", "lines", "fountain", "zoomBlend"};
    const double fillTime = reporter.seconds.count("fill") ? reporter.seconds["fill"] : 0;
    for (size_t i = 0; i < std::size(kEffects); ++i) {
        const std::string name = functions[i];
        if (!reporter.seconds.count(name)) continue;
        const double t = reporter.seconds[name];
        if (reporter.seconds.count(name + "Reference"))
            printf("speedup %s %.2f\n", kEffects[i], reporter.seconds[name + "Reference"] / t);
        if (fillTime > 0) printf("ratio %s %.2f\n", kEffects[i], t / fillTime);
    }
    for (const SceneBlits& scene : kSceneBlits) {
        const std::string ours = std::string("blitsOurs/") + scene.scene, sdl = std::string("blitsSdl/") + scene.scene;
        if (reporter.seconds.count(ours) && reporter.seconds.count(sdl))
            printf("blits %s %.1f %.1f\n", scene.scene, reporter.seconds[ours], reporter.seconds[sdl]);
    }
    SDL_FreeSurface(flare);
    SDL_FreeSurface(backBuffer);
    SDL_Quit();
    return 0;
}
