#pragma once

#include <string>
#include <vector>

namespace velmora::assets {

enum class Voice { Pad, Bass, Accompaniment, Melody, Counter };
enum class Timbre { Pad, ElectricPiano, Harp, DarkPluck, Flute, Celesta, Marimba, SoftSine };

// One note of a piece, in beats from the start.
struct NoteEvent {
    double start;
    double length;
    int midi;
    double velocity;  // 0..1
    Voice voice;
};

// How a piece is built: key and mode, tempo and metre, the chord of every bar of its
// sections, and which timbre plays each voice.
struct PieceStyle {
    std::string title;
    std::string file;
    unsigned long long seed;
    int tonic;            // MIDI note of the key's tonic in the melody's octave
    int melodyShift = 0;  // semitones the melody is played above its written octave
    int melodyLow = -3;   // the melody's range in scale degrees from the tonic
    int melodyHigh = 8;
    std::vector<int> mode;  // semitone steps of the scale from the tonic (7 entries)
    double bpm;
    int beatsPerBar;
    std::vector<std::vector<int>>
        sections;           // per section: the scale degree (0-based) of each bar's chord
    std::vector<int> form;  // the order in which the sections are played
    int introBars;
    Timbre pad, bass, accompaniment, melody, counter;
    bool waltz;  // accompaniment as bass-chord-chord instead of broken chords
};

struct Score {
    std::vector<NoteEvent> notes;
    double totalBeats;
};

// Composes a piece: an intro of pad and accompaniment, then the sections with a melody
// built from a two-bar motif that is repeated, moved to fit each chord and varied, with
// cadences at the section ends, and a closing tonic chord.
Score Compose(const PieceStyle& style);

}  // namespace velmora::assets
