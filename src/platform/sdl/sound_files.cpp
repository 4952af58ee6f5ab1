// The desktop's sound files: MP3, decoded by libmpg123.
#include "platform/sound_platform.h"

#include <mpg123.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// mpg123 says no more than that it could not open a file; name the reason.
bool readable(const char* path, std::string& error)
{
    FILE* file = fopen(path, "rb");
    if (!file) {
        error = strerror(errno);
        return false;
    }
    const bool empty = fgetc(file) == EOF;
    if (empty) error = ferror(file) ? strerror(errno) : "empty file";
    fclose(file);
    return !empty;
}

class Mp3Decoder : public SoundDecoder {
public:
    ~Mp3Decoder() override
    {
        if (!handle) return;
        mpg123_close(handle);
        mpg123_delete(handle);
    }

    // Opens the file and reads up to its first frame.
    bool open(const char* path, std::string& error)
    {
        static const bool libraryReady = mpg123_init() == MPG123_OK;
        if (!libraryReady) return false;
        handle = mpg123_new(nullptr, nullptr);
        if (!handle) return false;
        // Our own one-line message is enough; mpg123 would add its own.
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
        // Any rate, never resampled, so that a wrong rate shows up here.
        mpg123_format_none(handle);
        const long* rates = nullptr;
        size_t rateCount = 0;
        mpg123_rates(&rates, &rateCount);
        for (size_t i = 0; i < rateCount; ++i)
            mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
        if (!readable(path, error) || mpg123_open(handle, path) != MPG123_OK) return false;
        block.resize(mpg123_outblock(handle) / sizeof(int16_t));
        return readFormat(error);
    }

    Frames length() const override { return std::max<off_t>(mpg123_length(handle), 0); }

    bool decode(Pcm& stereo, Frames frames, std::string& error) override
    {
        const size_t end = stereo.size() + static_cast<size_t>(2 * frames);
        while (!done && stereo.size() < end) {
            size_t bytes = 0;
            const int result = mpg123_read(handle, block.data(), block.size() * sizeof(int16_t), &bytes);
            const size_t count = bytes / sizeof(int16_t);
            decoded += count;
            if (channels == 2) {
                stereo.insert(stereo.end(), block.begin(), block.begin() + count);
            } else {
                for (size_t i = 0; i < count; ++i) stereo.insert(stereo.end(), 2, block[i]);
            }
            if (result == MPG123_DONE) {
                done = true;
            } else if (result == MPG123_NEW_FORMAT) {
                if (!readFormat(error)) return false;
            } else if (result != MPG123_OK) {
                error = "damaged MP3 data";
                return false;
            }
        }
        if (done && decoded == 0) error = "no MP3 audio found";
        return !done || decoded > 0;
    }

    bool finished() const override { return done; }

private:
    bool readFormat(std::string& error)
    {
        long rate = 0;
        int encoding = 0;
        if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK) {
            error = "no MP3 audio found";
            return false;
        }
        if (rate != kMixRate) {
            error = "sample rate " + std::to_string(rate) + " Hz, the demo needs " + std::to_string(kMixRate) + " Hz";
            return false;
        }
        return channels == 1 || channels == 2;
    }

    mpg123_handle* handle = nullptr;
    std::vector<int16_t> block;
    int channels = 0;
    size_t decoded = 0;  // samples, over every call
    bool done = false;
};
}  // namespace

std::unique_ptr<SoundDecoder> openSoundFile(const char* path, std::string& error)
{
    error.clear();
    auto decoder = std::make_unique<Mp3Decoder>();
    if (!decoder->open(path, error)) return nullptr;
    return decoder;
}
