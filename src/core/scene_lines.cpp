// Scene 5: a grey fading from white to black under the sine-line figure,
// which collapses into the centre at the end, while ten rows of pictures
// scroll up near the left edge and finally slide out to the left.
#include "core/clock.h"
#include "core/scene_helpers.h"
#include "core/scenes.h"
#include "effects/lines_effect.h"

namespace {
constexpr uint32_t kSceneStart = kWarpSceneEnd;
constexpr Window kFadeToBlack = {74200, 77000};
constexpr Window kCollapse = {86600, 88605};  // ends just after the scene: never quite 0
constexpr Window kSlideOut = {87600, 88600};
constexpr float kScrollRate = 0.05f;          // pixels per millisecond
constexpr int32_t kRowSpacing = 120;
constexpr int32_t kRowsEnd = 1200;            // ten rows
constexpr int32_t kLowerPictureDrop = 60;
constexpr int32_t kUpperPictureX = 40;
constexpr int32_t kLowerPictureX = 20;

uint32_t greyPixel(double brightness)
{
    const uint32_t g = static_cast<uint32_t>(trunc32(brightness * 255)) & 0xff;
    return g << 16 | g << 8 | g;
}

// Slides a picture resting at restX out until its right edge meets the left edge.
int32_t slideOutX(int32_t restX, SDL_Surface* picture, float t)
{
    return restX - trunc32(ease(kSlideOut, t) * (picture->w + restX));
}
}  // namespace

void drawLinesScene(Demo& demo)
{
    const float t = easeTime(demo);
    const Pictures& p = demo.pictures;
    SDL_FillRect(demo.screen, nullptr, greyPixel(1 - ease(kFadeToBlack, t)));

    demo.effects.lines->setAmplitude(static_cast<float>(1 - ease(kCollapse, t)));
    demo.effects.lines->render(demo.screen, static_cast<int32_t>(demo.demoTime));

    const double scrolled = static_cast<double>(demo.demoTime - kSceneStart) * kScrollRate;
    for (int32_t offset = 0; offset < kRowsEnd; offset += kRowSpacing) {
        const float rowOffset = static_cast<float>(offset);
        blitAt(demo, p.mosk, slideOutX(kUpperPictureX, p.mosk, t), trunc32(kScreenHeight - scrolled + rowOffset));
        blitAt(demo, p.trenbix, slideOutX(kLowerPictureX, p.trenbix, t),
               trunc32(kScreenHeight - scrolled + rowOffset + kLowerPictureDrop));
    }

    fireCueEvents(demo, E6, E7);
}
