// The sound device of the web build. Until the page feeds Web Audio, the
// demo plays silently, as it does natively without a sound device.
#include "sound/sound_backend.h"

SoundBackend& mixerBackend()
{
    return nullBackend();
}
