#include "sounds.h"

#include <cstdio>

#include "catalogue.h"
#include "cues.h"
#include "mp3.h"
#include "music.h"

namespace assetgen {

bool writeSounds(const std::string& outDir) {
    auto write = [&](const char* file, const Stereo& audio, int kbps) {
        std::string path = outDir + "/" + file;
        if (writeMp3(path, audio, kbps)) return true;
        std::fprintf(stderr, "assetgen: cannot encode %s\n", path.c_str());
        return false;
    };
    std::vector<Stereo> cues = makeCues();
    for (size_t i = 0; i < cues.size(); ++i)
        if (!write(kSounds[i + 1].file, cues[i], 160)) return false;
    return write(kSounds[0].file, composeMusic(), 160);
}

}  // namespace assetgen
