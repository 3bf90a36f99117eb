#pragma once

#include <string>
#include <vector>

namespace velmora::assets {

// A sound being made: one or two channels of float samples at `rate` Hz.
struct Sound {
    int rate = 44100;
    std::vector<std::vector<double>> channels;

    Sound(int sampleRate, int channelCount, double seconds);
    size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
    double Seconds() const { return static_cast<double>(Frames()) / rate; }
    // Adds `mono` (scaled by gain and panned, -1 left .. 1 right) starting at `at` seconds.
    void Mix(const std::vector<double>& mono, double at, double gain = 1.0, double pan = 0.0);
};

// Raised-cosine fades at both ends, so no playback starts or stops with a click.
void FadeEdges(Sound& s, double fadeIn, double fadeOut);
// Cuts the sound after its last sample louder than `floorDb` (plus a short margin).
void TrimTail(Sound& s, double floorDb);
// Highest momentary loudness (ITU-R BS.1770 K-weighting, 400 ms windows) in LUFS.
double MomentaryLoudness(const Sound& s);
// Loudness over the whole sound (ungated BS.1770), in LUFS.
double IntegratedLoudness(const Sound& s);
double PeakDb(const Sound& s);
void Gain(Sound& s, double db);
// Scales to `targetLufs` momentary loudness, then lowers it if its peak would pass `ceilingDb`.
void Normalise(Sound& s, double targetLufs, double ceilingDb);

// Ogg Vorbis at a VBR quality (-0.1 .. 1); a fixed stream serial keeps the file reproducible.
bool WriteOggVorbis(const std::string& path, const Sound& s, double quality,
                    const std::string& title);

}  // namespace velmora::assets
