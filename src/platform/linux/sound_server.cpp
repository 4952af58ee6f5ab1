// The sound server under SDL's PulseAudio driver, on Linux: asked, as the
// sound starts, whether it is PipeWire's.
#include "platform/system.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <cstdlib>
#include <cstring>

namespace {
void noteServer(pa_context*, const pa_server_info* info, void* pipeWire)
{
    *static_cast<bool*>(pipeWire) = info && info->server_name && std::strstr(info->server_name, "PipeWire");
}
}  // namespace

// The server libpulse finds, as SDL's driver will find it.
bool soundServerIsPipeWire()
{
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver && !std::strstr(driver, "pulse")) return false;
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Tideglow");
    bool pipeWire = false;
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        pa_context_state_t state;
        while ((state = pa_context_get_state(context)) != PA_CONTEXT_READY && PA_CONTEXT_IS_GOOD(state))
            pa_mainloop_iterate(loop, 1, nullptr);
        if (state == PA_CONTEXT_READY) {
            pa_operation* asked = pa_context_get_server_info(context, noteServer, &pipeWire);
            while (asked && pa_operation_get_state(asked) == PA_OPERATION_RUNNING) pa_mainloop_iterate(loop, 1, nullptr);
            if (asked) pa_operation_unref(asked);
        }
        pa_context_disconnect(context);
    }
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return pipeWire;
}
