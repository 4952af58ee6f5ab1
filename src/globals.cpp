#include "globals.h"

#include "sound/audio_device.h"

int quitRequested = 0;
int displayToggleRequested = 0;
thread_local RunState runState;
thread_local NoiseBuffers noiseBuffers;
PlayerKeys playerKeys;
SoundState soundState;

void resetProgramState()
{
    quitRequested = 0;
    displayToggleRequested = 0;
    runState = RunState{};
    noiseBuffers = NoiseBuffers{};
    playerKeys = PlayerKeys{};
    soundState = SoundState{};
}
