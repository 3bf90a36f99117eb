#pragma once

#include <cstdint>
#include <vector>

#include "assetkit/audio.h"
#include "assetkit/rng.h"

namespace velmora::assets {

using Samples = std::vector<double>;

double NoteFrequency(double midiNote);  // 69 = A4 = 440 Hz

// One sine partial of a struck or plucked tone: frequency ratio, level and the time its
// level takes to fall by 1/e.
struct Partial {
    double ratio;
    double level;
    double decay;
};

// A sum of exponentially decaying partials with a short attack (bells, bars, plucks).
Samples Struck(double freq, double seconds, int rate, const std::vector<Partial>& partials,
               double attack = 0.002);
// Two-operator FM electric piano: a mellow tine whose brightness falls as the note rings.
Samples ElectricPiano(double freq, double seconds, double velocity, int rate);
// A soft string-like pad: detuned band-limited saws through a low-pass, slow envelope.
Samples Pad(double freq, double seconds, int rate, std::uint64_t seed);
// A breathy flute-like lead: sine plus a little second harmonic, vibrato and breath.
Samples Flute(double freq, double seconds, int rate, std::uint64_t seed);
// Karplus-Strong plucked string (harp, guitar-like bass).
Samples Pluck(double freq, double seconds, int rate, double brightness, std::uint64_t seed);
// A sine whose frequency glides exponentially from `from` to `to` Hz.
Samples Glide(double from, double to, double seconds, int rate);
Samples WhiteNoise(double seconds, int rate, std::uint64_t seed);

// Envelope helpers (in place).
void ExpDecay(Samples& s, int rate, double tau);
void AttackRelease(Samples& s, int rate, double attack, double release);

struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
    static Biquad LowPass(double freq, double q, int rate);
    static Biquad HighPass(double freq, double q, int rate);
    static Biquad BandPass(double freq, double q, int rate);
    double Run(double x);
};
void Filter(Samples& s, Biquad f);

// Freeverb-style stereo reverb (eight combs and four all-passes per side); `wet` of the
// reverberated signal is mixed in.
void Reverb(Sound& s, double roomSize, double damping, double wet);
// A slow stereo chorus that widens a sound.
void Chorus(Sound& s, double depthMs, double rateHz, double mix);

}  // namespace velmora::assets
