// Synthesises the eight sound effects of the DATA folder as Ogg Vorbis files.
#include <cstdio>
#include <string>

#include "effects.h"

using namespace velmora::assets;

namespace {
constexpr int kRate = 44100;
constexpr double kLoudness = -20.0;  // LUFS, momentary maximum of every effect
constexpr double kCeiling = -1.0;    // dBFS
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora-sounds OUTDIR [--wav DIR]\n");
        return 2;
    }
    std::string out = argv[1];
    for (Effect& e : MakeEffects(kRate)) {
        Normalise(e.sound, kLoudness + e.loudnessOffset, kCeiling);
        std::string path = out + "/" + e.file;
        if (!WriteOggVorbis(path, e.sound, 0.5, e.file.substr(0, e.file.size() - 4))) {
            std::fprintf(stderr, "velmora-sounds: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%-15s %.2f s  %.1f LUFS  peak %.1f dBFS\n", e.file.c_str(), e.sound.Seconds(),
                    MomentaryLoudness(e.sound), PeakDb(e.sound));
    }
    return 0;
}
