#include "globals.h"

#include "sound/audio_device.h"

int quitRequested = 0;
int displayToggleRequested = 0;
uint32_t randomState = 1;
NoiseFieldState noiseField;
int32_t fountainPreviousTime = 0;
SoundState soundState;

void resetProgramState()
{
    quitRequested = 0;
    displayToggleRequested = 0;
    randomState = 1;
    noiseField = NoiseFieldState{};
    fountainPreviousTime = 0;
    soundState = SoundState{};
}
