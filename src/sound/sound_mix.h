#pragma once

#include <cstdint>
#include <vector>

// The demo's own mix: the music and the cue voices summed on one timeline,
// the music's, in frames of interleaved 16-bit stereo at 44.1 kHz. A cue is
// placed at a frame of the music, so it sounds on the beat it was meant for
// however late the device asks for its samples. The audio device's thread
// pulls it under the device's lock; demo-capture renders it offline for the
// video's soundtrack; both hear the same levels and limiter.
// Pure: no device, no clock, no locks.

using Pcm = std::vector<int16_t>;  // interleaved stereo
using Frames = int64_t;            // a position on the music's timeline

constexpr int kMixRate = 44100;

inline Frames framesOf(int64_t ms)
{
    return ms * kMixRate / 1000;
}

class SoundMix {
public:
    explicit SoundMix(int voices);

    // The music sounds from frame 0 of the timeline; before it and after its
    // end there is silence. Null or muted: no music, the timeline runs on.
    void setMusic(const Pcm* music) { this->music = music; }
    void setMusicMuted(bool muted) { musicMuted = muted; }

    // One playback of `sample` from frame `at`, or from the current position
    // if the mix has passed it. The voice, or -1 when every voice is busy.
    int play(const Pcm* sample, Frames at);
    // One playback of `sample` whose first frame is at `start`, even one the
    // mix has passed: only what is left of it sounds (a cue under way where
    // a jump lands). The voice, or -1.
    int place(const Pcm* sample, Frames start);
    // volume 0 (silent) to 255 (as recorded).
    void setVolume(int voice, int volume);
    // Stops every voice that plays `sample`, so that it can be freed.
    void stop(const Pcm* sample);
    void stopAll();

    Frames position() const { return now; }
    // Moves the timeline, voices and all, to `frame`, fading across a few
    // milliseconds so that the jump does not click.
    void seek(Frames frame);

    // Fades the whole mix out to silence, or back in, over a few
    // milliseconds, so that a pause neither clicks nor cuts a beat short. The
    // position moves on while the fade lasts; a silent mix need not be
    // rendered at all.
    void fadeOut() { levelStep = -1.0f / kPauseFadeFrames; }
    void fadeIn() { levelStep = 1.0f / kPauseFadeFrames; }
    bool silent() const { return level == 0.0f; }

    // Mixes `count` frames into `out` and moves the position on by as many.
    void render(int16_t* out, int count);

    // Gain of every source before the limiter: room for three cues at once
    // over the music without pumping on a single one.
    static constexpr float kHeadroom = 0.7f;
    // The limiter's ceiling, a decibel under full scale: room for the
    // overshoot of the video's AAC encoding.
    static constexpr float kCeiling = 0.9f * 32767.0f;
    // About 10 ms.
    static constexpr int kPauseFadeFrames = 441;

private:
    struct Voice {
        const Pcm* sample = nullptr;  // null: free
        Frames start = 0;             // timeline frame of the sample's first frame
        float gain = 1.0f;
    };

    // The sum of every source at timeline frame `at`, before the limiter.
    void sumAt(Frames at, float& left, float& right) const;
    void freeFinishedVoices();

    const Pcm* music = nullptr;
    bool musicMuted = false;
    std::vector<Voice> voices;
    Frames now = 0;
    Frames fadeFrom = 0;  // where the timeline was before the last seek
    int fadeLeft = 0;     // frames of the crossfade still to mix
    float limiterGain = 1.0f;
    float level = 1.0f;  // of the fade: 1 heard, 0 silent
    float levelStep = 0.0f;
};
