#include "globals.h"

int quitRequested = 0;
NoiseFieldState noiseField;
int32_t fountainPreviousTime = 0;
SoundState soundState;
