// velmora-lzh: packs a file into the program's LZH resource layout (4-byte little-endian
// size, then the bit stream) and unpacks one through the program's own decoder.
//
//   velmora-lzh pack IN OUT
//   velmora-lzh unpack IN OUT

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/packed_resource.h"

namespace velmora {
namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

int Usage() {
    std::cerr << "usage: velmora-lzh pack IN OUT\n"
                 "       velmora-lzh unpack IN OUT\n";
    return 2;
}

int Run(int argc, char** argv) {
    if (argc != 4) {
        return Usage();
    }
    const std::string command = argv[1];
    if (command != "pack" && command != "unpack") {
        return Usage();
    }
    const auto input = ReadFile(argv[2]);
    if (!input) {
        std::cerr << "velmora-lzh: cannot read " << argv[2] << "\n";
        return 1;
    }
    std::vector<std::uint8_t> output;
    if (command == "pack") {
        if (input->size() > kMaxUnpackedBytes) {
            std::cerr << "velmora-lzh: " << argv[2] << " is larger than a resource may be\n";
            return 1;
        }
        output = PackResource(*input);
    } else {
        auto unpacked = UnpackResource(*input);
        if (!unpacked) {
            std::cerr << "velmora-lzh: " << argv[2] << " is not a packed resource\n";
            return 1;
        }
        output = std::move(*unpacked);
    }
    if (!WriteFile(argv[3], output)) {
        std::cerr << "velmora-lzh: cannot write " << argv[3] << "\n";
        return 1;
    }
    std::cout << input->size() << " -> " << output.size() << " bytes\n";
    return 0;
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    return velmora::Run(argc, argv);
}
