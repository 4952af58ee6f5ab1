#include "sound/sound_mix.h"

#include <algorithm>
#include <cmath>

namespace {
// About 3 ms: long enough to hide the step of a seek, short enough not to
// smear a beat.
constexpr int kFadeFrames = 128;
// The limiter lets go by this factor per frame (about 65 ms to recover 3 dB).
constexpr float kLimiterRelease = 0.99988f;

// Frame `index` of interleaved stereo `pcm`, or silence outside it.
void addFrame(const Pcm& pcm, Frames index, float gain, float& left, float& right)
{
    if (index < 0 || index >= static_cast<Frames>(pcm.size() / 2)) return;
    left += gain * pcm[static_cast<size_t>(2 * index)];
    right += gain * pcm[static_cast<size_t>(2 * index + 1)];
}
}  // namespace

SoundMix::SoundMix(int voices) : voices(static_cast<size_t>(voices)) {}

int SoundMix::play(const Pcm* sample, Frames at)
{
    return place(sample, std::max(at, now));
}

int SoundMix::place(const Pcm* sample, Frames start)
{
    for (size_t i = 0; i < voices.size(); ++i) {
        if (voices[i].sample) continue;
        voices[i] = Voice{sample, start, 1.0f};
        return static_cast<int>(i);
    }
    return -1;
}

void SoundMix::setVolume(int voice, int volume)
{
    if (voice < 0 || voice >= static_cast<int>(voices.size())) return;
    voices[static_cast<size_t>(voice)].gain = static_cast<float>(std::clamp(volume, 0, 255)) / 255.0f;
}

void SoundMix::stop(const Pcm* sample)
{
    for (Voice& voice : voices)
        if (voice.sample == sample) voice = Voice{};
}

void SoundMix::stopAll()
{
    std::fill(voices.begin(), voices.end(), Voice{});
}

void SoundMix::seek(Frames frame)
{
    fadeFrom = now;
    fadeLeft = kFadeFrames;
    now = frame;
}

void SoundMix::sumAt(Frames at, float& left, float& right) const
{
    left = right = 0.0f;
    if (music && !musicMuted) addFrame(*music, at, 1.0f, left, right);
    for (const Voice& voice : voices)
        if (voice.sample) addFrame(*voice.sample, at - voice.start, voice.gain, left, right);
}

void SoundMix::render(int16_t* out, int count)
{
    for (int i = 0; i < count; ++i) {
        float left, right;
        sumAt(now, left, right);
        if (fadeLeft > 0) {
            float oldLeft, oldRight;
            sumAt(fadeFrom, oldLeft, oldRight);
            const float w = static_cast<float>(fadeLeft) / kFadeFrames;
            left += w * (oldLeft - left);
            right += w * (oldRight - right);
            --fadeLeft;
            ++fadeFrom;
        }
        left *= kHeadroom;
        right *= kHeadroom;
        // Instant attack: the gain drops on the very frame that would clip,
        // so nothing ever does; it then recovers slowly.
        const float peak = std::max(std::fabs(left), std::fabs(right));
        limiterGain = std::min(1.0f, limiterGain / kLimiterRelease);
        if (peak * limiterGain > kCeiling) limiterGain = kCeiling / peak;
        level = std::clamp(level + levelStep, 0.0f, 1.0f);
        out[2 * i] = static_cast<int16_t>(std::lrint(left * limiterGain * level));
        out[2 * i + 1] = static_cast<int16_t>(std::lrint(right * limiterGain * level));
        ++now;
    }
    freeFinishedVoices();
}

void SoundMix::freeFinishedVoices()
{
    for (Voice& voice : voices) {
        if (!voice.sample || fadeLeft > 0) continue;
        if (now - voice.start >= static_cast<Frames>(voice.sample->size() / 2)) voice = Voice{};
    }
}
