// The generated pictures and sounds: sizes the motion paths rely on, alpha
// where pictures lie over effects, and sounds that decode, never clip and are
// never silent where the demo needs them.
#include "assetgen/catalogue.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <mpg123.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using assetgen::kPictures;
using assetgen::kSounds;

std::string dataPath(const char* file) { return std::string(DEMO_DATA_DIR) + "/" + file; }

struct Decoded {
    long rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved
    double seconds() const { return channels ? double(samples.size()) / channels / double(rate) : 0.0; }
};

Decoded decode(const std::string& path) {
    Decoded d;
    int err = MPG123_OK;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    if (!h) return d;
    mpg123_format_none(h);
    mpg123_format(h, 44100, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    mpg123_format(h, 22050, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    mpg123_format(h, 48000, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open(h, path.c_str()) == MPG123_OK) {
        int enc = 0;
        mpg123_getformat(h, &d.rate, &d.channels, &enc);
        std::vector<unsigned char> buf(65536);
        size_t got = 0;
        int r;
        do {
            r = mpg123_read(h, buf.data(), buf.size(), &got);
            const int16_t* s = reinterpret_cast<const int16_t*>(buf.data());
            d.samples.insert(d.samples.end(), s, s + got / 2);
        } while (r == MPG123_OK);
        mpg123_close(h);
    }
    mpg123_delete(h);
    return d;
}

// Decodes each file once for all tests.
const Decoded& sound(const char* file) {
    static std::map<std::string, Decoded> cache;
    auto it = cache.find(file);
    if (it == cache.end()) it = cache.emplace(file, decode(dataPath(file))).first;
    return it->second;
}

// RMS over [from, to) seconds, both channels, relative to full scale.
double rms(const Decoded& d, double from, double to) {
    size_t a = size_t(from * double(d.rate)) * size_t(d.channels);
    size_t b = std::min(d.samples.size(), size_t(to * double(d.rate)) * size_t(d.channels));
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += double(d.samples[i]) * d.samples[i];
    return b > a ? std::sqrt(sum / double(b - a)) / 32768.0 : 0.0;
}

int peak(const Decoded& d) {
    int p = 0;
    for (int16_t s : d.samples) p = std::max(p, std::abs(int(s)));
    return p;
}

TEST(GeneratedPictures, LoadWithTheirDesignedSizeAndAlphaOnlyWhereDesigned) {
    for (const auto& design : kPictures) {
        SCOPED_TRACE(design.file);
        SDL_Surface* s = IMG_Load(dataPath(design.file).c_str());
        ASSERT_NE(s, nullptr) << IMG_GetError();
        EXPECT_EQ(s->w, design.width);
        EXPECT_EQ(s->h, design.height);
        EXPECT_EQ(s->format->Amask != 0, design.alpha);
        if (design.alpha) {
            EXPECT_TRUE(s->flags & SDL_SRCALPHA);
        }
        SDL_FreeSurface(s);
    }
}

// Alpha pictures must let the effect show through (clear ground or tinted
// glass), hold solid ink, and have soft edges in between; all-opaque or
// hard-edged alpha would show as boxes over the effects.
TEST(GeneratedPictures, TargaAlphaIsTransparentOpaqueAndSoft) {
    for (const auto& design : kPictures) {
        if (!design.alpha) continue;
        SCOPED_TRACE(design.file);
        SDL_Surface* s = IMG_Load(dataPath(design.file).c_str());
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->format->BytesPerPixel, 4);
        long seeThrough = 0, solid = 0, soft = 0;
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) {
                Uint32 p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
                Uint8 r, g, b, a;
                SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
                if (a < 230) ++seeThrough;
                if (a >= 250) ++solid;
                else if (a > 0) ++soft;
            }
        SDL_UnlockSurface(s);
        const long total = long(s->w) * s->h;
        EXPECT_GT(seeThrough, total / 10) << "nothing shows through";
        EXPECT_GT(soft, total / 100) << "edges are not anti-aliased";
        // The flare is a glow and may never be fully opaque; everything else has solid ink.
        if (std::string(design.file) != "flare.tga") {
            EXPECT_GT(solid, total / 100);
        }
        SDL_FreeSurface(s);
    }
}

