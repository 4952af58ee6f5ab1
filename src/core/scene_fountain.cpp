// Scene 6: the flare fountain on black, with two end titles sliding down from
// above the top edge one after the other.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"
#include "effects/fountain_effect.h"

namespace {
constexpr Window kFirstTitleDrop = {89000, 91000};
constexpr Window kSecondTitleDrop = {92000, 95000};
constexpr int32_t kSecondTitleBottom = 200;  // its bottom row comes to rest on row 199

int32_t centredX(SDL_Surface* picture)
{
    return (kScreenWidth - picture->w) / 2;
}
}  // namespace

void drawFountainScene(Demo& demo)
{
    const float t = easeTime(demo);
    const Pictures& p = demo.pictures;
    SDL_FillRect(demo.screen, nullptr, 0);
    demo.effects.fountain->render(demo.screen, static_cast<int32_t>(demo.demoTime));

    // Falls from just above the top edge to its own height below it.
    const int32_t h1 = p.duvtx1->h;
    blitAt(demo, p.duvtx1, centredX(p.duvtx1), -h1 - trunc32(ease(kFirstTitleDrop, t) * h1 * -2));

    blitAt(demo, p.duvtx2, centredX(p.duvtx2),
           trunc32(ease(kSecondTitleDrop, t) * kSecondTitleBottom) - p.duvtx2->h);

    fireCueEvents(demo, E8, E9);
}
