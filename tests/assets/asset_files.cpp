#include "asset_files.h"

#include <fstream>
#include <iterator>

namespace velmora::test {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<PixelImage> LoadPicture(const std::string& relative) {
    return LoadImagePixels(SourcePath(relative).string());
}

namespace {
std::uint32_t Big32(const std::vector<std::uint8_t>& b, size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}
std::uint32_t Little32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
           (std::uint32_t{b[at + 3]} << 24);
}
}  // namespace

std::optional<Dimensions> PngDimensions(const std::vector<std::uint8_t>& file) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (file.size() < 33 || !std::equal(kSignature, kSignature + 8, file.begin()))
        return std::nullopt;
    if (file[12] != 'I' || file[13] != 'H' || file[14] != 'D' || file[15] != 'R')
        return std::nullopt;
    return Dimensions{static_cast<int>(Big32(file, 16)), static_cast<int>(Big32(file, 20)),
                      file[24]};
}

std::optional<Dimensions> BmpDimensions(const std::vector<std::uint8_t>& file) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return std::nullopt;
    return Dimensions{static_cast<int>(Little32(file, 18)), static_cast<int>(Little32(file, 22)),
                      file[28] | (file[29] << 8)};
}

}  // namespace velmora::test
