// The four sound operations, heard through the mix they fill: real files,
// decoded by the platform, mixed offline (soundRender).
#include "sound/sound.h"

#include "platform/sound_platform.h"
#include "sound/sound_files.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <vector>

namespace {
// Opens or not as the test says, counts closes, never plays by itself.
class TestDevice : public AudioDevice {
public:
    bool opens = true;
    int closes = 0;

    bool open(Fill) override { return opens; }
    void lock() override {}
    void unlock() override {}
    void close() override { ++closes; }
};

std::vector<std::pair<uint32_t, int>> heard;

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        usePlatformSound(device);
        heard.clear();
        setCueListener([](uint32_t demoTime, int index) { heard.emplace_back(demoTime, index); });
    }
    void TearDown() override
    {
        soundShutdown();
        setCueListener(nullptr);
        resetProgramState();
    }

    // The next `seconds` of the mix.
    Pcm render(double seconds)
    {
        Pcm pcm(samplesAt(seconds));
        soundRender(pcm.data(), static_cast<int>(pcm.size() / 2));
        return pcm;
    }

    TestDevice device;
    ScratchDir dir;
};

TEST_F(SoundTest, CuesSoundWhereTheirDemoTimeFallsOnTheMusicOnePlaybackPerPlay)
{
    ASSERT_TRUE(dir.writeSounds(sine(4, 440, 2000), sine(0.4, 1000, 8000)));
    soundInit(500);
    playCue(2, 500);   // music 1.0 s
    playCue(7, 1500);  // music 2.0 s, twice at once
    playCue(7, 1500);
    const Pcm pcm = render(3);

    const double music = rms(pcm, samplesAt(0.2), samplesAt(0.95));
    const double once = rms(pcm, samplesAt(1.05), samplesAt(1.35));
    const double twice = rms(pcm, samplesAt(2.05), samplesAt(2.35));
    EXPECT_GT(music, 700);
    EXPECT_GT(once, 3 * music) << "the cue at its table volume, 255";
    EXPECT_NEAR(twice / once, 1.9, 0.25) << "two voices";
    EXPECT_LT(rms(pcm, samplesAt(1.5), samplesAt(1.95)), 1.5 * music) << "the first cue is over";
    EXPECT_EQ(heard, (std::vector<std::pair<uint32_t, int>>{{500, 2}, {1500, 7}, {1500, 7}}));
}

TEST_F(SoundTest, MusicStopsAndStartsAgainOnlyWhenItsStateChanges)
{
    ASSERT_TRUE(dir.writeSounds(sine(3, 440, 8000), sine(0.3, 1000, 8000)));
    soundInit(0);
    EXPECT_EQ(soundState.musicPlaying, 1);
    setMusicPlaying(true);
    EXPECT_GT(rms(render(0.5), samplesAt(0.1), samplesAt(0.5)), 2000);

    setMusicPlaying(false);
    setMusicPlaying(false);
    EXPECT_EQ(soundState.musicPlaying, 0);
    EXPECT_LT(rms(render(0.5), samplesAt(0.1), samplesAt(0.5)), 50);
    setMusicPlaying(true);
    EXPECT_GT(rms(render(0.5), samplesAt(0.1), samplesAt(0.5)), 2000);
}

TEST_F(SoundTest, StartUpDecodesTheMusicsFirstPartAndEachFrameAStepMoreCuesFirst)
{
    ASSERT_TRUE(dir.writeSounds(sine(20, 440, 8000), sine(1, 1000, 8000)));
    soundInit(0);
    const auto seconds = [](int sound) { return soundState.decodedFrames[sound] / double(kMixRate); };
    EXPECT_LT(seconds(kMusicSound), 2.0);
    EXPECT_EQ(seconds(0), 0);

    for (uint32_t frame = 0; frame < 30; ++frame) soundUpdate(frame * 17, frame * 17 + 50, 0);
    for (int cue = 0; cue < kCueCount; ++cue) EXPECT_NEAR(seconds(cue), 1.0, 0.1);
    for (uint32_t frame = 30; frame < 200; ++frame) soundUpdate(frame * 17, frame * 17 + 50, 0);
    EXPECT_NEAR(seconds(kMusicSound), 20.0, 0.1);

    soundShutdown();
    EXPECT_EQ(device.closes, 1);
    for (int sound = 0; sound < kSoundCount; ++sound) EXPECT_EQ(seconds(sound), 0);
}

using SoundDeathTest = SoundTest;

// A file that breaks past the part decoded at start-up ends the demo when the
// decoding reaches the break, as a broken file at start-up does.
TEST_F(SoundDeathTest, MusicThatBreaksLaterEndsTheDemoWithItsReason)
{
    ASSERT_TRUE(dir.writeSounds(sine(3, 440, 8000), sine(0.3, 1000, 8000)));
    ASSERT_TRUE(writeMp3(dir.path() / "tail.mp3", sine(3, 440, 8000)));
    {
        std::ofstream music(dir.data("music.mp3"), std::ios::app | std::ios::binary);
        music << std::string(40000, '\0') << std::ifstream(dir.path() / "tail.mp3", std::ios::binary).rdbuf();
    }
    EXPECT_EXIT(
        {
            soundInit(0);
            for (uint32_t frame = 0; frame < 400; ++frame) soundUpdate(frame * 17, frame * 17 + 50, 0);
        },
        ::testing::ExitedWithCode(1), "^Cannot load data/music\\.mp3: damaged MP3 data\n");
}

TEST_F(SoundTest, WithoutADeviceNothingIsLoadedOrPlayedButTheCuesAreStillHeard)
{
    device.opens = false;
    soundInit(0);  // no sound files here
    EXPECT_EQ(soundState.soundEnabled, 0);
    for (int i = 0; i < kCueCount; ++i) playCue(i, 100);
    playCue(-1, 100);
    playCue(kCueCount, 100);
    soundUpdate(100, 200, 0);
    setMusicPlaying(true);
    EXPECT_EQ(soundState.musicPlaying, 0);
    soundShutdown();
    EXPECT_EQ(device.closes, 0);
    EXPECT_EQ(heard.size(), size_t{kCueCount});

    // Scenes fire cues in tests that never start the sound.
    resetProgramState();
    playCue(0, 0);
    setMusicPlaying(true);
    soundShutdown();
}
}  // namespace
