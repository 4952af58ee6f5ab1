#pragma once

#include "sound/device_mix.h"
#include "sound/sound_mix.h"

#include <memory>
#include <string>

// What the sound plays through: an audio device and a decoder for its files,
// which a platform gives (platform/sound_platform.h). Everything else (the
// mix, the clock it follows, the decoded sounds) is the portable sound
// code's own (sound/sound.h).

// An output of interleaved 16-bit stereo at kMixRate that pulls what it plays
// from `fill`, on a thread of the device's own, with the device locked.
class AudioDevice {
public:
    using Fill = void (*)(int16_t* out, int frames);

    virtual ~AudioDevice() = default;
    // Starts the device. False: no usable device, and nothing is left open.
    virtual bool open(Fill fill) = 0;
    // Keeps `fill` from running, so that what it reads can change.
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Stops the device; `fill` is not called again.
    virtual void close() = 0;
    // Everything the frame loop's thread tells the mix goes through here:
    // applied to `mix`, which `fill` plays, under the lock; a device that
    // plays a mix of its own elsewhere passes the command on instead.
    virtual void tell(const MixCommand& command, const int16_t* samples)
    {
        lock();
        mix.apply(command, samples);
        unlock();
    }

    // What the device plays: the mix on the demo clock and the decoded
    // sounds, shared with the device's thread and changed only by tell.
    DeviceMix mix;
};

// Never opens: the demo then runs silently.
AudioDevice& nullAudioDevice();

// Always opens and never plays: for a caller that renders the mix itself
// (soundRender), as demo-capture does for a video's soundtrack.
AudioDevice& offlineAudioDevice();

// A sound file being decoded, a piece at a time, so that a long one can play
// from its start while the rest is decoded.
class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    // The frames the whole file holds as far as its headers tell: room for
    // them is made at once. A file may turn out shorter or longer.
    virtual Frames length() const = 0;
    // Appends at least `frames` frames of interleaved stereo at kMixRate to
    // `pcm` (mono copied onto both channels), fewer only at the end of the
    // file. False when the data turns out damaged, with the reason in `error`.
    virtual bool decode(Pcm& pcm, Frames frames, std::string& error) = 0;
    virtual bool finished() const = 0;
};
