// The generator's building blocks: compositing, type, filters, envelopes,
// effects and the MP3 round trip.
#include "assetgen/image.h"
#include "assetgen/mp3.h"
#include "assetgen/pictures.h"
#include "assetgen/synth.h"
#include "assetgen/text.h"

#include <gtest/gtest.h>
#include <mpg123.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using namespace assetgen;

namespace {

const char* kFonts = "/usr/share/fonts/truetype/dejavu";

float sum(const Mask& m) {
    float s = 0;
    for (float v : m.v) s += v;
    return s;
}

float rmsOf(const std::vector<float>& v, size_t from = 0) {
    double s = 0;
    for (size_t i = from; i < v.size(); ++i) s += double(v[i]) * v[i];
    return v.size() > from ? float(std::sqrt(s / double(v.size() - from))) : 0.0f;
}

std::vector<float> sine(float hz, float seconds) {
    std::vector<float> v(size_t(toSamples(seconds)));
    for (size_t i = 0; i < v.size(); ++i) v[i] = std::sin(kTwoPi * hz * float(i) / float(kRate));
    return v;
}

}  // namespace

TEST(AssetgenImage, PaintingIsOverCompositingAndWritesStraightAlpha) {
    Image img(2, 1);
    Mask half(2, 1);
    half.at(0, 0) = 0.5f;
    half.at(1, 0) = 1.0f;
    paint(img, half, solid(rgb(0xff8000)));
    // A second coat at half coverage over solid paint keeps the pixel opaque.
    paint(img, half, solid(rgb(0x0000ff)));
    std::vector<uint8_t> px = img.toRGBA8();
    // Pixel 0: two half coats, alpha 0.75; colour un-premultiplied, not darkened.
    EXPECT_EQ(px[3], 191);
    EXPECT_NEAR(px[0], 255 * 0.25 / 0.75, 1);
    EXPECT_NEAR(px[2], 255 * 0.5 / 0.75, 1);
    // Pixel 1: the second full coat covers the first completely.
    EXPECT_EQ(px[4], 0);
    EXPECT_EQ(px[6], 255);
    EXPECT_EQ(px[7], 255);
    std::vector<uint8_t> black = img.toRGB8OverBlack();
    EXPECT_NEAR(black[0], 255 * 0.25, 1);
}

TEST(AssetgenImage, ShapesBlurAndDilationKeepTheirGeometry) {
    Mask m(64, 64);
    disc(m, 32, 32, 10);
    // Anti-aliased area close to pi r^2, with soft edge pixels.
    EXPECT_NEAR(sum(m), 3.14159f * 100, 6.0f);
    EXPECT_GT(m.at(32, 22), 0.0f);
    EXPECT_LT(m.at(32, 21), 0.5f);
    Mask grown = dilated(m, 3);
    EXPECT_NEAR(sum(grown), 3.14159f * 169, 20.0f);
    Mask soft = blurred(m, 4.0f);
    EXPECT_NEAR(sum(soft), sum(m), sum(m) * 0.02f);  // blur moves coverage, never adds it
    EXPECT_LT(soft.at(32, 23), m.at(32, 23));
    EXPECT_GT(soft.at(32, 19), m.at(32, 19));
}

TEST(AssetgenText, MeasuresFitsAndCentresLines) {
    TextRenderer tr(kFonts);
    TextStyle st{FontId::SansBold, 30, 0.0f};
    TextMetrics plain = tr.measure("TIDEGLOW", st);
    EXPECT_GT(plain.width, 100.0f);
    EXPECT_GT(plain.ascent, 15.0f);
    st.tracking = 4.0f;
    EXPECT_NEAR(tr.measure("TIDEGLOW", st).width, plain.width + 7 * 4.0f, 0.01f);
    // Non-ASCII signs used in captions must come from the font, not vanish.
    EXPECT_GT(tr.measure("×", st).width, 5.0f);
    EXPECT_GT(tr.measure("·", st).width, 3.0f);

    TextStyle fitted = tr.fit("a long line of greetings", {FontId::Sans, 40, 0.0f}, 200);
    EXPECT_LE(tr.measure("a long line of greetings", fitted).width, 200.0f);
    EXPECT_GT(tr.measure("a long line of greetings", {FontId::Sans, fitted.size + 1, 0}).width, 200.0f);

    Mask m(300, 60);
    tr.drawCentred(m, "HELLO", {FontId::SansBold, 32, 0}, 150, 45);
    double mass = 0, mx = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            mass += m.at(x, y);
            mx += m.at(x, y) * (x + 0.5);
        }
    ASSERT_GT(mass, 100.0);
    EXPECT_NEAR(mx / mass, 150.0, 6.0);
}

TEST(AssetgenPictures, DrawingIsRepeatable) {
    TextRenderer tr(kFonts);
    std::vector<Picture> a = makePictures(tr), b = makePictures(tr);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].image.px, b[i].image.px) << a[i].file;
}

TEST(AssetgenSynth, OscillatorsRunAtTheirPitch) {
    for (Osc::Shape shape : {Osc::Sine, Osc::Saw, Osc::Square}) {
        Osc o(shape);
        int rising = 0;
        float prev = o.next(441.0f);
        for (int i = 1; i < int(kRate); ++i) {
            float v = o.next(441.0f);
            rising += prev < 0 && v >= 0;
            prev = v;
        }
        EXPECT_NEAR(rising, 441, 2) << shape;
    }
}

