#pragma once

#include "core/timeline.h"

#include <SDL.h>

#include <cstdint>

class FireEffect;
class ZoomBlendEffect;
class BumpWarpEffect;
class NoiseEffect;
class FountainEffect;
class LinesEffect;

// The display's size: what every scene and effect draws, whatever the
// screen shows it at.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

// The sixteen pictures, named after their files in data/.
struct Pictures {
    SDL_Surface* zemblogo = nullptr;
    SDL_Surface* tx1 = nullptr;
    SDL_Surface* tx2 = nullptr;
    SDL_Surface* tx3 = nullptr;
    SDL_Surface* tx4 = nullptr;
    SDL_Surface* ftx1 = nullptr;
    SDL_Surface* ftx2 = nullptr;
    SDL_Surface* rulltx = nullptr;
    SDL_Surface* pold = nullptr;
    SDL_Surface* poldtx = nullptr;
    SDL_Surface* flare = nullptr;
    SDL_Surface* mosk = nullptr;
    SDL_Surface* duvtx1 = nullptr;
    SDL_Surface* duvtx2 = nullptr;
    SDL_Surface* arsesmile = nullptr;
    SDL_Surface* trenbix = nullptr;
};

struct Effects {
    FireEffect* fire = nullptr;
    ZoomBlendEffect* zoomBlend = nullptr;
    BumpWarpEffect* bumpWarp = nullptr;
    NoiseEffect* noise = nullptr;
    FountainEffect* fountain = nullptr;
    LinesEffect* lines = nullptr;
};

// Everything the frame loop and the scenes work on. Created once at start-up
// and kept until the process ends.
struct Demo {
    SDL_Surface* screen = nullptr;
    SDL_Surface* backBuffer = nullptr;  // black; the zoom blend's source
    uint32_t startTicks = 0;            // SDL_GetTicks() at the clock's origin
    uint32_t demoTime = 0;              // milliseconds, smoothed (core/clock.h)
    bool paused = false;                // the clock stands still (core/frame_loop.h)
    uint32_t pausedAt = 0;              // SDL_GetTicks() when it stopped
    int sceneIndex = 0;                 // 0..5 the scenes, kEndState after them
    SDL_Rect destRect = {};             // blit destination, cleared every frame
    Pictures pictures;
    Effects effects;
    bool cuePending[kCueEventCount] = {};
    uint32_t cueFiredAt[kCueEventCount] = {};  // demoTime each event fired at, once it has
    bool cuesAudible = true;  // false while the player replays frames it does not show
};
