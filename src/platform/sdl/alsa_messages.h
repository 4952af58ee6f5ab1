#pragma once

// libasound reports on stderr every device it fails to open ("ALSA lib ..."),
// eight lines on a machine without sound, although the demo then goes on
// silently by design. After this call those reports go nowhere; the demo's
// own messages are untouched. Call before the sound starts.
void silenceAlsaMessages();
