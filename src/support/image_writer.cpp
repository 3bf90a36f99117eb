#include "support/image_writer.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "support/jpeg_error_trap.h"

namespace velmora {
namespace {

bool Compress(const PixelImage& image, int quality, std::vector<JSAMPLE>& row,
              unsigned char*& buffer, unsigned long& size) {
    jpeg_compress_struct info{};
    JpegErrorTrap trap;
    info.err = trap.Install();
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution colour: skin sprites have sharp coloured edges that 4:2:0 smears.
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        const std::uint32_t* in =
            image.pixels.data() + static_cast<std::size_t>(image.height - 1 - y) * image.width;
        for (int x = 0; x < image.width; ++x) {
            row[3 * x] = static_cast<JSAMPLE>(in[x] >> 16);
            row[3 * x + 1] = static_cast<JSAMPLE>(in[x] >> 8);
            row[3 * x + 2] = static_cast<JSAMPLE>(in[x]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeJpeg(const PixelImage& image, int quality) {
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxImageSide ||
        image.height > kMaxImageSide ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        return std::nullopt;
    }
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width) * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Compress(image, std::clamp(quality, 1, 100), row, buffer, size);
    std::optional<std::vector<std::uint8_t>> result;
    if (ok && buffer != nullptr) {
        result.emplace(buffer, buffer + size);
    }
    std::free(buffer);  // jpeg_mem_dest allocates with malloc
    return result;
}

bool SaveJpeg(const std::string& path, const PixelImage& image, int quality) {
    const auto bytes = EncodeJpeg(image, quality);
    if (!bytes) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes->data()),
               static_cast<std::streamsize>(bytes->size()));
    return static_cast<bool>(file.flush());
}

}  // namespace velmora
