#include "support/image_loader.h"

#include <fstream>
#include <iterator>

#include "support/jpeg_error_trap.h"

namespace velmora {
namespace {

// Larger files cannot hold a picture we would accept anyway.
constexpr std::streamoff kMaxFileBytes = std::streamoff{64} << 20;

std::uint32_t Rgb(unsigned red, unsigned green, unsigned blue) {
    return (red << 16) | (green << 8) | blue;
}

// Adobe's encoders store CMYK inverted (0 = full ink) and mark the file; others store it
// plainly. Either way the result is the usual naive ink-to-light conversion.
std::uint32_t CmykToRgb(const JSAMPLE* ink, bool inverted) {
    unsigned c = ink[0], m = ink[1], y = ink[2], k = ink[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return Rgb(c * k / 255, m * k / 255, y * k / 255);
}

bool DimensionsAcceptable(JDIMENSION width, JDIMENSION height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           std::int64_t{width} * height <= kMaxImagePixels;
}

// Runs the decompressor over `data` into `image`; false on any failure. Kept free of
// objects with destructors between setjmp and the library calls (see JpegErrorTrap).
bool Decompress(std::span<const std::uint8_t> data, PixelImage& image, std::vector<JSAMPLE>& row) {
    jpeg_decompress_struct info{};
    JpegErrorTrap trap;
    info.err = trap.Install();
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK ||
        !DimensionsAcceptable(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }

    switch (info.jpeg_color_space) {
        case JCS_GRAYSCALE:
            info.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_YCbCr:
        case JCS_RGB:
            info.out_color_space = JCS_RGB;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info.out_color_space = JCS_CMYK;
            break;
        default:
            jpeg_destroy_decompress(&info);
            return false;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const int components = info.output_components;
    const bool inverted_cmyk = info.saw_Adobe_marker;
    if (!DimensionsAcceptable(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    row.resize(static_cast<std::size_t>(width) * components);

    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            break;
        }
        std::uint32_t* out = image.pixels.data() + static_cast<std::size_t>(height - 1 - y) * width;
        const JSAMPLE* in = row.data();
        for (int x = 0; x < width; ++x, in += components) {
            switch (components) {
                case 1:
                    out[x] = Rgb(in[0], in[0], in[0]);
                    break;
                case 3:
                    out[x] = Rgb(in[0], in[1], in[2]);
                    break;
                default:
                    out[x] = CmykToRgb(in, inverted_cmyk);
                    break;
            }
        }
    }
    const bool complete = info.output_scanline == info.output_height;
    if (complete) {
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return complete && !trap.premature_end;
}

}  // namespace

std::optional<PixelImage> LoadImagePixelsFromMemory(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        return std::nullopt;
    }
    PixelImage image;
    std::vector<JSAMPLE> row;
    if (!Decompress(data, image, row)) {
        return std::nullopt;
    }
    return image;
}

std::optional<PixelImage> LoadImagePixels(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt;
    }
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kMaxFileBytes) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return std::nullopt;
    }
    return LoadImagePixelsFromMemory(bytes);
}

}  // namespace velmora
