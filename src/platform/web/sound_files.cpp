// The web's sound files. The browser has no libmpg123: the page decodes each
// MP3 with the browser's own decoder at 44.1 kHz while the demo loads and
// hands the samples over, a piece at a time as floats (webSoundFile,
// webSampleRoom, webTakeSamples), converted here: some ten times faster
// than in JavaScript, which holds up the page's thread the while.
// openSoundFile then takes them by name.
#include "platform/sound_platform.h"
#include "platform/web/pcm_samples.h"
#include "sound/sound.h"

#include <emscripten.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {
// The decoded files by the demo's name for them, until the demo takes them.
std::map<std::string, Pcm> decodedFiles;
// A piece of a file as the page decoded it: its left channel, then its right.
std::vector<float> sampleRoom;

class DecodedFile : public SoundDecoder {
public:
    explicit DecodedFile(Pcm pcm) : pcm(std::move(pcm)) {}

    Frames length() const override { return static_cast<Frames>(pcm.size() / 2); }

    bool decode(Pcm& out, Frames frames, std::string&) override
    {
        const size_t count = std::min(pcm.size() - taken, static_cast<size_t>(2 * frames));
        out.insert(out.end(), pcm.begin() + static_cast<std::ptrdiff_t>(taken),
                   pcm.begin() + static_cast<std::ptrdiff_t>(taken + count));
        taken += count;
        return true;
    }

    bool finished() const override { return taken == pcm.size(); }

private:
    Pcm pcm;
    size_t taken = 0;
};
}  // namespace

std::unique_ptr<SoundDecoder> openSoundFile(const char* path, std::string& error)
{
    const auto found = decodedFiles.find(path);
    if (found == decodedFiles.end()) {
        error = "not decoded by the page";
        return nullptr;
    }
    auto file = std::make_unique<DecodedFile>(std::move(found->second));
    decodedFiles.erase(found);
    return file;
}

extern "C" {
// The sound files the demo loads, one per index from 0: the cues, then the
// music; null after the last.
EMSCRIPTEN_KEEPALIVE const char* webSoundFileName(int index)
{
    return index >= 0 && index < kSoundCount ? kSoundFiles[index] : nullptr;
}

// Room for a decoded file of `frames` stereo frames, known to the demo as
// `path`, filled by webTakeSamples.
EMSCRIPTEN_KEEPALIVE int16_t* webSoundFile(const char* path, int frames)
{
    Pcm& pcm = decodedFiles[path];
    pcm.assign(static_cast<size_t>(frames) * 2, 0);
    return pcm.data();
}

// Room for a piece of `frames` frames: the page writes the left channel's
// floats there, then the right's.
EMSCRIPTEN_KEEPALIVE float* webSampleRoom(int frames)
{
    sampleRoom.resize(static_cast<size_t>(frames) * 2);
    return sampleRoom.data();
}

// The piece in the room, `frames` frames, as 16-bit stereo at `out` (in a
// file's room from webSoundFile).
EMSCRIPTEN_KEEPALIVE void webTakeSamples(int16_t* out, int frames)
{
    const size_t count = static_cast<size_t>(frames);
    interleaveSamples(sampleRoom.data(), sampleRoom.data() + count, count, out);
}
}
