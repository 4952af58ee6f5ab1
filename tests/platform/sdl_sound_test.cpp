// The desktop's audio device and MP3 decoder on real files.
#include "platform/sdl/audio_device.h"
#include "platform/sound_platform.h"
#include "sound/sound.h"
#include "sound/sound_files.h"
#include "support/test_support.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace {

// The whole file through the platform's decoder, in small pieces.
bool decodeWhole(const std::string& path, Pcm& pcm, std::string& error)
{
    pcm.clear();
    const std::unique_ptr<SoundDecoder> decoder = openSoundFile(path.c_str(), error);
    if (!decoder) return false;
    while (!decoder->finished())
        if (!decoder->decode(pcm, 1000, error)) return false;
    return true;
}

TEST(Mp3Decoder, GivesStereoKeepingChannelsApartAndCopyingMono)
{
    ScratchDir dir;
    Pcm leftOnly = sine(0.5, 440, 12000, 2);
    for (size_t i = 1; i < leftOnly.size(); i += 2) leftOnly[i] = 0;
    ASSERT_TRUE(writeMp3(dir.data("stereo.mp3"), leftOnly, 2));
    ASSERT_TRUE(writeMp3(dir.data("mono.mp3"), sine(0.5, 440, 12000, 1), 1));

    Pcm stereo, mono;
    std::string error;
    ASSERT_TRUE(decodeWhole(dir.data("stereo.mp3"), stereo, error)) << error;
    ASSERT_TRUE(decodeWhole(dir.data("mono.mp3"), mono, error)) << error;
    // The encoder pads by up to a few frames.
    EXPECT_NEAR(stereo.size() / double(kSamplesPerSecond), 0.5, 0.1);
    EXPECT_NEAR(mono.size() / double(kSamplesPerSecond), 0.5, 0.1);

    double left = 0, right = 0;
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        left += std::abs(stereo[i]);
        right += std::abs(stereo[i + 1]);
    }
    EXPECT_GT(left, 20 * right);
    EXPECT_GT(rms(mono, 0, mono.size()), 4000);
    for (size_t i = 0; i + 1 < mono.size(); i += 2) ASSERT_EQ(mono[i], mono[i + 1]) << i;
}

TEST(Mp3Decoder, RefusesMissingDamagedAndWrongRateFiles)
{
    ScratchDir dir;
    ASSERT_TRUE(writeMp3(dir.data("slow.mp3"), sine(0.5, 440, 12000, 2, 22050), 2, 22050));
    std::ofstream(dir.data("text.mp3")) << std::string(5000, 'x');

    Pcm pcm;
    std::string error;
    for (const char* name : {"missing.mp3", "text.mp3"}) EXPECT_FALSE(decodeWhole(dir.data(name), pcm, error)) << name;
    EXPECT_FALSE(decodeWhole(dir.data("slow.mp3"), pcm, error));
    EXPECT_NE(error.find("22050 Hz"), std::string::npos) << error;
}

class SdlSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        usePlatformSound();
    }
    void TearDown() override { resetProgramState(); }
};

TEST_F(SdlSoundTest, TheDevicePullsFromItsFillAndLeavesNoAudioOnceClosed)
{
    static int pieces = 0;
    AudioDevice& device = platformAudioDevice();
    ASSERT_TRUE(device.open([](int16_t* out, int frames) {
        std::fill_n(out, 2 * frames, int16_t{0});
        ++pieces;
    })) << SDL_GetError();
    for (int waited = 0; waited < 2000 && pieces < 2; waited += 5) SDL_Delay(5);
    device.close();
    EXPECT_GE(pieces, 2);
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

TEST_F(SdlSoundTest, NoUsableDeviceGivesSilentMode)
{
    const std::string driver = getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ScratchDir dir;  // no sound files: silent mode must not look for them
    soundInit(0);
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);

    EXPECT_EQ(soundState.soundEnabled, 0);
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
    playCue(0, 0);
    setMusicPlaying(true);
    soundShutdown();
    EXPECT_EQ(soundState.musicPlaying, 0);
}

// A sound file at another rate ends start-up with status 1 and a message
// that says why. (Missing and damaged files: tests/e2e/bad_data_files.sh.)
using SoundFilesDeathTest = SdlSoundTest;

TEST_F(SoundFilesDeathTest, AWrongRateIsNamed)
{
    ASSERT_NE(testScreen(), nullptr);
    ScratchDir dir;
    ASSERT_TRUE(dir.writeSounds(sine(1, 440, 8000), sine(0.3, 880, 8000)));
    ASSERT_TRUE(writeMp3(dir.data("gee04.mp3"), sine(0.3, 880, 8000, 2, 22050), 2, 22050));
    EXPECT_EXIT(soundInit(0), ::testing::ExitedWithCode(1),
                "^Cannot load data/gee04\\.mp3: sample rate 22050 Hz, the demo needs 44100 Hz\n");
}

