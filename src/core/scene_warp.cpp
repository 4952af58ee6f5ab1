// Scene 4: the writhing bump-lit surface, with two panels sliding in from the
// sides and back out, and a strip crossing along the bottom edge.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"
#include "effects/bump_warp_effect.h"

namespace {
constexpr Window kLeftPanelIn = {50000, 55000};
constexpr Window kLeftPanelOut = {57000, 64000};
constexpr Window kRightPanelIn = {53000, 54500};
constexpr Window kRightPanelOut = {58000, 63000};
constexpr Window kStripCrossing = {65000, 74000};
constexpr float kRightPanelReach = 1.05f;  // leaves a small gap at the right edge
constexpr int32_t kRightPanelY = 100;
}  // namespace

void drawWarpScene(Demo& demo)
{
    const float t = easeTime(demo);
    const Pictures& p = demo.pictures;
    demo.effects.bumpWarp->render(demo.screen, static_cast<int32_t>(demo.demoTime));

    // In then out: the difference of two windows, its first term kept as a float.
    const float leftIn = static_cast<float>(ease(kLeftPanelIn, t));
    const float leftW = static_cast<float>(p.pold->w);
    blitAtX(demo, p.pold, trunc32((leftIn - ease(kLeftPanelOut, t)) * leftW - leftW));

    const float rightIn = static_cast<float>(ease(kRightPanelIn, t));
    const double rightSlide = (rightIn - ease(kRightPanelOut, t)) * p.poldtx->w * static_cast<double>(kRightPanelReach);
    blitAt(demo, p.poldtx, kScreenWidth - trunc32(rightSlide), kRightPanelY);

    blitAt(demo, p.arsesmile, kScreenWidth - trunc32(ease(kStripCrossing, t) * (p.arsesmile->w + kScreenWidth)),
           kScreenHeight - p.arsesmile->h);

    fireCueEvents(demo, E4, E5);
}
