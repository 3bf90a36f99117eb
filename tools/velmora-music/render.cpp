#include "render.h"

#include <cmath>
#include <map>

#include "assetkit/synth.h"

namespace velmora::assets {

namespace {

const std::vector<Partial> kCelesta = {
    {1.0, 1.00, 0.9}, {2.0, 0.22, 0.4}, {3.0, 0.07, 0.2}, {4.2, 0.04, 0.1}};
const std::vector<Partial> kMarimba = {{1.0, 1.00, 0.55}, {3.93, 0.20, 0.09}, {9.2, 0.05, 0.03}};

Samples Play(Timbre timbre, const NoteEvent& n, double seconds, int rate, std::uint64_t seed) {
    double f = NoteFrequency(n.midi);
    switch (timbre) {
        case Timbre::Pad:
            return Pad(f, seconds + 1.0, rate, seed);
        case Timbre::ElectricPiano:
            return ElectricPiano(f, seconds + 0.5, n.velocity, rate);
        case Timbre::Harp:
            return Pluck(f, seconds + 1.4, rate, 0.55, seed);
        case Timbre::DarkPluck:
            return Pluck(f, seconds + 0.6, rate, 0.15, seed);
        case Timbre::Flute:
            return Flute(f, seconds, rate, seed);
        case Timbre::Celesta:
            return Struck(f, seconds + 1.2, rate, kCelesta, 0.003);
        case Timbre::Marimba:
            return Struck(f, seconds + 0.6, rate, kMarimba, 0.003);
        case Timbre::SoftSine: {
            Samples s =
                Struck(f, seconds + 0.3, rate, {{1, 1, 3.0}, {2, 0.18, 1.0}, {3, 0.05, 0.5}}, 0.02);
            AttackRelease(s, rate, 0.02, 0.3);
            return s;
        }
    }
    return {};
}

struct StemMix {
    Voice voice;
    double level;  // dB against the melody
    double pan;
};

}  // namespace

Sound Render(const PieceStyle& style, const Score& score, int rate) {
    const double beat = 60.0 / style.bpm;
    const double seconds = score.totalBeats * beat + 1.0;
    const std::map<Voice, Timbre> timbres = {{Voice::Pad, style.pad},
                                             {Voice::Bass, style.bass},
                                             {Voice::Accompaniment, style.accompaniment},
                                             {Voice::Melody, style.melody},
                                             {Voice::Counter, style.counter}};
    const StemMix mixes[] = {{Voice::Melody, 0.0, 0.12},
                             {Voice::Counter, -7.0, -0.35},
                             {Voice::Pad, -8.5, 0.0},
                             {Voice::Accompaniment, -6.5, -0.28},
                             {Voice::Bass, -5.0, 0.05}};
    Sound master(rate, 2, seconds);
    double melodyLoudness = 0;
    std::uint64_t seed = style.seed;
    for (const StemMix& mix : mixes) {
        Sound stem(rate, 1, seconds);
        for (const NoteEvent& n : score.notes) {
            if (n.voice != mix.voice)
                continue;
            Samples s = Play(timbres.at(n.voice), n, n.length * beat, rate, ++seed);
            stem.Mix(s, n.start * beat, n.velocity);
        }
        // Plucked strings are excited with noise: keep their attacks round.
        Timbre timbre = timbres.at(mix.voice);
        if (timbre == Timbre::Harp) {
            Filter(stem.channels[0], Biquad::LowPass(4200, 0.6, rate));
            Filter(stem.channels[0], Biquad::LowPass(6000, 0.5, rate));
        }
        if (timbre == Timbre::DarkPluck)
            Filter(stem.channels[0], Biquad::LowPass(1100, 0.6, rate));
        double loudness = IntegratedLoudness(stem);
        if (loudness < -90)
            continue;
        if (mix.voice == Voice::Melody)
            melodyLoudness = loudness;
        Gain(stem, melodyLoudness + mix.level - loudness);
        if (mix.voice == Voice::Pad) {
            Sound wide(rate, 2, seconds);
            wide.Mix(stem.channels[0], 0.0);
            Chorus(wide, 3.5, 0.23, 0.6);
            for (int c = 0; c < 2; ++c)
                for (size_t i = 0; i < master.Frames(); ++i)
                    master.channels[c][i] += wide.channels[c][i];
        } else {
            master.Mix(stem.channels[0], 0.0, 1.0, mix.pan);
        }
    }
    Reverb(master, 0.78, 0.45, 0.30);
    FadeEdges(master, 0.4, 0.02);
    TrimTail(master, -70);
    FadeEdges(master, 0.0, 1.2);
    return master;
}

}  // namespace velmora::assets
