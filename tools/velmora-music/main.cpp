// Composes and renders the background music of DATA/MUSIC as Ogg Vorbis files.
#include <cstdio>
#include <string>

#include "pieces.h"
#include "render.h"

using namespace velmora::assets;

namespace {
constexpr int kRate = 44100;
constexpr double kLoudness = -19.0;  // LUFS over the whole piece
constexpr double kCeiling = -1.0;    // dBFS
constexpr double kQuality = 0.3;
void PrintScore(const PieceStyle& piece, const Score& score) {
    static const char* kNames[12] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                     "F#", "G",  "Ab", "A",  "Bb", "B"};
    std::printf("%s\n", piece.file.c_str());
    int bar = -1;
    for (const NoteEvent& n : score.notes) {
        if (n.voice != Voice::Melody && n.voice != Voice::Bass)
            continue;
        int b = static_cast<int>(n.start / piece.beatsPerBar);
        if (b != bar)
            std::printf("\n%3d |", b);
        bar = b;
        std::printf(" %s%s%d/%.1f", n.voice == Voice::Bass ? "_" : "", kNames[n.midi % 12],
                    n.midi / 12 - 1, n.length);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-music OUTDIR [--score]\n");
        return 2;
    }
    std::string out = argv[1];
    bool listScore = argc > 2 && std::string(argv[2]) == "--score";
    for (const PieceStyle& piece : Pieces()) {
        Score score = Compose(piece);
        if (listScore) {
            PrintScore(piece, score);
            continue;
        }
        Sound sound = Render(piece, score, kRate);
        Gain(sound, kLoudness - IntegratedLoudness(sound));
        if (PeakDb(sound) > kCeiling)
            Gain(sound, kCeiling - PeakDb(sound));
        std::string path = out + "/" + piece.file;
        if (!WriteOggVorbis(path, sound, kQuality, piece.title)) {
            std::fprintf(stderr, "velmora-music: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%-20s %zu notes  %.1f s  %.1f LUFS  peak %.1f dBFS\n", piece.file.c_str(),
                    score.notes.size(), sound.Seconds(), IntegratedLoudness(sound), PeakDb(sound));
    }
    return 0;
}
