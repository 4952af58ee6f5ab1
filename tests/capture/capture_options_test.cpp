#include "capture/capture_options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {
struct Parsed {
    bool ok;
    bool help;
    CaptureOptions options;
    std::string message;
};

Parsed parse(std::initializer_list<const char*> args)
{
    std::vector<char*> argv{const_cast<char*>("demo-capture")};
    for (const char* a : args) argv.push_back(const_cast<char*>(a));
    Parsed p{};
    p.ok = parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), p.options, p.message, p.help);
    return p;
}
}  // namespace

TEST(FrameGrid, FrameTimesAreFlooredMilliseconds)
{
    EXPECT_EQ(frameTime(0, 60), 0u);
    EXPECT_EQ(frameTime(1, 60), 16u);
    EXPECT_EQ(frameTime(2, 60), 33u);
    EXPECT_EQ(frameTime(6420, 60), 107000u);
    EXPECT_EQ(firstFrameAtOrAfter(17, 60), 2u);
    EXPECT_EQ(firstFrameAtOrAfter(33, 60), 2u);
    EXPECT_EQ(firstFrameAtOrAfter(107000, 60), 6420u);
    EXPECT_EQ(firstFrameAtOrAfter(0xffffffffu, 1000), 0xffffffffull);
    EXPECT_EQ(firstFrameAtOrAfter(0xffffffffu, 60), 257698038ull);  // frame times past 2^32 ms
}

TEST(CaptureOptions, DefaultsAndValues)
{
    const Parsed d = parse({});
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.options.fps, 60);
    EXPECT_EQ(d.options.seed, 1u);
    EXPECT_EQ(d.options.outDir, "capture");

    const Parsed p = parse({"--fps", "25", "--seed", "7", "--at", "40000,0,20000", "--out", "shots", "--cues"});
    ASSERT_TRUE(p.ok) << p.message;
    EXPECT_EQ(p.options.fps, 25);
    EXPECT_EQ(p.options.seed, 7u);
    EXPECT_EQ(p.options.at, (std::vector<uint32_t>{0, 20000, 40000}));
    EXPECT_EQ(p.options.outDir, "shots");
    EXPECT_TRUE(p.options.cues);
}

TEST(CaptureOptions, ATimeOffTheGridNamesTheNearestOnes)
{
    const Parsed p = parse({"--at", "17"});
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.message.find("16 and 33"), std::string::npos) << p.message;
    EXPECT_TRUE(parse({"--at", "33"}).ok);
}

TEST(CaptureOptions, RejectsMalformedInput)
{
    for (auto args : {std::vector<const char*>{"--fps", "0"}, {"--fps", "abc"}, {"--fps"}, {"--at", "1,,2"},
                      {"--at", "-5"}, {"--seed", "99999999999"}, {"--bogus"}}) {
        // Named as Windows starts it: the usage names the program alone.
        std::vector<char*> argv{const_cast<char*>("C:\\Games\\tideglow-capture.exe")};
        for (const char* a : args) argv.push_back(const_cast<char*>(a));
        CaptureOptions options;
        std::string message;
        bool help = false;
        EXPECT_FALSE(parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, message, help))
            << args[0];
        EXPECT_FALSE(help);
        EXPECT_FALSE(message.empty());
        if (args[0] == std::string("--bogus")) {
            EXPECT_NE(message.find("\nUsage: tideglow-capture ["), std::string::npos) << message;
        }
    }
    const Parsed h = parse({"--help"});
    EXPECT_FALSE(h.ok);
    EXPECT_TRUE(h.help);
}

TEST(CaptureOptions, ScaleSizeAndRange)
{
    const Parsed d = parse({"--scale", "2"});
    ASSERT_TRUE(d.ok) << d.message;
    EXPECT_EQ(d.options.width, 1280);
    EXPECT_EQ(d.options.height, 960);

    const Parsed p = parse({"--scale", "2", "--size", "1920x1080", "--from", "14000", "--to", "24000", "--video", "v.mp4"});
    ASSERT_TRUE(p.ok) << p.message;
    EXPECT_EQ(p.options.width, 1920);
    EXPECT_EQ(p.options.height, 1080);
    EXPECT_EQ(p.options.from, 14000u);
    EXPECT_EQ(p.options.to, 24000u);

    const Parsed big = parse({"--scale", "3", "--size", "1920x1080"});
    EXPECT_FALSE(big.ok);
    EXPECT_NE(big.message.find("cannot hold the picture, which is 1920x1440"), std::string::npos) << big.message;

    EXPECT_FALSE(parse({"--size", "641x480", "--video", "v.mp4"}).ok);  // 4:2:0 needs even sides
    EXPECT_TRUE(parse({"--size", "641x480"}).ok);
    EXPECT_FALSE(parse({"--from", "5000", "--to", "5000"}).ok);
    EXPECT_FALSE(parse({"--from", "5000", "--at", "4000"}).ok);
    for (const char* bad : {"0", "9", "x"}) EXPECT_FALSE(parse({"--scale", bad}).ok) << bad;
    for (const char* bad : {"1920", "1920x", "x1080", "0x480", "9000x480"}) EXPECT_FALSE(parse({"--size", bad}).ok) << bad;
}
