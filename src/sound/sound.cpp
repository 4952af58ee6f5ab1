#include "sound/sound.h"

void soundInit(int32_t) {}
void playCue(int) {}
void setMusicPlaying(bool) {}
void soundShutdown() {}
