#pragma once

#include "core/timeline.h"
#include "data_files.h"
#include "globals.h"

#include <cstdint>

// The music track and the nine one-shot cues, mixed by the demo itself
// (sound/sound_mix.h) on the platform's audio device (sound/audio_device.h).
// Without a usable device every operation does nothing and the demo runs
// silently. A sound file that cannot be loaded ends the program with status
// 1 and a line on stderr naming it and the reason.
//
// The files are decoded a piece at a time: at start-up only the first
// seconds of the music, the rest a step each frame in soundUpdate, the cues
// first. A file found damaged on the way ends the program as at start-up.
void soundInit(int32_t startMs);
// Places cue `index` on the music where demoTime `demoTime` falls, at its
// table volume.
void playCue(int index, uint32_t demoTime);
void setMusicPlaying(bool on);
void soundShutdown();

// Once per frame, right after the clock moves, with the tick count demoTime
// came from and the clock's origin (startTicks): the music keeps in step with
// demoTime, and decoding moves on by a step.
void soundUpdate(uint32_t demoTime, uint32_t ticks, uint32_t startTicks);

// The sound stops at tick count `ticks`, fading out, and goes on from there,
// fading in, when unpaused: the demo clock's pause (core/frame_loop.h).
void soundPause(bool paused, uint32_t ticks);

// The player's jump (player/player.h) to `demoTime`, on the frame at tick
// count `ticks` with the clock's new origin `startTicks`: the music goes on
// from there, and of the cue events the timeline has fired (cuePending
// false), each at cueFiredAt, what is left sounds; the mix fades across.
// The music is decoded up to the new moment first, the cues whole.
void soundJump(uint32_t demoTime, uint32_t ticks, uint32_t startTicks, const bool cuePending[kCueEventCount],
               const uint32_t cueFiredAt[kCueEventCount]);

// For a caller that renders the mix itself on offlineAudioDevice(): finishes
// decoding, then mixes the next `frames` frames of the timeline, from the
// music's frame 0 on.
void soundRender(int16_t* out, int frames);

// Told of every cue the timeline plays, with its demoTime, with or without
// sound: demo-capture lists them. Null: nobody listens.
void setCueListener(CueListener listener);

// Voices for the cues: more than ever sound at once.
constexpr int kSoundVoices = 32;

struct CueEntry {
    int32_t volume;  // 0..255
    const char* file;
};
extern const CueEntry cueTable[kCueCount];

// The music track, played once, at the position soundInit is given when
// demoTime is 0 and in step with demoTime from there.
constexpr const char* kMusicFile = kSoundFiles[kMusicSound];
