#include "core/frame_grid.h"

#include "core/frame.h"

void drawGridFrame(Demo& demo, uint64_t n, int fps, bool seen)
{
    demo.demoTime = frameTime(n, fps);
    if (seen) {
        renderFrame(demo);
    } else {
        renderUnseenFrame(demo);
    }
}

std::string offGridMessage(uint32_t t, int fps)
{
    const uint64_t n = firstFrameAtOrAfter(t, fps);
    if (frameTime(n, fps) == t) return "";
    std::string message =
        std::to_string(t) + " is not on the grid of " + std::to_string(fps) + " frames per second; nearest: ";
    if (n > 0) message += std::to_string(frameTime(n - 1, fps)) + " and ";
    return message + std::to_string(frameTime(n, fps));
}
