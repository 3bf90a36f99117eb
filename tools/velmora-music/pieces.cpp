#include "pieces.h"

namespace velmora::assets {

namespace {
const std::vector<int> kMajor = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
}  // namespace

std::vector<PieceStyle> Pieces() {
    std::vector<PieceStyle> pieces;
    {
        // Electric piano over harp, F major, an unhurried four.
        PieceStyle p;
        p.title = "Янтарный вечер";
        p.file = "amber_evening.ogg";
        p.seed = 0xA3B1E5;
        p.tonic = 65;
        p.mode = kMajor;
        p.bpm = 76;
        p.beatsPerBar = 4;
        p.sections = {{0, 5, 3, 4, 0, 5, 1, 4}, {3, 4, 2, 5, 3, 1, 4, 0}};
        p.form = {0, 0, 1, 0};
        p.introBars = 2;
        p.pad = Timbre::Pad;
        p.bass = Timbre::DarkPluck;
        p.accompaniment = Timbre::Harp;
        p.melody = Timbre::ElectricPiano;
        p.counter = Timbre::ElectricPiano;
        p.waltz = false;
        pieces.push_back(p);
    }
    {
        // A flute waltz in D dorian with harp chords.
        PieceStyle p;
        p.title = "Вальс у окна";
        p.file = "window_waltz.ogg";
        p.seed = 0x3A17E2;
        p.tonic = 62;
        p.melodyShift = 12;  // the flute sings an octave up, within about an octave
        p.melodyLow = -4;
        p.melodyHigh = 4;
        p.mode = kDorian;
        p.bpm = 100;
        p.beatsPerBar = 3;
        p.sections = {{0, 3, 6, 2, 0, 3, 6, 0}, {2, 6, 3, 0, 2, 6, 4, 0}};
        p.form = {0, 0, 1, 0, 1, 0};
        p.introBars = 4;
        p.pad = Timbre::Pad;
        p.bass = Timbre::DarkPluck;
        p.accompaniment = Timbre::Harp;
        p.melody = Timbre::Flute;
        p.counter = Timbre::Celesta;
        p.waltz = true;
        pieces.push_back(p);
    }
    {
        // Marimba figures and a celesta tune, E-flat major, slow.
        PieceStyle p;
        p.title = "Зелёный сад";
        p.file = "green_garden.ogg";
        p.seed = 0x6A2DE7;
        p.tonic = 63;
        p.mode = kMajor;
        p.bpm = 66;
        p.beatsPerBar = 4;
        p.sections = {{0, 3, 0, 3, 5, 3, 1, 4}, {3, 4, 5, 2, 3, 4, 0, 0}};
        p.form = {0, 0, 1, 0};
        p.introBars = 4;
        p.pad = Timbre::Pad;
        p.bass = Timbre::SoftSine;
        p.accompaniment = Timbre::Marimba;
        p.melody = Timbre::Celesta;
        p.counter = Timbre::Flute;
        p.waltz = false;
        pieces.push_back(p);
    }
    return pieces;
}

}  // namespace velmora::assets