// The title pictures are JPEGs on black: their corners must be black, and
// they must hold something brighter.
TEST(GeneratedPictures, TitleJpegsAreOnBlack) {
    for (const auto& design : kPictures) {
        if (design.alpha) continue;
        SCOPED_TRACE(design.file);
        SDL_Surface* s = IMG_Load(dataPath(design.file).c_str());
        ASSERT_NE(s, nullptr);
        SDL_Surface* c = SDL_CreateRGBSurface(0, s->w, s->h, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_BlitSurface(s, nullptr, c, nullptr);
        auto lum = [&](int x, int y) {
            Uint32 p = reinterpret_cast<Uint32*>(static_cast<Uint8*>(c->pixels) + y * c->pitch)[x];
            return int((p >> 16) & 255) + int((p >> 8) & 255) + int(p & 255);
        };
        EXPECT_LT(lum(0, 0) + lum(c->w - 1, 0) + lum(0, c->h - 1) + lum(c->w - 1, c->h - 1), 4 * 3 * 12);
        int brightest = 0;
        for (int y = 0; y < c->h; ++y)
            for (int x = 0; x < c->w; ++x) brightest = std::max(brightest, lum(x, y));
        EXPECT_GT(brightest, 3 * 180);
        SDL_FreeSurface(c);
        SDL_FreeSurface(s);
    }
}

// The window icon is an RGBA PNG (colour type 6), the format desktops take
// too, with the emblem solid in its middle on a clear ground.
TEST(GeneratedPictures, TheIconIsAnRgbaPngOfTheEmblemOnAClearGround) {
    const std::string path = dataPath(assetgen::kIcon.file);
    std::ifstream file(path, std::ios::binary);
    char header[26] = {};
    file.read(header, sizeof header);
    EXPECT_EQ(std::string(header + 1, 3), "PNG");
    EXPECT_EQ(header[25], 6) << "colour type";

    SDL_Surface* s = IMG_Load(path.c_str());
    ASSERT_NE(s, nullptr) << IMG_GetError();
    EXPECT_EQ(s->w, assetgen::kIcon.width);
    EXPECT_EQ(s->h, assetgen::kIcon.height);
    ASSERT_EQ(s->format->BytesPerPixel, 4);
    auto alpha = [&](int x, int y) {
        Uint8 r, g, b, a;
        SDL_GetRGBA(reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x], s->format, &r, &g,
                    &b, &a);
        return a;
    };
    // The faint end of the emblem's halo may reach the corners.
    EXPECT_LT(alpha(0, 0) + alpha(s->w - 1, 0) + alpha(0, s->h - 1) + alpha(s->w - 1, s->h - 1), 16);
    EXPECT_EQ(alpha(s->w / 2, s->h / 2), 255);
    SDL_FreeSurface(s);
}

TEST(GeneratedSounds, DecodeAt44100HzWithinTheirLengthWithoutClipping) {
    for (const auto& design : kSounds) {
        SCOPED_TRACE(design.file);
        const Decoded& d = sound(design.file);
        ASSERT_FALSE(d.samples.empty());
        EXPECT_EQ(d.rate, assetgen::kSampleRate);
        EXPECT_EQ(d.channels, 2);
        EXPECT_GE(d.seconds(), design.minSeconds);
        EXPECT_LE(d.seconds(), design.maxSeconds);
        EXPECT_LT(peak(d), 32000) << "too close to full scale";
        EXPECT_GT(rms(d, 0, d.seconds()), 0.03) << "hardly audible";
    }
}

TEST(GeneratedSounds, MusicOutlastsTheDemoAndNoSectionIsSilent) {
    const Decoded& m = sound("music.mp3");
    ASSERT_GT(m.seconds(), 107.0);
    for (int i = 0; i < assetgen::kSectionCount; ++i) {
        const double from = assetgen::kSectionStarts[i], to = assetgen::kSectionStarts[i + 1];
        SCOPED_TRACE("section from " + std::to_string(from) + " s");
        EXPECT_GT(rms(m, from, to), 0.04);
        // No gap either: every second of the section carries sound.
        for (double t = from; t + 1.0 <= to; t += 1.0) EXPECT_GT(rms(m, t, t + 1.0), 0.01) << "at " << t << " s";
    }
}

// Played at full volume at its cue time, each cue's loudest moment must be
// louder than the music underneath, or the accent is lost.
TEST(GeneratedSounds, EveryCueStandsOutOverTheMusicAtItsCueTime) {
    const struct { int cue; double at; } events[] = {
        {0, 17.5}, {1, 25.5}, {2, 36.5}, {3, 55.0}, {3, 67.5}, {5, 67.5},
        {7, 67.5}, {4, 75.4}, {5, 78.0}, {6, 90.5}, {8, 95.0},
    };
    const Decoded& music = sound("music.mp3");
    for (const auto& e : events) {
        const Decoded& cue = sound(kSounds[e.cue + 1].file);
        SCOPED_TRACE(std::string(kSounds[e.cue + 1].file) + " at " + std::to_string(e.at));
        double loudest = 0;
        for (double t = 0; t + 0.2 <= cue.seconds(); t += 0.05) loudest = std::max(loudest, rms(cue, t, t + 0.2));
        EXPECT_GT(loudest, 1.5 * rms(music, e.at, e.at + cue.seconds()));
    }
}

TEST(GeneratedSounds, CuesAreDistinct) {
    for (int i = 1; i < assetgen::kSoundCount; ++i)
        for (int j = i + 1; j < assetgen::kSoundCount; ++j)
            EXPECT_NE(sound(kSounds[i].file).samples, sound(kSounds[j].file).samples)
                << kSounds[i].file << " and " << kSounds[j].file;
}

}  // namespace
