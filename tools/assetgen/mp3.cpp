#include "mp3.h"

#include <lame.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace assetgen {

bool writeMp3(const std::string& path, const Stereo& audio, int kbps) {
    lame_global_flags* gf = lame_init();
    if (!gf) return false;
    lame_set_in_samplerate(gf, int(kRate));
    lame_set_out_samplerate(gf, int(kRate));
    lame_set_num_channels(gf, 2);
    lame_set_mode(gf, JOINT_STEREO);
    lame_set_brate(gf, kbps);
    lame_set_VBR(gf, vbr_off);
    lame_set_quality(gf, 7);  // fast, and transparent enough at 160 kbps
    lame_set_bWriteVbrTag(gf, 1);
    if (lame_init_params(gf) < 0) {
        lame_close(gf);
        return false;
    }

    const int chunk = 8192;
    std::vector<unsigned char> out;
    std::vector<unsigned char> buf(size_t(1.25 * chunk + 7200));
    bool ok = true;
    for (size_t pos = 0; pos < audio.size() && ok; pos += chunk) {
        int n = int(std::min(audio.size() - pos, size_t(chunk)));
        int got = lame_encode_buffer_ieee_float(gf, &audio.l[pos], &audio.r[pos], n, buf.data(), int(buf.size()));
        if (got < 0) ok = false;
        else out.insert(out.end(), buf.begin(), buf.begin() + got);
    }
    if (ok) {
        int got = lame_encode_flush(gf, buf.data(), int(buf.size()));
        if (got < 0) ok = false;
        else out.insert(out.end(), buf.begin(), buf.begin() + got);
    }
    if (ok) {
        // The first frame was a placeholder for this tag (length and gapless info).
        unsigned char tag[2880];
        size_t n = lame_get_lametag_frame(gf, tag, sizeof(tag));
        if (n > 0 && n <= out.size()) std::memcpy(out.data(), tag, n);
    }
    lame_close(gf);
    if (!ok) return false;

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace assetgen