TEST(AssetgenSynth, StateVariableFilterSeparatesBands) {
    auto through = [](float hz, int band) {
        Svf f(0.2f);
        std::vector<float> in = sine(hz, 0.2f), out(in.size());
        for (size_t i = 0; i < in.size(); ++i) {
            f.process(in[i], 1000.0f);
            out[i] = band == 0 ? f.lp() : f.hp();
        }
        return rmsOf(out, 2000) / rmsOf(in, 2000);
    };
    EXPECT_GT(through(100, 0), 0.9f);
    EXPECT_LT(through(8000, 0), 0.03f);
    EXPECT_LT(through(100, 1), 0.03f);
    EXPECT_GT(through(8000, 1), 0.9f);
}

TEST(AssetgenSynth, EnvelopeRisesHoldsAndReleases) {
    EXPECT_FLOAT_EQ(adsr(0.0f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.0f);
    EXPECT_FLOAT_EQ(adsr(0.05f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.5f);
    EXPECT_FLOAT_EQ(adsr(0.2f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.75f);
    EXPECT_FLOAT_EQ(adsr(0.8f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.5f);
    EXPECT_FLOAT_EQ(adsr(1.2f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.25f);
    EXPECT_FLOAT_EQ(adsr(1.5f, 1.0f, 0.1f, 0.2f, 0.5f, 0.4f), 0.0f);
    // A note released during its attack falls from where it was, with no jump.
    EXPECT_NEAR(adsr(0.05f, 0.05f, 0.1f, 0.2f, 0.5f, 0.4f), 0.5f, 1e-5f);
}

TEST(AssetgenSynth, EchoAndReverbTailsArriveLateAndDecay) {
    Stereo click(size_t(toSamples(3.0)));
    click.l[0] = click.r[0] = 1.0f;
    Stereo echo = pingPong(click, 0.25f, 0.5f, 8000.0f);
    const size_t d = size_t(toSamples(0.25));
    float before = 0;
    for (size_t i = 0; i < d; ++i) before = std::max(before, std::fabs(echo.l[i]) + std::fabs(echo.r[i]));
    EXPECT_EQ(before, 0.0f);
    // First echo on one side, the next one on the other.
    EXPECT_GT(std::fabs(echo.l[d]) + std::fabs(echo.l[d + 1]), 0.1f);
    float rightSecond = 0;
    for (size_t i = 2 * d - 2; i < 2 * d + 8; ++i) rightSecond = std::max(rightSecond, std::fabs(echo.r[i]));
    EXPECT_GT(rightSecond, 0.05f);

    Stereo room = reverb(click, 0.8f, 0.3f, 1.0f);
    std::vector<float> early(room.l.begin(), room.l.begin() + toSamples(0.5));
    std::vector<float> late(room.l.begin() + toSamples(2.5), room.l.end());
    EXPECT_GT(rmsOf(early), 0.0f);
    EXPECT_LT(rmsOf(late), rmsOf(early) * 0.1f);
    for (float v : room.l) ASSERT_TRUE(std::isfinite(v));
}

TEST(AssetgenMp3, EncodesAtFullLengthAndPitch) {
    const std::string path = "/tmp/assetgen_test_" + std::to_string(getpid()) + ".mp3";
    Stereo s(size_t(toSamples(1.0)));
    std::vector<float> tone = sine(1000.0f, 1.0f);
    s.add(tone, 0, 0.5f, -1.0f);  // left only
    ASSERT_TRUE(writeMp3(path, s, 160));

    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    ASSERT_NE(h, nullptr);
    mpg123_format_none(h);
    mpg123_format(h, 44100, MPG123_STEREO, MPG123_ENC_SIGNED_16);
    ASSERT_EQ(mpg123_open(h, path.c_str()), MPG123_OK);
    long rate = 0;
    int channels = 0, enc = 0;
    mpg123_getformat(h, &rate, &channels, &enc);
    std::vector<int16_t> pcm;
    std::vector<unsigned char> buf(16384);
    size_t got = 0;
    int r;
    do {
        r = mpg123_read(h, buf.data(), buf.size(), &got);
        const int16_t* p = reinterpret_cast<const int16_t*>(buf.data());
        pcm.insert(pcm.end(), p, p + got / 2);
    } while (r == MPG123_OK);
    mpg123_close(h);
    mpg123_delete(h);
    std::remove(path.c_str());

    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(channels, 2);
    // The tag frame lets the decoder drop the encoder's padding: exact length.
    EXPECT_EQ(pcm.size(), s.size() * 2);
    int crossings = 0;
    double left = 0, right = 0;
    for (size_t i = 2; i < pcm.size(); i += 2) {
        crossings += pcm[i - 2] < 0 && pcm[i] >= 0;
        left += std::abs(pcm[i]);
        right += std::abs(pcm[i + 1]);
    }
    EXPECT_NEAR(crossings, 1000, 3);
    EXPECT_LT(right, left * 0.05);
}
