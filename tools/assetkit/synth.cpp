#include "assetkit/synth.h"

#include <algorithm>
#include <cmath>

#include "assetkit/vec3.h"

namespace velmora::assets {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

Samples Make(double seconds, int rate) {
    return Samples(static_cast<size_t>(std::ceil(seconds * rate)), 0.0);
}

// PolyBLEP step correction for band-limited saws.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
}  // namespace

double NoteFrequency(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

Samples Struck(double freq, double seconds, int rate, const std::vector<Partial>& partials,
               double attack) {
    Samples out = Make(seconds, rate);
    for (const Partial& p : partials) {
        double f = freq * p.ratio;
        if (f >= rate * 0.45)
            continue;
        double w = kTwoPi * f / rate, k = std::exp(-1.0 / (p.decay * rate));
        double level = p.level;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] += level * std::sin(w * static_cast<double>(i));
            level *= k;
        }
    }
    AttackRelease(out, rate, attack, std::min(0.05, seconds * 0.2));
    return out;
}

Samples ElectricPiano(double freq, double seconds, double velocity, int rate) {
    Samples out = Make(seconds, rate);
    double phaseC = 0, phaseM = 0, phaseT = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double index = (0.4 + 1.6 * velocity) * std::exp(-t / 0.35) + 0.25;
        double mod = std::sin(phaseM) * index;
        double body = std::sin(phaseC + mod) * std::exp(-t / (1.6 + 200.0 / freq));
        double tine = 0.12 * velocity * std::sin(phaseT) * std::exp(-t / 0.08);
        out[i] = (body + tine) * (0.55 + 0.45 * velocity);
        phaseC += kTwoPi * freq / rate;
        phaseM += kTwoPi * freq / rate;
        phaseT += kTwoPi * freq * 13.9 / rate;
    }
    AttackRelease(out, rate, 0.003, std::min(0.25, seconds * 0.3));
    return out;
}

Samples Pad(double freq, double seconds, int rate, std::uint64_t seed) {
    Samples out = Make(seconds, rate);
    Rng rng(seed);
    const double detune[3] = {-0.11, 0.0, 0.12};  // semitones
    for (double d : detune) {
        double f = freq * std::pow(2.0, d / 12.0), phase = rng.Uniform(), dt = f / rate;
        for (size_t i = 0; i < out.size(); ++i) {
            double saw = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
            out[i] += saw / 3.0;
            phase += dt;
            if (phase >= 1.0)
                phase -= 1.0;
        }
    }
    Filter(out, Biquad::LowPass(std::min(freq * 3.0, 2200.0), 0.6, rate));
    Filter(out, Biquad::LowPass(std::min(freq * 5.0, 3000.0), 0.5, rate));
    AttackRelease(out, rate, std::min(0.8, seconds * 0.35), std::min(1.2, seconds * 0.45));
    return out;
}

Samples Flute(double freq, double seconds, int rate, std::uint64_t seed) {
    Samples out = Make(seconds, rate);
    Samples breath = WhiteNoise(seconds, rate, seed ^ 0xB4EA7);
    Filter(breath, Biquad::BandPass(freq * 2.0, 1.5, rate));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / rate;
        double vibrato = 1.0 + 0.0045 * std::sin(kTwoPi * 5.1 * t) * SmoothStep(0.15, 0.5, t);
        phase += kTwoPi * freq * vibrato / rate;
        out[i] = std::sin(phase) + 0.18 * std::sin(2 * phase) + 0.05 * std::sin(3 * phase) +
                 0.10 * breath[i];
    }
    AttackRelease(out, rate, std::min(0.07, seconds * 0.3), std::min(0.18, seconds * 0.4));
    return out;
}

Samples Pluck(double freq, double seconds, int rate, double brightness, std::uint64_t seed) {
    Samples out = Make(seconds, rate);
    Rng rng(seed);
    auto period = static_cast<size_t>(std::max(2.0, std::round(rate / freq)));
    Samples line(period);
    for (double& v : line)
        v = rng.Uniform() * 2 - 1;
    // Soften the excitation: a darker pluck for lower brightness.
    for (int pass = 0; pass < static_cast<int>((1 - brightness) * 6); ++pass)
        for (size_t i = 1; i < period; ++i)
            line[i] = 0.5 * (line[i] + line[i - 1]);
    double decay = 0.996 + 0.0035 * std::min(1.0, 220.0 / freq);
    decay = std::min(decay, 0.9995);
    size_t pos = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double v = line[pos];
        double next = line[(pos + 1) % period];
        double filtered = decay * (0.5 * (v + next));
        line[pos] = filtered;
        out[i] = v;
        pos = (pos + 1) % period;
    }
    AttackRelease(out, rate, 0.002, std::min(0.1, seconds * 0.2));
    return out;
}

