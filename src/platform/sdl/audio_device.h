#pragma once

#include <cstdint>

// The frames of each piece the desktop's device asks SDL for, which depend
// on the SDL 1.2 in use (audio_device.cpp says why).
uint16_t deviceFrames();
