#pragma once

#include "globals.h"
#include "sound/mix_clock.h"

#include <cstdint>

// One thing the frame loop's thread tells the mix that the audio device
// plays. Plain data of fixed size, so that a device whose mix runs elsewhere
// (the web's, in its audio worklet) can pass it on as it is.
struct MixCommand {
    enum Kind : int32_t {
        Start,    // value: cue voices; demoTime: the music's position in ms at demoTime 0
        Open,     // sound, value: the frames it will hold, room for which is made at once
        Append,   // sound, value: samples (interleaved stereo) that follow
        Music,    // value: 1 plays the music, 0 mutes it
        Play,     // sound, demoTime, value: volume 0..255
        Frame,    // demoTime, ticks, startTicks: the frame loop's clock report
        Pause,    // ticks
        Resume,   // ticks
        Stop,     // sound: no voice plays it any more, and it is freed
        StopAll,  // every voice and the music stop, every sound is freed
        Jump,     // demoTime, ticks, startTicks: the player's jump; the Plays up to Landed sound where it lands
        Landed,
    };
    Kind kind;
    int32_t sound = 0;
    int32_t value = 0;
    uint32_t demoTime = 0;
    uint32_t ticks = 0;
    uint32_t startTicks = 0;
};

// The mix on the demo clock with the sounds it plays from: all that the
// device's side of the sound holds.
class DeviceMix {
public:
    // `samples` holds what an Append adds; null for every other command.
    void apply(const MixCommand& command, const int16_t* samples);

    // The device's side, as ClockedMix::fill.
    void fill(int16_t* out, int frames, uint32_t ticks) { clocked.fill(out, frames, ticks); }
    // The timeline from where it is, without a clock (a video's soundtrack).
    void render(int16_t* out, int frames) { clocked.mix.render(out, frames); }

    ClockedMix clocked;

private:
    Pcm sounds[kSoundCount];
};
