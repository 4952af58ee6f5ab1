#pragma once

#include <cstdint>

// The player's frames: demo-capture's grid of 60 frames a second
// (core/frame_grid.h), from frame 0 up to the last frame that draws a scene.
// On the grid a scene's first frame only moves the scene switch on and
// draws nothing: the picture is still the previous frame's.

constexpr int kPlayerFps = 60;

// The first and the last grid frame that draw scene `scene`.
uint64_t firstFrameOf(int scene);
uint64_t lastFrameOf(int scene);

// The latest moment a jump lands on: the last scene's last frame.
uint64_t lastPlayerFrame();
uint32_t lastPlayerFrameTime();

// The earliest grid frame whose picture still shows in grid frame
// `frame`'s: the frame itself, or the one before where `frame` draws
// nothing, and as far back as that scene remembers (framesRemembered,
// core/frame.h). A replay draws from there on in full.
uint64_t firstFrameShownIn(uint64_t frame);
