// Scene 3: the blue noise field, with one tall picture scrolling up over it.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"
#include "effects/noise_effect.h"

namespace {
// The scroll window runs past the scene's end, so the picture never stops.
constexpr Window kScroll = {34000, 50000};
constexpr int32_t kScrollDistance = 960;
constexpr int32_t kScrollX = 213;
constexpr uint32_t kNoiseStepMs = 40;  // the field's time advances once per 40 ms
}  // namespace

void drawNoiseScene(Demo& demo)
{
    const float t = easeTime(demo);
    demo.effects.noise->render(demo.screen, static_cast<int32_t>(demo.demoTime / kNoiseStepMs));
    blitAt(demo, demo.pictures.rulltx, kScrollX, kScreenHeight - trunc32(ease(kScroll, t) * kScrollDistance));
    fireCueEvents(demo, E3, E3);
}
