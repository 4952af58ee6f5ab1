#include "sound/sound.h"

#include "sound/audio_device.h"
#include "sound/mix_clock.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

const CueEntry cueTable[kCueCount] = {
    {255, "data/gee01.mp3"}, {255, "data/la01.mp3"},  {255, "data/a01.mp3"},
    {255, "data/l04.mp3"},   {255, "data/gee09.mp3"}, {255, "data/a03.mp3"},
    {255, "data/gee06.mp3"}, {255, "data/gee04.mp3"}, {255, "data/la03.mp3"},
};

namespace {
// The sounds by index: the cues as in cueTable, then the music.
constexpr int kMusic = kCueCount;
constexpr int kSoundCount = kCueCount + 1;

// The music stays decoded at least this far past where it plays, well past
// the mix's delay and the device's buffers; the steps after the cues soon
// take it much further.
constexpr Frames kMusicLead = kMixRate / 2;
// What one step decodes: about a millisecond's work, a small part of a frame.
constexpr Frames kDecodeStep = kMixRate / 4;
// The most a decoder appends past what it is asked for: one of its own blocks.
constexpr Frames kDecoderBlock = 4096;

ClockedMix mix;
// The sounds still being decoded; null once a sound is whole.
std::unique_ptr<SoundDecoder> decoders[kSoundCount];
// Each step decodes here first and takes the device's lock only to append.
Pcm piece;
int32_t musicStartMs = 0;
CueListener cueListener = nullptr;

const char* fileOf(int sound)
{
    return sound == kMusic ? kMusicFile : cueTable[sound].file;
}

Pcm& pcmOf(int sound)
{
    return sound == kMusic ? soundState.music : soundState.cues[sound];
}

Frames framesIn(const Pcm& pcm)
{
    return static_cast<Frames>(pcm.size() / 2);
}

// False before soundInit and in silent mode.
bool soundActive()
{
    return soundState.soundEnabled && soundState.device;
}

class DeviceLock {
public:
    DeviceLock() { soundState.device->lock(); }
    ~DeviceLock() { soundState.device->unlock(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
};

// The device's thread, under its lock.
void fillFromMix(int16_t* out, int frames)
{
    mix.fill(out, frames, SDL_GetTicks());
}

// What the device still plays while it closes is silence; then everything
// decoded goes.
void closeSound()
{
    {
        DeviceLock lock;
        mix.mix.stopAll();
        mix.mix.setMusic(nullptr);
    }
    soundState.device->close();
    for (std::unique_ptr<SoundDecoder>& decoder : decoders) decoder.reset();
    soundState.music = Pcm();
}

// A demo without one of its sounds is not worth running. The device is
// closed first so that the exit handlers find nothing still playing.
[[noreturn]] void cannotLoad(int sound, const std::string& why)
{
    fprintf(stderr, "Cannot load %s%s%s\n", fileOf(sound), why.empty() ? "" : ": ", why.c_str());
    for (Pcm& cue : soundState.cues) cue = Pcm();
    closeSound();
    exit(1);
}

// Decodes about kDecodeStep more of `sound` and hands it to the mix.
void decodeStep(int sound)
{
    std::string error;
    piece.clear();
    if (!decoders[sound]->decode(piece, kDecodeStep, error)) cannotLoad(sound, error);
    {
        DeviceLock lock;
        Pcm& pcm = pcmOf(sound);
        pcm.insert(pcm.end(), piece.begin(), piece.end());
    }
    if (decoders[sound]->finished()) decoders[sound].reset();
}

void decodeMusicTo(Frames end)
{
    while (decoders[kMusic] && framesIn(soundState.music) < end) decodeStep(kMusic);
}

// The music up to kMusicLead past where demoTime plays it, then one step of
// what is left: the cues in table order, long before the first plays, then
// the rest of the music.
void decodeAhead(uint32_t demoTime)
{
    decodeMusicTo(framesOf(int64_t{demoTime} + musicStartMs) + kMusicLead);
    for (int sound = 0; sound < kSoundCount; ++sound) {
        if (!decoders[sound]) continue;
        decodeStep(sound);
        return;
    }
}
}  // namespace

void soundInit(int32_t startMs)
{
    if (!soundState.device) soundState.device = &platformAudioDevice();
    // The device's thread reads the mix from the moment it opens.
    mix.reset(kSoundVoices);
    if (!soundState.device->open(fillFromMix)) {
        soundState.soundEnabled = 0;
        return;
    }
    piece.reserve(static_cast<size_t>(2 * (kDecodeStep + kDecoderBlock)));
    for (int sound = 0; sound < kSoundCount; ++sound) {
        std::string error;
        decoders[sound] = openSoundFile(fileOf(sound), error);
        if (!decoders[sound]) cannotLoad(sound, error);
        // Nothing plays the sound yet, so no lock; appending then moves nothing.
        pcmOf(sound).reserve(static_cast<size_t>(2 * decoders[sound]->length()));
    }
    musicStartMs = startMs;
    decodeMusicTo(framesOf(startMs) + kMusicLead);
    setMusicPlaying(true);
    DeviceLock lock;
    mix.musicStart = startMs;
}

void setMusicPlaying(bool on)
{
    if (!soundActive()) return;
    DeviceLock lock;
    if (on) {
        if (soundState.musicPlaying) return;
        mix.mix.setMusic(&soundState.music);
        mix.mix.setMusicMuted(false);
        soundState.musicPlaying = 1;
    } else if (soundState.musicPlaying) {
        mix.mix.setMusicMuted(true);
        soundState.musicPlaying = 0;
    }
}

void playCue(int index, uint32_t demoTime)
{
    if (index < 0 || index >= kCueCount) return;
    if (cueListener) cueListener(demoTime, index);
    if (!soundActive()) return;
    DeviceLock lock;
    mix.mix.setVolume(mix.play(&soundState.cues[index], demoTime), cueTable[index].volume);
}

void soundUpdate(uint32_t demoTime, uint32_t ticks, uint32_t startTicks)
{
    if (!soundActive()) return;
    {
        DeviceLock lock;
        mix.clock.frame(demoTime, ticks, startTicks);
    }
    decodeAhead(demoTime);
}

void soundRender(int16_t* out, int frames)
{
    if (!soundActive()) {
        std::fill_n(out, 2 * frames, int16_t{0});
        return;
    }
    for (int sound = 0; sound < kSoundCount; ++sound)
        while (decoders[sound]) decodeStep(sound);
    DeviceLock lock;
    mix.mix.render(out, frames);
}

void setCueListener(CueListener listener)
{
    cueListener = listener;
}

void soundShutdown()
{
    if (!soundActive()) return;
    setMusicPlaying(false);
    for (Pcm& cue : soundState.cues) {
        {
            DeviceLock lock;
            mix.mix.stop(&cue);
        }
        cue = Pcm();
    }
    closeSound();
}
