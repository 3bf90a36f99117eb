#pragma once

#include <string>

namespace velmora::testing_audio {

// Writes a mono 22050 Hz sine tone of the given length as Ogg Vorbis.
void WriteToneOgg(const std::string& path, double seconds, double frequency = 440.0);

}  // namespace velmora::testing_audio
