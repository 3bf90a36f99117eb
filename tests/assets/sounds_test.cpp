// The sound effects and the music: they decode, and are short, click-free and even.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "asset_files.h"

namespace velmora::test {
namespace {

struct Decoded {
    int rate = 0;
    int channels = 0;
    std::vector<float> mono;  // channels averaged
};

std::optional<Decoded> Decode(const std::filesystem::path& path) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0)
        return std::nullopt;
    Decoded d;
    d.rate = static_cast<int>(ov_info(&vf, -1)->rate);
    d.channels = ov_info(&vf, -1)->channels;
    float** pcm = nullptr;
    int section = 0;
    long n = 0;
    while ((n = ov_read_float(&vf, &pcm, 4096, &section)) > 0)
        for (long i = 0; i < n; ++i) {
            float sum = 0;
            for (int c = 0; c < d.channels; ++c)
                sum += pcm[c][i];
            d.mono.push_back(sum / d.channels);
        }
    ov_clear(&vf);
    return n < 0 ? std::nullopt : std::optional<Decoded>(std::move(d));
}

double Seconds(const Decoded& d) {
    return static_cast<double>(d.mono.size()) / d.rate;
}

float PeakOver(const Decoded& d, size_t from, size_t to) {
    float peak = 0;
    for (size_t i = from; i < std::min(to, d.mono.size()); ++i)
        peak = std::max(peak, std::fabs(d.mono[i]));
    return peak;
}

// Loudest 400 ms (a short sound is heard against the silence after it), in dB.
double LoudestWindowDb(const Decoded& d) {
    size_t window = static_cast<size_t>(0.4 * d.rate);
    std::vector<float> s = d.mono;
    s.resize(std::max(s.size(), window), 0.0f);
    double sum = 0, best = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        sum += s[i] * s[i];
        if (i >= window)
            sum -= s[i - window] * s[i - window];
        if (i + 1 >= window)
            best = std::max(best, sum / window);
    }
    return 10 * std::log10(std::max(best, 1e-12));
}

const char* const kEffects[] = {"connect.ogg", "correct.ogg", "disconnect.ogg", "endgame.ogg",
                                "message.ogg", "move.ogg",    "movehint.ogg",   "stmove.ogg"};

// Short, click-free, and all as loud as each other except the softer cursor tick.
TEST(SoundEffects, EveryEffectDecodesShortWithoutClicksAndEvenlyLoud) {
    std::vector<double> levels;
    double tick = 0;
    for (const char* name : kEffects) {
        auto d = Decode(SourcePath(std::string("DATA/") + name));
        ASSERT_TRUE(d) << name << " missing or not Ogg Vorbis";
        EXPECT_EQ(d->rate, 44100) << name;
        EXPECT_GT(Seconds(*d), 0.03) << name;
        EXPECT_LT(Seconds(*d), 1.5) << name;
        const size_t ms = static_cast<size_t>(d->rate / 1000);
        EXPECT_LT(PeakOver(*d, 0, ms / 2), 0.05f) << name << " starts with a click";
        EXPECT_LT(PeakOver(*d, d->mono.size() - 2 * ms, d->mono.size()), 0.05f)
            << name << " ends with a click";
        EXPECT_LT(PeakOver(*d, 0, d->mono.size()), 1.0f) << name << " clips";
        EXPECT_GT(PeakOver(*d, 0, d->mono.size()), 0.05f) << name << " is all but silent";
        if (std::string(name) == "correct.ogg")
            tick = LoudestWindowDb(*d);
        else
            levels.push_back(LoudestWindowDb(*d));
    }
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    for (double l : levels)
        EXPECT_NEAR(l, median, 4.0);
    EXPECT_LT(tick, median - 2.0);
}

TEST(Music, AtLeastThreeTracksOfOneToThreeMinutesThatStartAndEndSoftly) {
    std::uintmax_t bytes = 0;
    int tracks = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SourcePath("DATA/MUSIC"))) {
        if (entry.path().extension() != ".ogg")
            continue;
        ++tracks;
        bytes += entry.file_size();
        auto d = Decode(entry.path());
        ASSERT_TRUE(d) << entry.path();
        EXPECT_TRUE(d->rate == 44100 || d->rate == 22050) << entry.path();
        EXPECT_GE(Seconds(*d), 60.0) << entry.path();
        EXPECT_LE(Seconds(*d), 180.0) << entry.path();
        const size_t ms = static_cast<size_t>(d->rate / 1000);
        EXPECT_LT(PeakOver(*d, 0, 10 * ms), 0.05f) << entry.path() << " starts abruptly";
        EXPECT_LT(PeakOver(*d, d->mono.size() - 50 * ms, d->mono.size()), 0.05f)
            << entry.path() << " stops abruptly";
        // Music, not silence: the middle of the piece is well audible.
        EXPECT_GT(PeakOver(*d, d->mono.size() / 3, d->mono.size() / 2), 0.1f) << entry.path();
    }
    EXPECT_GE(tracks, 3);
    EXPECT_LT(bytes, 6u * 1024 * 1024);
}

}  // namespace
}  // namespace velmora::test
