#pragma once

#include "globals.h"

#include <cstdint>

// The music track and the nine one-shot cues. Without a usable sound device
// every operation does nothing and the demo runs silently. A sound file that
// cannot be loaded ends the program with status 1.
void soundInit(int32_t startMs);
void playCue(int index);
void setMusicPlaying(bool on);
void soundShutdown();

// Once per frame, right after the clock moves: the music keeps in step with
// demoTime, and the frame's cues sound at their places on the music.
void soundFollowClock(uint32_t demoTime, uint32_t ticks);

// Voices for the cues: more than ever sound at once.
constexpr int kSoundVoices = 32;

struct CueEntry {
    int32_t volume;  // 0..255
    const char* file;
};
extern const CueEntry cueTable[kCueCount];

// The music track, played once, at the position soundInit is given when
// demoTime is 0 and in step with demoTime from there.
constexpr const char* kMusicFile = "data/music.mp3";
