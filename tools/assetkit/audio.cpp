#include "assetkit/audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora::assets {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    double Run(double x) {
        double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two K-weighting stages of BS.1770 for any sample rate.
std::vector<Biquad> KWeighting(int rate) {
    std::vector<Biquad> stages;
    {
        double f0 = 1681.974450955533, g = 3.999843853973347, q = 0.7071752369554196;
        double k = std::tan(kPi * f0 / rate);
        double vh = std::pow(10.0, g / 20.0), vb = std::pow(vh, 0.4996667741545416);
        double a0 = 1.0 + k / q + k * k;
        stages.push_back({(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                          (vh - vb * k / q + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                          (1.0 - k / q + k * k) / a0});
    }
    {
        double f0 = 38.13547087602444, q = 0.5003270373238773;
        double k = std::tan(kPi * f0 / rate);
        double a0 = 1.0 + k / q + k * k;
        stages.push_back({1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0});
    }
    return stages;
}

// K-weighted squared samples summed over channels.
std::vector<double> WeightedPower(const Sound& s) {
    std::vector<double> power(s.Frames(), 0.0);
    for (const auto& ch : s.channels) {
        auto stages = KWeighting(s.rate);
        for (size_t i = 0; i < ch.size(); ++i) {
            double x = ch[i];
            for (auto& b : stages)
                x = b.Run(x);
            power[i] += x * x;
        }
    }
    return power;
}

double ToLufs(double meanSquare) {
    return -0.691 + 10.0 * std::log10(std::max(meanSquare, 1e-12));
}

}  // namespace

Sound::Sound(int sampleRate, int channelCount, double seconds)
    : rate(sampleRate),
      channels(channelCount,
               std::vector<double>(static_cast<size_t>(std::ceil(seconds * sampleRate)), 0.0)) {}

void Sound::Mix(const std::vector<double>& mono, double at, double gain, double pan) {
    auto start = static_cast<long>(std::lround(at * rate));
    double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kPi / 4;
    for (size_t c = 0; c < channels.size(); ++c) {
        double g = gain;
        if (channels.size() == 2)
            g *= (c == 0 ? std::cos(angle) : std::sin(angle)) * std::sqrt(2.0);
        auto& ch = channels[c];
        for (size_t i = 0; i < mono.size(); ++i) {
            long j = start + static_cast<long>(i);
            if (j >= 0 && j < static_cast<long>(ch.size()))
                ch[j] += g * mono[i];
        }
    }
}

void FadeEdges(Sound& s, double fadeIn, double fadeOut) {
    size_t n = s.Frames();
    auto in = static_cast<size_t>(fadeIn * s.rate), out = static_cast<size_t>(fadeOut * s.rate);
    for (auto& ch : s.channels) {
        for (size_t i = 0; i < std::min(in, n); ++i)
            ch[i] *= 0.5 - 0.5 * std::cos(kPi * i / in);
        for (size_t i = 0; i < std::min(out, n); ++i)
            ch[n - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / out);
    }
}

void TrimTail(Sound& s, double floorDb) {
    double floor = std::pow(10.0, floorDb / 20.0);
    size_t last = 0;
    for (const auto& ch : s.channels)
        for (size_t i = 0; i < ch.size(); ++i)
            if (std::fabs(ch[i]) > floor)
                last = std::max(last, i);
    size_t keep = std::min(s.Frames(), last + static_cast<size_t>(0.02 * s.rate));
    for (auto& ch : s.channels)
        ch.resize(keep);
}

double MomentaryLoudness(const Sound& s) {
    std::vector<double> power = WeightedPower(s);
    // A short sound is judged over a full window, as a listener hears it against silence.
    size_t window = static_cast<size_t>(0.4 * s.rate);
    power.resize(std::max(power.size(), window), 0.0);
    double sum = 0, best = 0;
    for (size_t i = 0; i < power.size(); ++i) {
        sum += power[i];
        if (i >= window)
            sum -= power[i - window];
        if (i + 1 >= window)
            best = std::max(best, sum / window);
    }
    return ToLufs(best);
}

double IntegratedLoudness(const Sound& s) {
    std::vector<double> power = WeightedPower(s);
    double sum = 0;
    for (double p : power)
        sum += p;
    return ToLufs(sum / std::max<size_t>(power.size(), 1));
}

double PeakDb(const Sound& s) {
    double peak = 1e-12;
    for (const auto& ch : s.channels)
        for (double v : ch)
            peak = std::max(peak, std::fabs(v));
    return 20.0 * std::log10(peak);
}

void Gain(Sound& s, double db) {
    double g = std::pow(10.0, db / 20.0);
    for (auto& ch : s.channels)
        for (double& v : ch)
            v *= g;
}

void Normalise(Sound& s, double targetLufs, double ceilingDb) {
    Gain(s, targetLufs - MomentaryLoudness(s));
    double peak = PeakDb(s);
    if (peak > ceilingDb)
        Gain(s, ceilingDb - peak);
}

bool WriteOggVorbis(const std::string& path, const Sound& s, double quality,
                    const std::string& title) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const int channels = static_cast<int>(s.channels.size());
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, s.rate, static_cast<float>(quality)) != 0) {
        std::fclose(f);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_comment_add_tag(&vc, "ARTIST", "Velmora Reversi");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x56454C4D);  // fixed serial: the same input gives the same file
    bool ok = true;
    auto flush = [&](bool force) {
        ogg_page og;
        while (force ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
            ok = ok &&
                 std::fwrite(og.header, 1, og.header_len, f) == static_cast<size_t>(og.header_len);
            ok = ok && std::fwrite(og.body, 1, og.body_len, f) == static_cast<size_t>(og.body_len);
        }
    };
    {
        ogg_packet header, comment, code;
        vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
        ogg_stream_packetin(&os, &header);
        ogg_stream_packetin(&os, &comment);
        ogg_stream_packetin(&os, &code);
        flush(true);
    }
    const size_t total = s.Frames();
    const size_t chunk = 4096;
    for (size_t pos = 0;; pos += chunk) {
        size_t n = pos < total ? std::min(chunk, total - pos) : 0;
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (int c = 0; c < channels; ++c)
                for (size_t i = 0; i < n; ++i)
                    buffer[c][i] =
                        static_cast<float>(std::clamp(s.channels[c][pos + i], -1.0, 1.0));
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                flush(false);
            }
        }
        if (n == 0)
            break;
    }
    flush(true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return std::fclose(f) == 0 && ok;
}

}  // namespace velmora::assets
