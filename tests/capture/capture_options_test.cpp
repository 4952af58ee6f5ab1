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
        std::vector<char*> argv{const_cast<char*>("demo-capture")};
        for (const char* a : args) argv.push_back(const_cast<char*>(a));
        CaptureOptions options;
        std::string message;
        bool help = false;
        EXPECT_FALSE(parseCaptureOptions(static_cast<int>(argv.size()), argv.data(), options, message, help))
            << args[0];
        EXPECT_FALSE(help);
        EXPECT_FALSE(message.empty());
    }
    const Parsed h = parse({"--help"});
    EXPECT_FALSE(h.ok);
    EXPECT_TRUE(h.help);
}
