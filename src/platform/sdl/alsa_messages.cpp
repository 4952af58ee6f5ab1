#include "platform/sdl/alsa_messages.h"

#include <alsa/asoundlib.h>

namespace {
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
}  // namespace

void silenceAlsaMessages()
{
    // SDL opens the same libasound later, so the handler applies to its calls.
    snd_lib_error_set_handler(ignoreAlsaMessage);
}
