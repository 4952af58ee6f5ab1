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
    {255, kSoundFiles[0]}, {255, kSoundFiles[1]}, {255, kSoundFiles[2]}, {255, kSoundFiles[3]}, {255, kSoundFiles[4]},
    {255, kSoundFiles[5]}, {255, kSoundFiles[6]}, {255, kSoundFiles[7]}, {255, kSoundFiles[8]},
};

namespace {
// The music stays decoded at least this far past where it plays, well past
// the mix's delay and the device's buffers; the steps after the cues soon
// take it much further.
constexpr Frames kMusicLead = kMixRate / 2;
// What one step decodes: about a millisecond's work, a small part of a frame.
constexpr Frames kDecodeStep = kMixRate / 4;
// The most a decoder appends past what it is asked for: one of its own blocks.
constexpr Frames kDecoderBlock = 4096;

const char* fileOf(int sound)
{
    return kSoundFiles[sound];
}

// False before soundInit and in silent mode.
bool soundActive()
{
    return soundState.soundEnabled && soundState.device;
}

void tell(const MixCommand& command, const int16_t* samples = nullptr)
{
    soundState.device->tell(command, samples);
}

// Cue `index` at its table volume, placed where demoTime `demoTime` falls.
void tellPlay(int index, uint32_t demoTime)
{
    MixCommand play{MixCommand::Play, index};
    play.demoTime = demoTime;
    play.value = cueTable[index].volume;
    tell(play);
}

// The device's thread, under its lock.
void fillFromMix(int16_t* out, int frames)
{
    soundState.device->mix.fill(out, frames, SDL_GetTicks());
}

// What the device still plays while it closes is silence; then everything
// decoded goes.
void closeSound()
{
    tell({MixCommand::StopAll});
    soundState.device->close();
    for (std::unique_ptr<SoundDecoder>& decoder : soundState.decoders) decoder.reset();
    for (int64_t& frames : soundState.decodedFrames) frames = 0;
}

// A demo without one of its sounds is not worth running. The device is
// closed first so that the exit handlers find nothing still playing.
[[noreturn]] void cannotLoad(int sound, const std::string& why)
{
    fprintf(stderr, "Cannot load %s%s%s\n", fileOf(sound), why.empty() ? "" : ": ", why.c_str());
    closeSound();
    exit(1);
}

// Decodes about kDecodeStep more of `sound` and hands it to the mix.
void decodeStep(int sound)
{
    std::string error;
    soundState.piece.clear();
    if (!soundState.decoders[sound]->decode(soundState.piece, kDecodeStep, error)) cannotLoad(sound, error);
    MixCommand append{MixCommand::Append, sound};
    append.value = static_cast<int32_t>(soundState.piece.size());
    tell(append, soundState.piece.data());
    soundState.decodedFrames[sound] += static_cast<Frames>(soundState.piece.size() / 2);
    if (soundState.decoders[sound]->finished()) soundState.decoders[sound].reset();
}

void decodeMusicTo(Frames end)
{
    while (soundState.decoders[kMusicSound] && soundState.decodedFrames[kMusicSound] < end) decodeStep(kMusicSound);
}

// The music up to kMusicLead past where demoTime plays it, then one step of
// what is left: the cues in table order, long before the first plays, then
// the rest of the music.
void decodeAhead(uint32_t demoTime)
{
    decodeMusicTo(framesOf(int64_t{demoTime} + soundState.musicStartMs) + kMusicLead);
    for (int sound = 0; sound < kSoundCount; ++sound) {
        if (!soundState.decoders[sound]) continue;
        decodeStep(sound);
        return;
    }
}
}  // namespace

void soundInit(int32_t startMs)
{
    if (!soundState.device || !soundState.openFile) soundState.device = &nullAudioDevice();
    if (!soundState.device->open(fillFromMix)) {
        soundState.soundEnabled = 0;
        return;
    }
    // What a device plays before this is silence: an earlier run's sound was
    // stopped when it closed.
    MixCommand start{MixCommand::Start};
    start.value = kSoundVoices;
    start.demoTime = static_cast<uint32_t>(startMs);
    tell(start);
    soundState.piece.reserve(static_cast<size_t>(2 * (kDecodeStep + kDecoderBlock)));
    for (int sound = 0; sound < kSoundCount; ++sound) {
        std::string error;
        soundState.decoders[sound] = soundState.openFile(fileOf(sound), error);
        if (!soundState.decoders[sound]) cannotLoad(sound, error);
        MixCommand open{MixCommand::Open, sound};
        open.value = static_cast<int32_t>(soundState.decoders[sound]->length());
        tell(open);
    }
    soundState.musicStartMs = startMs;
    decodeMusicTo(framesOf(startMs) + kMusicLead);
    setMusicPlaying(true);
}

void setMusicPlaying(bool on)
{
    if (!soundActive() || (soundState.musicPlaying != 0) == on) return;
    soundState.musicPlaying = on;
    MixCommand music{MixCommand::Music};
    music.value = on;
    tell(music);
}

void playCue(int index, uint32_t demoTime)
{
    if (index < 0 || index >= kCueCount) return;
    if (soundState.cueListener) soundState.cueListener(demoTime, index);
    if (soundActive()) tellPlay(index, demoTime);
}

void soundUpdate(uint32_t demoTime, uint32_t ticks, uint32_t startTicks)
{
    if (!soundActive()) return;
    MixCommand frame{MixCommand::Frame};
    frame.demoTime = demoTime;
    frame.ticks = ticks;
    frame.startTicks = startTicks;
    tell(frame);
    decodeAhead(demoTime);
}

void soundPause(bool paused, uint32_t ticks)
{
    if (!soundActive()) return;
    MixCommand pause{paused ? MixCommand::Pause : MixCommand::Resume};
    pause.ticks = ticks;
    tell(pause);
}

void soundJump(uint32_t demoTime, uint32_t ticks, uint32_t startTicks, const bool cuePending[kCueEventCount],
               const uint32_t cueFiredAt[kCueEventCount])
{
    if (!soundActive()) return;
    decodeMusicTo(framesOf(int64_t{demoTime} + soundState.musicStartMs) + kMusicLead);
    for (int cue = 0; cue < kCueCount; ++cue)
        while (soundState.decoders[cue]) decodeStep(cue);
    MixCommand jump{MixCommand::Jump};
    jump.demoTime = demoTime;
    jump.ticks = ticks;
    jump.startTicks = startTicks;
    tell(jump);
    for (int id = 0; id < kCueEventCount; ++id) {
        if (cuePending[id]) continue;
        for (int i = 0; i < kCueEvents[id].cueCount; ++i) tellPlay(kCueEvents[id].cues[i], cueFiredAt[id]);
    }
    tell({MixCommand::Landed});
}

void soundRender(int16_t* out, int frames)
{
    if (!soundActive()) {
        std::fill_n(out, 2 * frames, int16_t{0});
        return;
    }
    for (int sound = 0; sound < kSoundCount; ++sound)
        while (soundState.decoders[sound]) decodeStep(sound);
    soundState.device->lock();
    soundState.device->mix.render(out, frames);
    soundState.device->unlock();
}

void setCueListener(CueListener listener)
{
    soundState.cueListener = listener;
}

void soundShutdown()
{
    if (!soundActive()) return;
    setMusicPlaying(false);
    for (int cue = 0; cue < kCueCount; ++cue) {
        tell({MixCommand::Stop, cue});
        soundState.decodedFrames[cue] = 0;
    }
    closeSound();
}
