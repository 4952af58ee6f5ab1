#pragma once

#include <cstdint>

// The music track and the nine one-shot cues. Without a usable sound device
// every operation does nothing and the demo runs silently.
void soundInit(int32_t startMs);
void playCue(int index);
void setMusicPlaying(bool on);
void soundShutdown();
