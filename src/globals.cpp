#include "globals.h"

#include "sound/audio_device.h"

#include <utility>

int quitRequested = 0;
int displayToggleRequested = 0;
thread_local uint32_t randomState = 1;
thread_local NoiseFieldState noiseField;
thread_local int32_t fountainPreviousTime = 0;
PlayerKeys playerKeys;
SoundState soundState;

void swapRunState(RunState& other)
{
    std::swap(randomState, other.randomState);
    std::swap(noiseField, other.noiseField);
    std::swap(fountainPreviousTime, other.fountainPreviousTime);
}

void resetProgramState()
{
    quitRequested = 0;
    displayToggleRequested = 0;
    randomState = 1;
    noiseField = NoiseFieldState{};
    fountainPreviousTime = 0;
    playerKeys = PlayerKeys{};
    soundState = SoundState{};
}
