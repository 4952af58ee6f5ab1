// The nine cue events, each in the scene that fires it, on whole frames
// (scene switch, border and flip) of a fresh demo. Stalls across scene ends:
// frame_loop_test.cpp.
#include "core/frame_loop.h"
#include "sound/sound.h"
#include "support/test_support.h"

#include <ostream>
#include <utility>
#include <vector>

namespace {
using Heard = std::vector<std::pair<uint32_t, int>>;
Heard heard;

struct SceneEvents {
    int scene;
    std::vector<std::pair<uint32_t, std::vector<int>>> events;  // threshold, cues
};

void PrintTo(const SceneEvents& scene, std::ostream* out)
{
    *out << "scene " << scene.scene;
}

const SceneEvents kScenes[] = {
    {1, {{17500, {0}}, {25500, {1}}}},
    {2, {{36500, {2}}}},
    {3, {{55000, {3}}, {67500, {3, 5, 7}}}},
    {4, {{75400, {4}}, {78000, {5}}}},
    {5, {{90500, {6}}, {95000, {8}}}},
};

class CueEvents : public ::testing::TestWithParam<SceneEvents> {
protected:
    void SetUp() override
    {
        demo = makeTestDemo();
        demo->sceneIndex = GetParam().scene;
        heard.clear();
        setCueListener([](uint32_t demoTime, int cue) { heard.emplace_back(demoTime, cue); });
    }
    void TearDown() override
    {
        setCueListener(nullptr);
        freeTestDemo(demo);
    }
    void frameAt(uint32_t t)
    {
        demo->demoTime = t;
        drawFrame(*demo);
    }

    Demo* demo = nullptr;
};
}  // namespace

// Each event waits through the frame a millisecond before its threshold and
// plays its cues on the frame at it; the events of other scenes stay armed.
TEST_P(CueEvents, EachFiresOnTheFirstFrameAtItsThreshold)
{
    Heard expected;
    for (const auto& [threshold, cues] : GetParam().events) {
        frameAt(threshold - 1);
        EXPECT_EQ(heard, expected) << "before " << threshold;
        frameAt(threshold);
        for (int cue : cues) expected.emplace_back(threshold, cue);
        EXPECT_EQ(heard, expected) << "at " << threshold;
    }
    int armed = 0;
    for (bool pending : demo->cuePending) armed += pending;
    EXPECT_EQ(armed, kCueEventCount - static_cast<int>(GetParam().events.size()));
    EXPECT_EQ(demo->sceneIndex, GetParam().scene);
}

// One frame past every threshold of the scene fires all its events, in order.
TEST_P(CueEvents, OneFramePastThemAllFiresAll)
{
    const uint32_t late = GetParam().events.back().first + 100;
    frameAt(late);
    Heard expected;
    for (const auto& event : GetParam().events)
        for (int cue : event.second) expected.emplace_back(late, cue);
    EXPECT_EQ(heard, expected);
}

INSTANTIATE_TEST_SUITE_P(Scenes, CueEvents, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return "scene" + std::to_string(info.param.scene); });
