#include "player/player_keys.h"

#include "core/frame_grid.h"
#include "core/timeline.h"
#include "player/grid.h"

#include <algorithm>

namespace {
constexpr uint32_t kSkip = 5000;            // Right and Left
constexpr uint32_t kBackToPrevious = 2000;  // Page Up goes a scene back this soon after one starts

// Where a key aims from `at`, or false for a key that does not move.
bool aim(PlayerKey key, const PlayerPosition& at, uint32_t& target)
{
    const uint32_t t = at.time;
    const int scene = sceneAt(t);
    switch (key) {
    case PlayerKey::Pause: return false;
    case PlayerKey::Forward: target = std::min(t + kSkip, lastPlayerFrameTime()); return true;
    case PlayerKey::Back: target = t > kSkip ? t - kSkip : 0; return true;
    case PlayerKey::NextScene:
        if (scene + 1 == kSceneCount) return false;
        target = kSceneStarts[scene + 1];
        return true;
    case PlayerKey::PreviousScene: {
        const bool justStarted = scene > 0 && t - kSceneStarts[scene] < kBackToPrevious;
        target = kSceneStarts[justStarted ? scene - 1 : scene];
        return true;
    }
    case PlayerKey::Start: target = 0; return true;
    case PlayerKey::StepForward:
        if (!at.paused || t >= lastPlayerFrameTime()) return false;
        target = t + 1;
        return true;
    case PlayerKey::StepBack:
        if (!at.paused || t == 0) return false;
        target = frameTime(firstFrameAtOrAfter(t, kPlayerFps) - 1, kPlayerFps);
        return true;
    }
    return false;
}
}  // namespace

PlayerPosition foldKeys(const PlayerKey* keys, int count, PlayerPosition at)
{
    for (int i = 0; i < count; ++i) {
        uint32_t target = 0;
        if (keys[i] == PlayerKey::Pause) {
            at.paused = !at.paused;
        } else if (aim(keys[i], at, target)) {
            const uint64_t frame = std::min(firstFrameAtOrAfter(target, kPlayerFps), lastPlayerFrame());
            at.time = frameTime(frame, kPlayerFps);
            at.moved = true;
            if (frame == lastPlayerFrame()) at.paused = true;
        }
    }
    return at;
}
