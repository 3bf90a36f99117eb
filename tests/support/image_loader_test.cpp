#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "support/image_loader.h"
#include "support/image_writer.h"
#include "support/jpeg_error_trap.h"

namespace velmora {
namespace {

using Bytes = std::vector<std::uint8_t>;

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    EXPECT_EQ(actual >> 24, 0u) << std::hex << actual;
    for (const int shift : {0, 8, 16}) {
        EXPECT_NEAR(int(actual >> shift & 0xFF), int(expected >> shift & 0xFF), tolerance)
            << std::hex << "actual " << actual << " expected " << expected;
    }
}

// Compresses raw top-down samples of the given colour space with libjpeg itself.
Bytes CompressRaw(const Bytes& samples, int width, int height, J_COLOR_SPACE space,
                  int components) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);  // the samples are valid: any error ends the test
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c) {  // no chroma subsampling
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) +
                       static_cast<std::size_t>(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// 3 x 2 pictures in each colour space the loader takes; samples top row first, the expected pixels
// bottom row first.
TEST(ImageLoaderTest, EachColourSpaceLandsBottomUpAsRgb) {
    struct Case {
        J_COLOR_SPACE space;
        int components, tolerance;
        Bytes samples;
        std::uint32_t expected[6];
    };
    // clang-format off
    const Case cases[] = {
        {JCS_RGB, 3, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128},
         {0xFFFFFF, 0x000000, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF}},
        {JCS_GRAYSCALE, 1, 3, {0, 128, 255, 255, 128, 0},
         {0xFFFFFF, 0x808080, 0x000000, 0x000000, 0x808080, 0xFFFFFF}},
        // Stored the Adobe way (inverted ink), which libjpeg marks when it writes CMYK: no ink,
        // full cyan, full black.
        {JCS_CMYK, 4, 4, {255, 255, 255, 255, 0, 255, 255, 255, 255, 255, 255, 0,
                          255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
         {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x00FFFF, 0x000000}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto image =
            LoadImagePixelsFromMemory(CompressRaw(c.samples, 3, 2, c.space, c.components));
        ASSERT_TRUE(image.has_value()) << c.space;
        EXPECT_EQ(image->width, 3);
        EXPECT_EQ(image->height, 2);
        ASSERT_EQ(image->pixels.size(), 6u);
        for (int i = 0; i < 6; ++i) {
            ExpectNear(image->pixels[i], c.expected[i], c.tolerance);
        }
    }
}

TEST(ImageLoaderTest, WriterAndLoaderRoundTripAFlatPictureThroughAFile) {
    const std::string path = std::string(VELMORA_BINARY_DIR) + "/test-image-loader-flat.jpg";
    ASSERT_TRUE(
        SaveJpeg(path, PixelImage{17, 9, std::vector<std::uint32_t>(17 * 9, 0x3366CC)}, 100));
    const auto back = LoadImagePixels(path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, 17);
    EXPECT_EQ(back->height, 9);
    for (const std::uint32_t pixel : back->pixels) {
        ExpectNear(pixel, 0x3366CC, 2);
    }
    EXPECT_FALSE(EncodeJpeg(PixelImage{}).has_value());
    EXPECT_FALSE(EncodeJpeg(PixelImage{4, 4, std::vector<std::uint32_t>(15)}).has_value());
}

TEST(ImageLoaderTest, MissingCutCorruptAndAbsurdFilesGiveNothing) {
    const std::filesystem::path dir = std::string(VELMORA_BINARY_DIR) + "/test-image-loader";
    std::filesystem::create_directories(dir);
    EXPECT_FALSE(LoadImagePixels((dir / "absent.jpg").string()).has_value());
    EXPECT_FALSE(LoadImagePixels(dir.string()).has_value()) << "a folder is no picture";

    // A picture big enough that a cut lands in its entropy-coded data.
    PixelImage big{64, 64, std::vector<std::uint32_t>(64 * 64)};
    std::mt19937 random(7);
    for (auto& pixel : big.pixels) {
        pixel = random() & 0xFFFFFF;
    }
    const Bytes whole = EncodeJpeg(big, 95).value_or(Bytes{});
    ASSERT_TRUE(LoadImagePixelsFromMemory(whole).has_value());
    // Cut in its header, its tables, its entropy-coded data and before its end marker; noise,
    // and noise behind a start marker; a frame header patched to claim 60000 x 60000.
    std::vector<Bytes> hostile;
    for (const std::size_t keep :
         {std::size_t{2}, std::size_t{100}, whole.size() / 2, whole.size() - 2}) {
        hostile.emplace_back(whole.begin(), whole.begin() + static_cast<long>(keep));
    }
    Bytes noise(5000);
    for (auto& byte : noise) {
        byte = static_cast<std::uint8_t>(random());
    }
    hostile.push_back(noise);
    noise[0] = noise[2] = 0xFF;
    noise[1] = 0xD8;
    hostile.push_back(noise);
    Bytes absurd = CompressRaw(Bytes(3 * 2 * 3, 50), 3, 2, JCS_RGB, 3);
    for (std::size_t i = 0; i + 8 < absurd.size() && hostile.size() == 6; ++i) {
        if (absurd[i] == 0xFF && absurd[i + 1] == 0xC0) {
            absurd[i + 5] = absurd[i + 7] = 0xEA;
            absurd[i + 6] = absurd[i + 8] = 0x60;
            hostile.push_back(absurd);
        }
    }
    ASSERT_EQ(hostile.size(), 7u);
    for (std::size_t i = 0; i < hostile.size(); ++i) {
        EXPECT_FALSE(LoadImagePixelsFromMemory(hostile[i]).has_value()) << i;
    }
    // The file path takes the same road.
    std::ofstream(dir / "cut.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), 1000);
    EXPECT_FALSE(LoadImagePixels((dir / "cut.jpg").string()).has_value());
}

}  // namespace
}  // namespace velmora
