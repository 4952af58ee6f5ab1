// The four sound operations over a back-end that records every call.
#include "sound/sound.h"
#include "sound/sound_backend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class RecordingBackend : public SoundBackend {
public:
    std::vector<std::string> calls;
    bool initSucceeds = true;
    int streamChannel = 0;
    bool voicesLeft = true;

    bool init(int rate, int channels) override
    {
        record("init " + std::to_string(rate) + " " + std::to_string(channels));
        return initSucceeds;
    }
    SoundSample* loadSample(const char* path) override
    {
        record(std::string("loadSample ") + path);
        return token<SoundSample>(loaded++);
    }
    SoundStream* openStream(const char* path) override
    {
        record(std::string("openStream ") + path);
        return token<SoundStream>(100);
    }
    const std::string& lastError() const override { return error; }
    int playStream(SoundStream* stream) override
    {
        record("playStream " + name(stream));
        return streamChannel;
    }
    void setStreamTime(SoundStream* stream, int32_t ms) override
    {
        record("setStreamTime " + name(stream) + " " + std::to_string(ms));
    }
    void stopStream(SoundStream* stream) override { record("stopStream " + name(stream)); }
    int playSample(SoundSample* sample) override
    {
        record("playSample " + name(sample));
        return voicesLeft ? nextVoice++ : -1;
    }
    void setVolume(int channel, int volume) override
    {
        record("setVolume " + std::to_string(channel) + " " + std::to_string(volume));
    }
    void followClock(uint32_t demoTime, uint32_t ticks) override
    {
        record("followClock " + std::to_string(demoTime) + " " + std::to_string(ticks));
    }
    void freeSample(SoundSample* sample) override { record("freeSample " + name(sample)); }
    void close() override { record("close"); }

private:
    // Handles are never dereferenced by the code under test; distinct
    // addresses inside one array tell them apart.
    template <typename Handle>
    static Handle* token(int id)
    {
        static char slots[128];
        return reinterpret_cast<Handle*>(&slots[id]);
    }
    template <typename Handle>
    static std::string name(Handle* handle)
    {
        if (!handle) return "null";
        return std::to_string(reinterpret_cast<char*>(handle) - reinterpret_cast<char*>(token<Handle>(0)));
    }
    void record(std::string call) { calls.push_back(std::move(call)); }

    std::string error;
    int loaded = 0;
    int nextVoice = 0;
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        soundState = SoundState{};
        soundState.backend = &backend;
    }
    void TearDown() override { soundState = SoundState{}; }

    std::vector<std::string> takeCalls() { return std::exchange(backend.calls, {}); }

    RecordingBackend backend;
};

using Calls = std::vector<std::string>;

TEST_F(SoundTest, CueTableHasNineFilesAtFullVolume)
{
    const char* files[kCueCount] = {"data/gee01.mp3", "data/la01.mp3",  "data/a01.mp3",
                                    "data/l04.mp3",   "data/gee09.mp3", "data/a03.mp3",
                                    "data/gee06.mp3", "data/gee04.mp3", "data/la03.mp3"};
    for (int i = 0; i < kCueCount; ++i) {
        EXPECT_STREQ(cueTable[i].file, files[i]) << "cue " << i;
        EXPECT_EQ(cueTable[i].volume, 255) << "cue " << i;
    }
}

TEST_F(SoundTest, InitLoadsTheCuesInOrderThenStartsTheMusicAndThenPositionsIt)
{
    soundInit(2500);

    Calls expected = {"init 44100 32"};
    for (const CueEntry& cue : cueTable) expected.push_back(std::string("loadSample ") + cue.file);
    expected.insert(expected.end(), {"openStream data/music.mp3", "playStream 100", "setStreamTime 100 2500"});
    EXPECT_EQ(takeCalls(), expected);
    EXPECT_EQ(soundState.soundEnabled, 1);
    EXPECT_EQ(soundState.musicPlaying, 1);
    for (int i = 1; i < kCueCount; ++i) EXPECT_NE(soundState.cues[i], soundState.cues[i - 1]);
}

TEST_F(SoundTest, EachPlayOfACueTakesItsOwnVoiceAtTheTableVolume)
{
    soundInit(0);
    takeCalls();

    soundFollowClock(17500, 18040);
    playCue(3);
    playCue(3);
    playCue(8);
    EXPECT_EQ(takeCalls(), (Calls{"followClock 17500 18040", "playSample 3", "setVolume 0 255", "playSample 3",
                                  "setVolume 1 255", "playSample 8", "setVolume 2 255"}));

    // No free voice: the volume is left alone.
    backend.voicesLeft = false;
    playCue(0);
    EXPECT_EQ(takeCalls(), (Calls{"playSample 0"}));

    playCue(-1);
    playCue(kCueCount);
    EXPECT_EQ(takeCalls(), Calls{});
}

TEST_F(SoundTest, MusicStartsOnceAndStopsOnce)
{
    soundInit(0);
    takeCalls();

    setMusicPlaying(true);
    EXPECT_EQ(takeCalls(), Calls{});
    setMusicPlaying(false);
    setMusicPlaying(false);
    EXPECT_EQ(takeCalls(), (Calls{"stopStream 100"}));
    EXPECT_EQ(soundState.musicPlaying, 0);
}

TEST_F(SoundTest, MusicThatCannotStartLeavesTheCuesPlaying)
{
    backend.streamChannel = -1;
    soundInit(0);
    EXPECT_EQ(soundState.musicPlaying, 0);
    takeCalls();

    playCue(1);
    soundShutdown();
    EXPECT_EQ(takeCalls().at(2), "freeSample 0") << "nothing to stop";
}

TEST_F(SoundTest, ShutdownStopsTheMusicFreesTheCuesInOrderAndCloses)
{
    soundInit(0);
    takeCalls();

    soundShutdown();
    Calls expected = {"stopStream 100"};
    for (int i = 0; i < kCueCount; ++i) expected.push_back("freeSample " + std::to_string(i));
    expected.push_back("close");
    EXPECT_EQ(takeCalls(), expected);
    for (SoundSample* cue : soundState.cues) EXPECT_EQ(cue, nullptr);
    EXPECT_EQ(soundState.musicPlaying, 0);
}

TEST_F(SoundTest, WithoutADeviceEveryOperationDoesNothing)
{
    backend.initSucceeds = false;
    soundInit(0);
    EXPECT_EQ(takeCalls(), (Calls{"init 44100 32"}));
    EXPECT_EQ(soundState.soundEnabled, 0);

    for (int i = 0; i < kCueCount; ++i) playCue(i);
    soundFollowClock(100, 200);
    setMusicPlaying(true);
    setMusicPlaying(false);
    soundShutdown();
    EXPECT_EQ(takeCalls(), Calls{});
    EXPECT_EQ(soundState.musicPlaying, 0);
}

TEST_F(SoundTest, BeforeInitOrWithTheNullBackendNothingHappens)
{
    // Scenes fire cues in tests that never start the sound.
    soundState.backend = nullptr;
    playCue(0);
    setMusicPlaying(true);
    soundShutdown();

    soundState.backend = &nullBackend();
    soundInit(0);
    EXPECT_EQ(soundState.soundEnabled, 0);
    playCue(0);
    soundShutdown();
    EXPECT_EQ(takeCalls(), Calls{});
}
}  // namespace
