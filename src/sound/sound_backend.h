#pragma once

#include <cstdint>
#include <string>

// What the sound subsystem needs from a sound library: one call per library
// operation it uses. sound.cpp keeps the order of calls and the flags; a
// back-end only does what it is told. Handles are opaque to everyone but the
// back-end that made them.
class SoundSample;
class SoundStream;

class SoundBackend {
public:
    virtual ~SoundBackend() = default;

    // Opens the device for `rate` Hz output with `channels` voices. False:
    // no usable device, and nothing is left open.
    virtual bool init(int rate, int channels) = 0;

    // Null when the file is missing, cannot be decoded or is refused;
    // lastError() then may say why.
    virtual SoundSample* loadSample(const char* path) = 0;
    virtual SoundStream* openStream(const char* path) = 0;
    virtual const std::string& lastError() const = 0;

    // Starts the stream once, unlooped. The channel, negative on failure.
    virtual int playStream(SoundStream* stream) = 0;
    // The stream's position in ms at demoTime 0; it keeps in step from there.
    virtual void setStreamTime(SoundStream* stream, int32_t ms) = 0;
    virtual void stopStream(SoundStream* stream) = 0;

    // Starts one playback on any free voice. The channel, -1 when none.
    virtual int playSample(SoundSample* sample) = 0;
    // volume: 0 (silent) to 255 (full).
    virtual void setVolume(int channel, int volume) = 0;

    // Once per frame: the demoTime just computed and the tick count it came
    // from. The music follows this clock, and a cue started now belongs at
    // this demoTime.
    virtual void followClock(uint32_t demoTime, uint32_t ticks) = 0;

    virtual void freeSample(SoundSample* sample) = 0;
    // Releases streams and voices and closes the device.
    virtual void close() = 0;
};

// SDL's audio device fed by the demo's own mix; libmpg123 decodes the files.
SoundBackend& mixerBackend();

// The frames of each piece that back-end asks SDL's device for, which
// depend on the SDL 1.2 in use.
uint16_t deviceFrames();

// Never finds a device: the demo then runs silently.
SoundBackend& nullBackend();
