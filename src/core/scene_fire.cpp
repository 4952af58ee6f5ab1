// Scene 2: the rising fire, with two pictures crossing it in opposite
// directions and leaving trails in the flames.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"
#include "effects/fire_effect.h"

namespace {
constexpr Window kLeftwardCrossing = {17500, 30000};
constexpr Window kRightwardCrossing = {22000, 30000};
constexpr int32_t kCrossingSpan = 1280;  // from one side beyond the display to the other
constexpr int32_t kLeftwardY = 160;
constexpr int32_t kRightwardY = 240;
}  // namespace

void drawFireScene(Demo& demo)
{
    const float t = easeTime(demo);
    demo.effects.fire->render(demo.screen, static_cast<int32_t>(demo.demoTime));
    blitAt(demo, demo.pictures.ftx1, kScreenWidth - trunc32(kCrossingSpan * ease(kLeftwardCrossing, t)), kLeftwardY);
    blitAt(demo, demo.pictures.ftx2, trunc32(kCrossingSpan * ease(kRightwardCrossing, t)) - kScreenWidth, kRightwardY);
    fireCueEvents(demo, E1, E2);
}
