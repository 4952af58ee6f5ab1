// The demo's mix inside the page's audio worklet (site/sound-worklet.js): a
// module of its own, built from the portable mix, that plays what the demo's
// module tells it (mix_batch.h) on the audio thread, so that a busy page
// thread leaves no gap in the sound.
#include "platform/web/mix_batch.h"

#include <emscripten.h>

#include <vector>

namespace {
DeviceMix mix;
std::vector<uint8_t> inbox;
std::vector<int16_t> output;
}  // namespace

extern "C" {
// Room for a batch of `bytes`, which the worklet writes there.
EMSCRIPTEN_KEEPALIVE uint8_t* mixInbox(int bytes)
{
    inbox.resize(static_cast<size_t>(bytes));
    return inbox.data();
}

EMSCRIPTEN_KEEPALIVE void mixTake()
{
    applyBatch(mix, inbox.data(), inbox.size());
}

// The page's own distance from the clock, for a browser that asks for its
// sound further ahead of the speakers than the native devices do.
EMSCRIPTEN_KEEPALIVE void mixSetDelay(int ms)
{
    mix.clocked.delay = framesOf(ms);
}

// The next `frames` frames, heard at tick count `ticks` of the demo's clock.
EMSCRIPTEN_KEEPALIVE const int16_t* mixFill(int frames, uint32_t ticks)
{
    output.resize(2 * static_cast<size_t>(frames));
    mix.fill(output.data(), frames, ticks);
    return output.data();
}
}
