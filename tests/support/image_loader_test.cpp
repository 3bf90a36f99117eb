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

namespace fs = std::filesystem;

int Channel(std::uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    EXPECT_EQ(actual >> 24, 0u) << std::hex << actual;
    for (const int shift : {0, 8, 16}) {
        EXPECT_NEAR(Channel(actual, shift), Channel(expected, shift), tolerance)
            << std::hex << "actual " << actual << " expected " << expected;
    }
}

// Compresses raw top-down samples of the given colour space with libjpeg itself.
std::vector<std::uint8_t> CompressRaw(const std::vector<std::uint8_t>& samples, int width,
                                      int height, J_COLOR_SPACE space, int components) {
    jpeg_compress_struct info{};
    JpegErrorTrap trap;
    info.err = trap.Install();
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        ADD_FAILURE() << "libjpeg refused to compress";
        return {};
    }
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
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// A 3 x 2 picture, top row red, green, blue; bottom row white, black, mid grey.
constexpr std::uint32_t kTopRow[3] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr std::uint32_t kBottomRow[3] = {0xFFFFFF, 0x000000, 0x808080};

std::vector<std::uint8_t> ThreeByTwoJpeg() {
    std::vector<std::uint8_t> rgb;
    for (const auto* line : {kTopRow, kBottomRow}) {
        for (int x = 0; x < 3; ++x) {
            rgb.push_back(static_cast<std::uint8_t>(line[x] >> 16));
            rgb.push_back(static_cast<std::uint8_t>(line[x] >> 8));
            rgb.push_back(static_cast<std::uint8_t>(line[x]));
        }
    }
    return CompressRaw(rgb, 3, 2, JCS_RGB, 3);
}

class ImageFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(VELMORA_BINARY_DIR) / "test-image-loader" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    fs::path dir_;
};

TEST_F(ImageFileTest, ThreeByTwoPictureLandsBottomUp) {
    const auto image = LoadImagePixels(Write("small.jpg", ThreeByTwoJpeg()));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    ASSERT_EQ(image->pixels.size(), 6u);
    for (int x = 0; x < 3; ++x) {
        ExpectNear(image->pixels[x], kBottomRow[x], 8);
        ExpectNear(image->pixels[3 + x], kTopRow[x], 8);
    }
}

TEST_F(ImageFileTest, MissingTruncatedAndGarbageFilesGiveNothing) {
    EXPECT_FALSE(LoadImagePixels((dir_ / "absent.jpg").string()).has_value());
    EXPECT_FALSE(LoadImagePixels(dir_.string()).has_value()) << "a folder is no picture";
    EXPECT_FALSE(LoadImagePixels(Write("empty.jpg", {})).has_value());

    // A picture big enough that a cut lands in its entropy-coded data.
    PixelImage big{64, 64, std::vector<std::uint32_t>(64 * 64)};
    std::mt19937 random(7);
    for (auto& pixel : big.pixels) {
        pixel = random() & 0xFFFFFF;
    }
    const auto whole = EncodeJpeg(big, 95);
    ASSERT_TRUE(whole.has_value());
    ASSERT_TRUE(LoadImagePixelsFromMemory(*whole).has_value());
    for (const std::size_t keep :
         {std::size_t{2}, std::size_t{100}, whole->size() / 2, whole->size() - 2}) {
        const std::vector<std::uint8_t> cut(whole->begin(), whole->begin() + keep);
        EXPECT_FALSE(LoadImagePixels(Write("cut.jpg", cut)).has_value()) << keep;
    }

    std::vector<std::uint8_t> garbage(5000);
    for (auto& byte : garbage) {
        byte = static_cast<std::uint8_t>(random());
    }
    EXPECT_FALSE(LoadImagePixels(Write("garbage.jpg", garbage)).has_value());
    // A JPEG start marker followed by noise.
    garbage[0] = 0xFF;
    garbage[1] = 0xD8;
    garbage[2] = 0xFF;
    EXPECT_FALSE(LoadImagePixelsFromMemory(garbage).has_value());
}

TEST(ImageLoaderTest, GreyscalePicturesBecomeGreyPixels) {
    const std::vector<std::uint8_t> grey = {0, 128, 255, 255, 128, 0};  // top row first
    const auto image = LoadImagePixelsFromMemory(CompressRaw(grey, 3, 2, JCS_GRAYSCALE, 1));
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->pixels.size(), 6u);
    for (int x = 0; x < 3; ++x) {
        const std::uint32_t top = grey[x] * 0x010101u;
        const std::uint32_t bottom = grey[3 + x] * 0x010101u;
        ExpectNear(image->pixels[3 + x], top, 3);
        ExpectNear(image->pixels[x], bottom, 3);
    }
}

TEST(ImageLoaderTest, CmykPicturesAreConverted) {
    // Stored the Adobe way (inverted ink), which libjpeg marks when it writes CMYK.
    const std::vector<std::uint8_t> ink = {255, 255, 255, 255,  // no ink: white
                                           0,   255, 255, 255,  // full cyan: no red
                                           255, 255, 255, 0,    // full black
                                           255, 255, 255, 255, 255, 255,
                                           255, 255, 255, 255, 255, 255};
    const auto image = LoadImagePixelsFromMemory(CompressRaw(ink, 3, 2, JCS_CMYK, 4));
    ASSERT_TRUE(image.has_value());
    ExpectNear(image->pixels[3], 0xFFFFFF, 4);
    ExpectNear(image->pixels[4], 0x00FFFF, 4);
    ExpectNear(image->pixels[5], 0x000000, 4);
}

TEST(ImageLoaderTest, WriterAndLoaderRoundTripAFlatPicture) {
    PixelImage flat{17, 9, std::vector<std::uint32_t>(17 * 9, 0x3366CC)};
    const auto bytes = EncodeJpeg(flat, 100);
    ASSERT_TRUE(bytes.has_value());
    const auto back = LoadImagePixelsFromMemory(*bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->width, 17);
    EXPECT_EQ(back->height, 9);
    for (const std::uint32_t pixel : back->pixels) {
        ExpectNear(pixel, 0x3366CC, 2);
    }
    EXPECT_FALSE(EncodeJpeg(PixelImage{}).has_value());
    EXPECT_FALSE(EncodeJpeg(PixelImage{4, 4, std::vector<std::uint32_t>(15)}).has_value());
}

TEST(ImageLoaderTest, AbsurdDimensionsAreRefused) {
    // Patch the frame header of a valid picture to claim 60000 x 60000.
    auto bytes = ThreeByTwoJpeg();
    bool patched = false;
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = bytes[i + 7] = 0xEA;
            bytes[i + 6] = bytes[i + 8] = 0x60;
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    EXPECT_FALSE(LoadImagePixelsFromMemory(bytes).has_value());
}

}  // namespace
}  // namespace velmora
