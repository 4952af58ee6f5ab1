#pragma once

#include <cstdint>

// The frames of each piece the desktop's device asks SDL for, which depend
// on the SDL 1.2 in use and, under SDL2, on whether the sound server is
// PipeWire's (audio_device.cpp says why).
uint16_t deviceFrames(bool pipeWire);
