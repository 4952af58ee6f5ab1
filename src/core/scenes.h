#pragma once

#include "core/demo.h"

// The six scenes of the timeline. Each draws one frame onto demo.screen for
// demo.demoTime, then fires its cue events that have come due.
void drawTitleScene(Demo& demo);
void drawFireScene(Demo& demo);
void drawNoiseScene(Demo& demo);
void drawWarpScene(Demo& demo);
void drawLinesScene(Demo& demo);
void drawFountainScene(Demo& demo);