// The real device on SDL's disk-writer driver, which writes the mixed
// output to a file a little slower than real time (it waits the given delay
// after each piece, whatever the piece's length), as a device that starts
// late or stalls would; the mix follows a demo clock that the test runs.
// Moments are positions in that file, read while it grows.
class DiskRecording {
public:
    explicit DiskRecording(const fs::path& file) : file(file)
    {
        if (const char* driver = getenv("SDL_AUDIODRIVER")) savedDriver = driver;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        const int pieceMs = deviceFrames(false) * 1000 / 44100 + 1;
        setenv("SDL_DISKAUDIODELAY", std::to_string(pieceMs).c_str(), 1);
    }
    ~DiskRecording()
    {
        if (savedDriver) setenv("SDL_AUDIODRIVER", savedDriver->c_str(), 1);
        else unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        unsetenv("SDL_DISKAUDIODELAY");
    }

    // Samples written so far (16-bit, both channels counted).
    size_t written() const
    {
        std::error_code ignored;
        const auto bytes = fs::file_size(file, ignored);
        return ignored ? 0 : static_cast<size_t>(bytes) / 2;
    }

    // Runs frames of a demo clock that started at `origin` until `seconds`
    // more of the stream have been written.
    bool runFor(double seconds, uint32_t origin) const
    {
        const size_t target = written() + samplesAt(seconds);
        for (int waited = 0; waited < 60000 && written() < target; waited += 5) {
            const uint32_t ticks = SDL_GetTicks();
            soundUpdate(ticks - origin, ticks, origin);
            SDL_Delay(5);
        }
        return written() >= target;
    }

    Pcm samples() const
    {
        std::ifstream in(file, std::ios::binary);
        Pcm pcm(written());
        in.read(reinterpret_cast<char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
        return pcm;
    }

private:
    fs::path file;
    std::optional<std::string> savedDriver;
};

// Seconds of the written stream as a sample offset.
size_t at(size_t start, double seconds)
{
    return start + samplesAt(seconds);
}

TEST_F(SdlSoundTest, TheMusicSoundsFromTheStartAndACueRaisesTheLevel)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.writeSounds(sine(8, 440, 4000), sine(3, 1000, 16000)));
    DiskRecording recording(dir.path() / "out.raw");

    const uint32_t origin = SDL_GetTicks();
    soundInit(0);
    ASSERT_EQ(soundState.soundEnabled, 1) << SDL_GetError();

    const size_t musicStart = recording.written();
    ASSERT_TRUE(recording.runFor(1.0, origin));
    const size_t cueStart = recording.written();
    playCue(4, SDL_GetTicks() - origin);
    ASSERT_TRUE(recording.runFor(2.5, origin));
    soundShutdown();

    const Pcm pcm = recording.samples();
    const double music = rms(pcm, at(musicStart, 0.1), cueStart);
    const double cue = rms(pcm, at(cueStart, 0.6), at(cueStart, 2.4));
    // A sine of peak 4000 has a level of about 2000 after the mix's
    // headroom; the cue adds 8000.
    EXPECT_GT(music, 1500);
    EXPECT_LT(music, 5000);
    EXPECT_GT(cue, 3 * music);
}

TEST_F(SdlSoundTest, TheMusicStartsAtTheGivenPosition)
{
    ScratchDir dir;
    ASSERT_TRUE(dir.writeSounds(silence(2) + sine(4, 440, 8000), sine(0.3, 880, 8000)));

    for (int32_t startMs : {0, 2500}) {
        DiskRecording recording(dir.path() / ("from" + std::to_string(startMs) + ".raw"));
        resetProgramState();
        usePlatformSound();
        const uint32_t origin = SDL_GetTicks();
        soundInit(startMs);
        ASSERT_EQ(soundState.soundEnabled, 1) << SDL_GetError();
        const size_t start = recording.written();
        ASSERT_TRUE(recording.runFor(3.0, origin));
        soundShutdown();

        const Pcm pcm = recording.samples();
        const double early = rms(pcm, at(start, 0.1), at(start, 1.2));
        const double late = rms(pcm, at(start, 2.4), at(start, 3.0));
        if (startMs == 0) {
            EXPECT_LT(early, 300) << "the silent opening should play first";
            EXPECT_GT(late, 2500);
        } else {
            EXPECT_GT(early, 2500) << "the opening should have been skipped";
        }
    }
}
}  // namespace
