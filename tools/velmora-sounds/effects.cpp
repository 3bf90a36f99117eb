#include "effects.h"

#include <algorithm>
#include <cmath>

#include "assetkit/synth.h"

namespace velmora::assets {

namespace {

Sound Blank(int rate, double seconds) {
    return Sound(rate, 1, seconds);
}

// A plastic disc meeting the wooden board: a few short modes of the disc and a dull thump
// of the board, plus the click of the contact.
Samples Clack(int rate, double hardness) {
    Samples s = Struck(1.0, 0.22, rate,
                       {{1180, 1.00, 0.024},
                        {1830, 0.70, 0.017},
                        {2710, 0.50 * hardness, 0.011},
                        {3520, 0.30 * hardness, 0.007},
                        {5150, 0.16 * hardness, 0.004},
                        {235, 0.60, 0.045},
                        {410, 0.50, 0.032}},
                       0.0006);
    // A little saturation rounds the first peak, so the clack keeps its loudness under
    // the ceiling.
    double peak = 0;
    for (double v : s)
        peak = std::max(peak, std::fabs(v));
    for (double& v : s)
        v = std::tanh(2.2 * v / peak) / std::tanh(2.2) * peak;
    Samples click = WhiteNoise(0.02, rate, 0xC1AC);
    ExpDecay(click, rate, 0.0022);
    Filter(click, Biquad::HighPass(1800, 0.7, rate));
    for (size_t i = 0; i < click.size(); ++i)
        s[i] += 0.35 * hardness * click[i];
    AttackRelease(s, rate, 0.0006, 0.03);
    return s;
}

// Bar and bell timbres.
const std::vector<Partial> kChime = {{1.0, 1.00, 0.80},  {2.0, 0.32, 0.45},  {3.0, 0.14, 0.28},
                                     {4.17, 0.10, 0.18}, {5.43, 0.05, 0.11}, {0.5, 0.08, 0.6}};
const std::vector<Partial> kMarimba = {{1.0, 1.00, 0.42}, {3.93, 0.26, 0.08}, {9.2, 0.07, 0.025}};
const std::vector<Partial> kCelesta = {
    {1.0, 1.00, 0.35}, {2.0, 0.25, 0.18}, {3.0, 0.08, 0.09}, {4.2, 0.05, 0.05}};

Sound Connect(int rate) {  // a call: two-note chime rising a fourth
    Sound s = Blank(rate, 1.45);
    s.Mix(Struck(NoteFrequency(76), 1.25, rate, kChime, 0.003), 0.0, 0.8);
    s.Mix(Struck(NoteFrequency(81), 1.20, rate, kChime, 0.003), 0.17, 0.9);
    Reverb(s, 0.55, 0.4, 0.22);
    FadeEdges(s, 0.002, 0.30);
    return s;
}

Sound Correct(int rate) {  // the cursor reached a legal square: a soft, woody tick
    Sound s = Blank(rate, 0.09);
    Samples tick = Struck(1.0, 0.09, rate,
                          {{1480, 1.0, 0.0075}, {2550, 0.30, 0.004}, {720, 0.35, 0.012}}, 0.0015);
    s.Mix(tick, 0.0);
    FadeEdges(s, 0.0015, 0.02);
    return s;
}

Sound Disconnect(int rate) {  // the peer left: a tone falling away
    Sound s = Blank(rate, 1.05);
    Samples tone = Glide(740, 185, 0.95, rate);
    Samples octave = Glide(1480, 370, 0.95, rate);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] += 0.22 * octave[i];
    AttackRelease(tone, rate, 0.012, 0.35);
    ExpDecay(tone, rate, 0.6);
    s.Mix(tone, 0.0);
    Reverb(s, 0.5, 0.5, 0.18);
    FadeEdges(s, 0.002, 0.12);
    return s;
}

Sound Endgame(int rate) {  // a game or a turn is over: a short rising marimba phrase
    Sound s = Blank(rate, 1.45);
    const int notes[5] = {67, 72, 76, 79, 84};
    const double at[5] = {0.0, 0.10, 0.20, 0.30, 0.44};
    for (int i = 0; i < 5; ++i) {
        double len = i == 4 ? 1.0 : 0.5;
        s.Mix(Struck(NoteFrequency(notes[i]), len, rate, kMarimba, 0.002), at[i],
              i == 4 ? 0.9 : 0.6);
    }
    // The last note is doubled by a soft chord underneath.
    s.Mix(Struck(NoteFrequency(60), 0.95, rate, kChime, 0.01), 0.44, 0.25);
    s.Mix(Struck(NoteFrequency(64), 0.95, rate, kChime, 0.01), 0.44, 0.2);
    Reverb(s, 0.6, 0.45, 0.2);
    FadeEdges(s, 0.002, 0.25);
    return s;
}

Sound Message(int rate) {  // a chat message: two soft bubble pops, the second higher
    Sound s = Blank(rate, 0.62);
    for (int k = 0; k < 2; ++k) {
        double base = k == 0 ? 560 : 840;
        Samples pop = Glide(base, base * 1.6, 0.09, rate);
        AttackRelease(pop, rate, 0.003, 0.03);
        ExpDecay(pop, rate, 0.05);
        s.Mix(pop, 0.13 * k, 0.9);
        s.Mix(Struck(base * 2.0, 0.35, rate, kCelesta, 0.004), 0.13 * k + 0.02, 0.18);
    }
    Reverb(s, 0.45, 0.5, 0.15);
    FadeEdges(s, 0.002, 0.12);
    return s;
}

Sound Move(int rate) {  // an animated move: the disc falls (a breath of air), lands, bounces
    Sound s = Blank(rate, 0.62);
    Samples air = WhiteNoise(0.2, rate, 0xA1E);
    Biquad band = Biquad::BandPass(900, 0.8, rate);
    for (size_t i = 0; i < air.size(); ++i) {
        double t = static_cast<double>(i) / air.size();
        air[i] = band.Run(air[i]) * t * t * 0.10;
    }
    AttackRelease(air, rate, 0.03, 0.01);
    s.Mix(air, 0.0);
    s.Mix(Clack(rate, 1.0), 0.19);
    s.Mix(Clack(rate, 0.6), 0.355, 0.22);
    FadeEdges(s, 0.002, 0.05);
    return s;
}

Sound MoveHint(int rate) {  // the hint: a quick rising sparkle
    Sound s = Blank(rate, 1.0);
    const int notes[4] = {88, 92, 95, 100};
    for (int i = 0; i < 4; ++i)
        s.Mix(Struck(NoteFrequency(notes[i]), 0.6, rate, kCelesta, 0.003), 0.065 * i,
              0.55 + 0.1 * i);
    s.Mix(Struck(NoteFrequency(76), 0.8, rate, kChime, 0.01), 0.0, 0.35);
    Reverb(s, 0.6, 0.35, 0.25);
    FadeEdges(s, 0.002, 0.25);
    return s;
}

Sound StaticMove(int rate) {  // a move without animation: the clack right away
    Sound s = Blank(rate, 0.30);
    s.Mix(Clack(rate, 1.0), 0.003);
    FadeEdges(s, 0.002, 0.05);
    return s;
}

}  // namespace

std::vector<Effect> MakeEffects(int rate) {
    return {
        {"connect.ogg", Connect(rate), 0},       {"correct.ogg", Correct(rate), -6},
        {"disconnect.ogg", Disconnect(rate), 0}, {"endgame.ogg", Endgame(rate), 0},
        {"message.ogg", Message(rate), 0},       {"move.ogg", Move(rate), 0},
        {"movehint.ogg", MoveHint(rate), 0},     {"stmove.ogg", StaticMove(rate), 0},
    };
}

}  // namespace velmora::assets
