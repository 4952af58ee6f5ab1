#pragma once

#include <cstdint>

// The demo's timeline in milliseconds of demoTime: when each scene ends and
// when each sound cue event fires.

constexpr uint32_t kTitleSceneEnd = 17000;
constexpr uint32_t kFireSceneEnd = 31500;
constexpr uint32_t kNoiseSceneEnd = 45600;
constexpr uint32_t kWarpSceneEnd = 74200;
constexpr uint32_t kLinesSceneEnd = 88600;
constexpr uint32_t kFountainSceneEnd = 107000;

// The scenes by their index, in the order they play.
enum SceneId { kTitleScene, kFireScene, kNoiseScene, kWarpScene, kLinesScene, kFountainScene, kSceneCount };
constexpr int kEndState = kSceneCount;  // the scene index after the last scene

// Where each scene begins: the player's marks and the moments it jumps to.
constexpr uint32_t kSceneStarts[kSceneCount] = {0,
                                                kTitleSceneEnd,
                                                kFireSceneEnd,
                                                kNoiseSceneEnd,
                                                kWarpSceneEnd,
                                                kLinesSceneEnd};

// The scene that demoTime `t` lies in, by the starts.
constexpr int sceneAt(uint32_t t)
{
    int scene = 0;
    while (scene + 1 < kSceneCount && kSceneStarts[scene + 1] <= t) ++scene;
    return scene;
}

// A one-shot trigger: once demoTime reaches the threshold on a frame its scene
// draws, it plays its cues in order, never again.
struct CueEvent {
    uint32_t threshold;
    int cueCount;
    int cues[3];
};

enum CueEventId { E1, E2, E3, E4, E5, E6, E7, E8, E9, kCueEventCount };

constexpr CueEvent kCueEvents[kCueEventCount] = {
    {17500, 1, {0}},        // E1, fire: the first picture sets off
    {25500, 1, {1}},        // E2, fire: the pictures cross
    {36500, 1, {2}},        // E3, noise field
    {55000, 1, {3}},        // E4, warp: pold has slid in
    {67500, 3, {3, 5, 7}},  // E5, warp: all three at once
    {75400, 1, {4}},        // E6, sine lines
    {78000, 1, {5}},        // E7, sine lines
    {90500, 1, {6}},        // E8, fountain
    {95000, 1, {8}},        // E9, fountain
};