Samples Glide(double from, double to, double seconds, int rate) {
    Samples out = Make(seconds, rate);
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double t = static_cast<double>(i) / out.size();
        double f = from * std::pow(to / from, t);
        phase += kTwoPi * f / rate;
        out[i] = std::sin(phase);
    }
    return out;
}

Samples WhiteNoise(double seconds, int rate, std::uint64_t seed) {
    Samples out = Make(seconds, rate);
    Rng rng(seed);
    for (double& v : out)
        v = rng.Uniform() * 2 - 1;
    return out;
}

void ExpDecay(Samples& s, int rate, double tau) {
    double k = std::exp(-1.0 / (tau * rate)), g = 1;
    for (double& v : s) {
        v *= g;
        g *= k;
    }
}

void AttackRelease(Samples& s, int rate, double attack, double release) {
    auto a = static_cast<size_t>(attack * rate), r = static_cast<size_t>(release * rate);
    size_t n = s.size();
    for (size_t i = 0; i < std::min(a, n); ++i)
        s[i] *= 0.5 - 0.5 * std::cos(kPi * i / a);
    for (size_t i = 0; i < std::min(r, n); ++i)
        s[n - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / r);
}

Biquad Biquad::LowPass(double freq, double q, int rate) {
    double w = kTwoPi * freq / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    return {(1 - c) / 2 / a0, (1 - c) / a0, (1 - c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

Biquad Biquad::HighPass(double freq, double q, int rate) {
    double w = kTwoPi * freq / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    return {(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0};
}

Biquad Biquad::BandPass(double freq, double q, int rate) {
    double w = kTwoPi * freq / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double a0 = 1 + alpha;
    return {alpha / a0, 0, -alpha / a0, -2 * c / a0, (1 - alpha) / a0};
}

double Biquad::Run(double x) {
    double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

void Filter(Samples& s, Biquad f) {
    for (double& v : s)
        v = f.Run(v);
}

namespace {

struct Comb {
    std::vector<double> buf;
    size_t pos = 0;
    double store = 0;
    double Run(double x, double feedback, double damp) {
        double out = buf[pos];
        store = out * (1 - damp) + store * damp;
        buf[pos] = x + store * feedback;
        pos = (pos + 1) % buf.size();
        return out;
    }
};

struct AllPass {
    std::vector<double> buf;
    size_t pos = 0;
    double Run(double x) {
        double b = buf[pos];
        double out = b - x;
        buf[pos] = x + b * 0.5;
        pos = (pos + 1) % buf.size();
        return out;
    }
};

}  // namespace

void Reverb(Sound& s, double roomSize, double damping, double wet) {
    static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllPasses[4] = {556, 441, 341, 225};
    const double scale = s.rate / 44100.0;
    const size_t n = s.Frames();
    std::vector<double> mono(n, 0.0);
    for (const auto& ch : s.channels)
        for (size_t i = 0; i < n; ++i)
            mono[i] += ch[i] / s.channels.size();
    double feedback = 0.7 + 0.28 * roomSize;
    for (size_t c = 0; c < s.channels.size(); ++c) {
        int spread = c == 0 ? 0 : 23;
        std::vector<Comb> combs;
        std::vector<AllPass> passes;
        for (int len : kCombs)
            combs.push_back(
                {std::vector<double>(static_cast<size_t>((len + spread) * scale), 0.0)});
        for (int len : kAllPasses)
            passes.push_back(
                {std::vector<double>(static_cast<size_t>((len + spread) * scale), 0.0)});
        auto& ch = s.channels[c];
        for (size_t i = 0; i < n; ++i) {
            double in = mono[i] * 0.015, out = 0;
            for (auto& comb : combs)
                out += comb.Run(in, feedback, damping);
            for (auto& ap : passes)
                out = ap.Run(out);
            ch[i] = ch[i] * (1 - wet * 0.5) + out * wet * 3.0;
        }
    }
}

void Chorus(Sound& s, double depthMs, double rateHz, double mix) {
    const size_t n = s.Frames();
    for (size_t c = 0; c < s.channels.size(); ++c) {
        std::vector<double> dry = s.channels[c];
        double phase0 = c == 0 ? 0.0 : kPi / 2;
        for (size_t i = 0; i < n; ++i) {
            double t = static_cast<double>(i) / s.rate;
            double delay = (depthMs * 0.5 * (1 + std::sin(kTwoPi * rateHz * t + phase0)) + 7.0) *
                           s.rate / 1000.0;
            double pos = static_cast<double>(i) - delay;
            double v = 0;
            if (pos >= 0) {
                auto k = static_cast<size_t>(pos);
                double frac = pos - k;
                v = dry[k] * (1 - frac) + (k + 1 < n ? dry[k + 1] : 0) * frac;
            }
            s.channels[c][i] = dry[i] * (1 - mix * 0.5) + v * mix;
        }
    }
}

}  // namespace velmora::assets
