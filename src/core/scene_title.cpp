// Scene 1: on black, the logo slides in from the right, then four pictures
// rise one after another into a staircase on the left.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"

namespace {
constexpr Window kLogoSlide = {0, 2000};
constexpr Window kRise[4] = {{2000, 5000}, {5000, 8000}, {8000, 11000}, {11000, 14000}};

constexpr int32_t kLogoTravel = 213;  // the logo rests with its left edge at x = 427
constexpr int32_t kStairX = 100;
constexpr int32_t kStairStep = 100;   // each picture rests 100 pixels below the one before
}  // namespace

void drawTitleScene(Demo& demo)
{
    const float t = easeTime(demo);
    const Pictures& p = demo.pictures;
    SDL_FillRect(demo.screen, nullptr, 0);

    const float logoIn = static_cast<float>(ease(kLogoSlide, t));
    blitAt(demo, p.zemblogo, trunc32(kScreenWidth - kLogoTravel * static_cast<double>(logoIn)),
           (kScreenHeight - p.zemblogo->h) / 2);

    SDL_Surface* const stair[4] = {p.tx1, p.tx2, p.tx3, p.tx4};
    for (int i = 0; i < 4; ++i) {
        const int32_t rise = kScreenHeight - i * kStairStep;
        blitAt(demo, stair[i], kStairX, kScreenHeight - trunc32(rise * ease(kRise[i], t)));
    }
}
