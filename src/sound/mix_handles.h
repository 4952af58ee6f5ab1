#pragma once

#include "sound/sound_mix.h"

// What a sample or a stream handle holds in a back-end over the demo's own
// mix: the file's decoded samples, which the mix plays from.
class SoundSample {
public:
    Pcm pcm;
};

class SoundStream {
public:
    Pcm pcm;
};
