#include "score.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "assetkit/rng.h"

namespace velmora::assets {

namespace {

struct RhythmNote {
    double start;  // beats from the phrase start
    double length;
    int offset;  // scale steps from the phrase's first note
};
using Motif = std::vector<RhythmNote>;

// Bar-long rhythm cells; the last ones end on a long note, for phrase ends.
const std::vector<std::vector<double>> kCells4 = {{2, 1, 1},        {1, 1, 2},        {1.5, 0.5, 2},
                                                  {1, 0.5, 0.5, 2}, {0.5, 0.5, 1, 2}, {1, 1, 1, 1},
                                                  {1.5, 0.5, 1, 1}};
const std::vector<std::vector<double>> kEnds4 = {{3, 1}, {2, 2}, {1, 3}, {4}};
const std::vector<std::vector<double>> kCells3 = {
    {2, 1}, {1, 1, 1}, {1.5, 0.5, 1}, {1, 0.5, 0.5, 1}};
const std::vector<std::vector<double>> kEnds3 = {{3}, {1, 2}, {2, 1}};

class Composer {
  public:
    explicit Composer(const PieceStyle& style) : s_(style), rng_(style.seed) {}

    Score Run();

  private:
    int Midi(int degree) const {
        int octave = static_cast<int>(std::floor(degree / 7.0));
        int idx = degree - 7 * octave;
        return s_.tonic + 12 * octave + s_.mode[idx];
    }
    bool IsChordTone(int degree, int root) const {
        int d = ((degree - root) % 7 + 7) % 7;
        return d == 0 || d == 2 || d == 4;
    }
    // The chord tone nearest to `degree`; of two as near, the one nearer to `towards`.
    int NearestChordTone(int degree, int root, int towards) const {
        for (int k = 0; k < 4; ++k) {
            bool down = IsChordTone(degree - k, root), up = IsChordTone(degree + k, root);
            if (down && up)
                return std::abs(degree - k - towards) <= std::abs(degree + k - towards)
                           ? degree - k
                           : degree + k;
            if (down)
                return degree - k;
            if (up)
                return degree + k;
        }
        return degree;
    }
    const std::vector<std::vector<double>>& Cells() const {
        return s_.beatsPerBar == 3 ? kCells3 : kCells4;
    }
    const std::vector<std::vector<double>>& Ends() const {
        return s_.beatsPerBar == 3 ? kEnds3 : kEnds4;
    }

    Motif MakeMotif();
    Motif Vary(const Motif& m, bool endLong);
    void PlayPhrase(const Motif& m, double at, const std::vector<int>& chords, size_t firstBar,
                    bool counter);
    void Accompany(double at, int root, double velocity);
    void Bar(double at, int root, int lastRoot, bool bass, double padVelocity);

