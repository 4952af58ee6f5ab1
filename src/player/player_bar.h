#pragma once

#include "core/present.h"
#include "effects/pixel_view.h"

#include <cstdint>

// The player's bar across the bottom of the screen: the picture under it
// darkened, the timeline with the scenes' starts, the time played along it,
// the time as m:ss.s and a sign. It shows while paused or while a jump
// waits, and for 2 s after a jump, a step or a resume; it is drawn for the
// flip only (core/present.h), so the effects never read it back.
constexpr int kPlayerBarHeight = 24;

enum class BarSign { None, Paused, Waiting };

class PlayerBar : public Overlay {
public:
    PlayerBar() : Overlay(kPlayerBarHeight) {}

    // Shows the bar for 2 s from tick count `ticks`.
    void showFrom(uint32_t ticks);
    // Whether it shows at tick count `ticks`: always with a sign, otherwise
    // while its 2 s last. What it will show: the time and the sign.
    bool showsAt(uint32_t ticks, uint32_t demoTime, BarSign sign);

    void draw(const PixelView& strip) override;

private:
    uint32_t until = 0;  // tick count the timed showing ends at
    bool timed = false;
    uint32_t shownTime = 0;
    BarSign shownSign = BarSign::None;
};

// Draws the bar for `demoTime` over `strip`, a full-width view of the
// screen's bottom kPlayerBarHeight rows: two bars for paused, three dots
// for a jump that waits.
void drawPlayerBar(const PixelView& strip, uint32_t demoTime, BarSign sign);