    const PieceStyle& s_;
    Rng rng_;
    std::vector<NoteEvent> notes_;
    int lastDegree_ = 2;
    std::vector<int> padVoicing_;
};

Motif Composer::MakeMotif() {
    Motif m;
    const auto& cells = Cells();
    const auto& ends = Ends();
    std::vector<double> bar1 = cells[rng_.Below(static_cast<int>(cells.size()))];
    std::vector<double> bar2 = ends[rng_.Below(static_cast<int>(ends.size()))];
    // The second bar often starts with a pickup of shorter notes, as in a sung line.
    if (rng_.Chance(0.5) && bar2.size() == 1)
        bar2 = {static_cast<double>(s_.beatsPerBar) - 1, 1};
    int offset = 0;
    double t = 0;
    // Mostly steps, now and then a third or a fourth, and after a leap a step back: a line
    // one could sing.
    static const int kSteps[] = {1, 1, 1, 2, 1, 2, 3, 1};
    int direction = rng_.Chance(0.5) ? 1 : -1;
    int lastStep = 0;
    for (int b = 0; b < 2; ++b)
        for (double len : (b == 0 ? bar1 : bar2)) {
            m.push_back({t, len, offset});
            t += len;
            int step;
            if (std::abs(lastStep) >= 2) {
                step = lastStep > 0 ? -1 : 1;
            } else {
                step = kSteps[rng_.Below(static_cast<int>(std::size(kSteps)))];
                if (rng_.Chance(0.25))
                    direction = -direction;
                step *= direction;
            }
            if (std::abs(offset + step) > 4)
                step = -step;
            offset += step;
            lastStep = step;
        }
    return m;
}

Motif Composer::Vary(const Motif& m, bool endLong) {
    Motif v = m;
    // Keep the first bar, rework the second: new cell and a fresh turn of the contour.
    const double bar = s_.beatsPerBar;
    v.erase(std::remove_if(v.begin(), v.end(), [&](const RhythmNote& n) { return n.start >= bar; }),
            v.end());
    const auto& pool = endLong ? Ends() : Cells();
    std::vector<double> cell = pool[rng_.Below(static_cast<int>(pool.size()))];
    int offset = v.empty() ? 0 : v.back().offset;
    double t = bar;
    for (double len : cell) {
        offset += rng_.Chance(0.5) ? (rng_.Chance(0.5) ? 1 : -1) : (rng_.Chance(0.5) ? 2 : -2);
        v.push_back({t, len, offset});
        t += len;
    }
    return v;
}

void Composer::PlayPhrase(const Motif& m, double at, const std::vector<int>& chords,
                          size_t firstBar, bool counter) {
    const double bar = s_.beatsPerBar;
    auto chordAt = [&](double t) {
        size_t idx = firstBar + static_cast<size_t>(t / bar);
        return chords[std::min(idx, chords.size() - 1)];
    };
    // Start on the chord tone nearest to where the last phrase ended, so lines connect.
    int start = NearestChordTone(lastDegree_ + (rng_.Chance(0.3) ? (rng_.Chance(0.5) ? 2 : -2) : 0),
                                 chordAt(0), lastDegree_);
    int lo = 100, hi = -100;
    for (const auto& n : m) {
        lo = std::min(lo, start + n.offset);
        hi = std::max(hi, start + n.offset);
    }
    // The melody keeps to about an octave and a half above the tonic's octave floor.
    while (lo < s_.melodyLow) {
        start += 2;
        lo += 2;
        hi += 2;
    }
    while (hi > s_.melodyHigh) {
        start -= 2;
        hi -= 2;
    }
    int previous = lastDegree_;
    for (size_t i = 0; i < m.size(); ++i) {
        const RhythmNote& n = m[i];
        int root = chordAt(n.start);
        int degree = start + n.offset;
        double inBar = std::fmod(n.start, bar);
        bool strong = inBar < 1e-9 || (s_.beatsPerBar == 4 && std::fabs(inBar - 2) < 1e-9);
        if (strong || n.length >= 2) {
            degree = NearestChordTone(degree, root, previous);
            // A snapped note that only repeats the last one moves on to the next chord tone.
            if (i > 0 && degree == previous) {
                int dir = n.offset >= m[i - 1].offset ? 1 : -1;
                degree = NearestChordTone(degree + 2 * dir, root, degree + 2 * dir);
            }
        }
        previous = degree;
        bool last = i + 1 == m.size();
        double vel = (strong ? 0.78 : 0.66) + rng_.Range(-0.06, 0.06);
        double jitter = rng_.Range(-0.015, 0.015);
        double length = n.length * (last ? 1.0 : 0.92);
        notes_.push_back({at + n.start + (n.start > 0 ? jitter : 0), length,
                          Midi(degree) + s_.melodyShift, vel, Voice::Melody});
        if (counter && n.length >= 1.5) {
            // A third or a sixth below on the long notes, quieter.
            int below = degree - (rng_.Chance(0.6) ? 2 : 5);
            notes_.push_back({at + n.start + 0.02, length, Midi(below) + s_.melodyShift, vel * 0.55,
                              Voice::Counter});
        }
        lastDegree_ = degree;
    }
}

void Composer::Accompany(double at, int root, double velocity) {
    // The accompaniment sits an octave or two under the melody.
    const int low = s_.waltz ? root - 7 : root - 14;
    if (s_.waltz) {
        for (int beat = 1; beat < 3; ++beat)
            for (int k : {2, 4, 7}) {
                notes_.push_back({at + beat + 0.01 * k, 0.9, Midi(low + k),
                                  velocity * (beat == 1 ? 0.8 : 0.65), Voice::Accompaniment});
            }
        return;
    }
    static const int kPattern[8] = {0, 4, 7, 9, 11, 9, 7, 4};
    int steps = s_.beatsPerBar * 2;
    for (int i = 0; i < steps; ++i) {
        double accent = i % 2 == 0 ? 1.0 : 0.8;
        notes_.push_back({at + 0.5 * i, 1.4, Midi(low + kPattern[i % 8]), velocity * accent,
                          Voice::Accompaniment});
    }
}

void Composer::Bar(double at, int root, int lastRoot, bool bass, double padVelocity) {
    const double bar = s_.beatsPerBar;
    // Pad: the chord (with its seventh for colour) voiced close to the previous one.
    std::vector<int> chord;
    for (int k : {0, 2, 4, 6})
        chord.push_back(Midi(root + k - 7));
    std::vector<int> voicing;
    for (int pitch : chord) {
        int target =
            padVoicing_.empty() ? s_.tonic - 5 : padVoicing_[voicing.size() % padVoicing_.size()];
        int best = pitch;
        for (int o = -24; o <= 24; o += 12)
            if (std::abs(pitch + o - target) < std::abs(best - target))
                best = pitch + o;
        voicing.push_back(best);
    }
    std::sort(voicing.begin(), voicing.end());
    for (size_t i = 0; i < voicing.size(); ++i) {
        double v = padVelocity * (i == 3 ? 0.6 : 1.0);  // the seventh only tints
        notes_.push_back({at, bar + 0.35, voicing[i], v, Voice::Pad});
    }
    padVoicing_ = voicing;
    if (bass) {
        int note = Midi(root - 14);
        while (note > s_.tonic - 17)
            note -= 12;
        while (note < s_.tonic - 29)
            note += 12;
        if (s_.beatsPerBar == 4 && root != lastRoot && rng_.Chance(0.4)) {
            notes_.push_back({at, 2.0, note, 0.8, Voice::Bass});
            notes_.push_back({at + 2, 2.0, note + 7, 0.65, Voice::Bass});
        } else {
            notes_.push_back({at, bar, note, 0.8, Voice::Bass});
        }
    }
}

Score Composer::Run() {
    const double bar = s_.beatsPerBar;
    double t = 0;
    // Intro: the first chords of the piece, pad and accompaniment only, growing in.
    const auto& first = s_.sections[s_.form[0]];
    int lastRoot = -1;
    for (int b = 0; b < s_.introBars; ++b) {
        int root = first[b % first.size()];
        double grow = 0.45 + 0.4 * b / std::max(1, s_.introBars - 1);
        Bar(t, root, lastRoot, b >= s_.introBars / 2, 0.55 * grow + 0.2);
        Accompany(t, root, 0.5 * grow);
        lastRoot = root;
        t += bar;
    }
    std::map<int, Motif> motifs;
    std::map<int, int> plays;
    for (size_t si = 0; si < s_.form.size(); ++si) {
        int id = s_.form[si];
        const std::vector<int>& chords = s_.sections[id];
        if (!motifs.count(id))
            motifs[id] = MakeMotif();
        int play = plays[id]++;
        const Motif& motif = motifs[id];
        for (size_t b = 0; b < chords.size(); ++b) {
            Bar(t + b * bar, chords[b], lastRoot, true, 0.62);
            Accompany(t + b * bar, chords[b], 0.55 + 0.1 * (play > 0));
            lastRoot = chords[b];
        }
        // Four phrases of two bars: statement, answer, statement, cadence.
        for (size_t b = 0; b + 1 < chords.size(); b += 2) {
            int phrase = static_cast<int>(b / 2);
            bool cadence = b + 2 >= chords.size();
            Motif m = motif;
            if (phrase % 2 == 1 || play > 0)
                m = Vary(motif, cadence);
            if (cadence) {
                m = Vary(motif, true);
                // End on the root of the final chord.
                m.back().offset = 0;
                lastDegree_ = chords.back();
            }
            bool counter = play > 0 && phrase % 2 == 0;
            PlayPhrase(m, t + b * bar, chords, b, counter);
            if (cadence) {
                NoteEvent& end = notes_.back();
                int root = chords.back();
                int degree = root;
                while (Midi(degree) < s_.tonic - 2)
                    degree += 7;
                while (Midi(degree) > s_.tonic + 12)
                    degree -= 7;
                end.midi = Midi(degree) + s_.melodyShift;
                lastDegree_ = degree;
            }
        }
        t += chords.size() * bar;
    }
    // Close on the tonic: two bars of the tonic chord under a long tonic note.
    Bar(t, 0, lastRoot, true, 0.5);
    padVoicing_.clear();
    notes_.push_back({t, bar * 2, s_.tonic + s_.melodyShift, 0.6, Voice::Melody});
    notes_.push_back({t + bar, bar, s_.tonic - 12, 0.5, Voice::Bass});
    t += bar * 2;
    std::sort(notes_.begin(), notes_.end(),
              [](const NoteEvent& a, const NoteEvent& b) { return a.start < b.start; });
    return {notes_, t + bar * 2};
}

}  // namespace

Score Compose(const PieceStyle& style) {
    return Composer(style).Run();
}

}  // namespace velmora::assets
