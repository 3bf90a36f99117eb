// The pictures compiled into the program and the list that compiles them in, and the help.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "asset_files.h"

namespace velmora::test {
namespace {

std::uint32_t Little32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

// Width and height from a PNG's header.
std::optional<std::pair<int, int>> Png(const std::string& relative) {
    const auto b = ReadBytes(SourcePath(relative));
    const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() < 33 || !std::equal(signature, signature + 8, b.begin()) ||
        std::string(b.begin() + 12, b.begin() + 16) != "IHDR")
        return std::nullopt;
    const auto big32 = [&](size_t at) {
        return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
    };
    return std::pair{big32(16), big32(20)};
}

void ExpectPng(const std::string& relative, int w, int h) {
    auto d = Png(relative);
    ASSERT_TRUE(d) << relative << " missing or not a PNG";
    EXPECT_EQ(d->first, w) << relative;
    EXPECT_EQ(d->second, h) << relative;
}

TEST(WindowPictures, LogosIconsSkinPicturesAndMenuIconsHaveTheirSizes) {
    ExpectPng("resources/logo/startup_rus.png", 252, 125);
    ExpectPng("resources/logo/startup_eng.png", 252, 125);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ExpectPng("resources/icons/velmora-reversi-" + std::to_string(size) + ".png", size, size);
    for (const char* skin : {"figs_amber", "cursor_classic", "cursor_fiery", "help_velmora",
                             "border_velmora", "border_dark"})
        ExpectPng(std::string("resources/skins/") + skin + ".png", 32, 32);
    // Every menu icon comes in two sizes.
    int icons = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SourcePath("resources/menu"))) {
        std::string name = entry.path().stem().string();
        if (name.ends_with("@2x"))
            continue;
        ++icons;
        ExpectPng("resources/menu/" + name + ".png", 16, 16);
        ExpectPng("resources/menu/" + name + "@2x.png", 32, 32);
    }
    EXPECT_GE(icons, 20);
}

TEST(WindowPictures, ProgressPicturesAreEightBitWithATransparentLowerLeftColour) {
    struct Expect {
        const char* file;
        int w, h;
    };
    for (Expect e : {Expect{"resources/progress/CONNECT_BMP.bmp", 34, 34},
                     Expect{"resources/progress/PACK_BMP.bmp", 44, 34}}) {
        auto bytes = ReadBytes(SourcePath(e.file));
        ASSERT_TRUE(bytes.size() >= 54 && bytes[0] == 'B' && bytes[1] == 'M') << e.file;
        EXPECT_EQ(Little32(bytes, 18), static_cast<std::uint32_t>(e.w)) << e.file;
        EXPECT_EQ(Little32(bytes, 22), static_cast<std::uint32_t>(e.h)) << e.file;
        ASSERT_EQ(bytes[28] | (bytes[29] << 8), 8) << e.file;
        const size_t offset = Little32(bytes, 10);
        const size_t stride = (static_cast<size_t>(e.w) + 3) & ~size_t{3};
        ASSERT_GE(bytes.size(), offset + stride * e.h);
        auto colour = [&](int index) {
            const std::uint8_t* p = &bytes[54 + 4 * index];
            return (p[2] << 16) | (p[1] << 8) | p[0];
        };
        // The first stored row is the bottom one: its first pixel is the key colour.
        const int key = colour(bytes[offset]);
        EXPECT_EQ(key, 0xF0F0F0) << e.file;
        int drawn = 0;
        for (int y = 0; y < e.h; ++y)
            for (int x = 0; x < e.w; ++x)
                drawn += colour(bytes[offset + y * stride + x]) != key;
        EXPECT_GT(drawn, e.w * e.h / 4) << e.file << " is nearly empty";
        EXPECT_LT(drawn, e.w * e.h) << e.file << " has no transparent ground";
    }
}

TEST(WindowPictures, ResourceListNamesExactlyTheFilesUnderResources) {
    std::ifstream in(SourcePath("resources/velmora.qrc"));
    std::stringstream text;
    text << in.rdbuf();
    std::set<std::string> listed;
    std::regex file("<file>([^<]+)</file>");
    const std::string s = text.str();
    for (auto it = std::sregex_iterator(s.begin(), s.end(), file); it != std::sregex_iterator();
         ++it)
        listed.insert((*it)[1].str());
    std::set<std::string> present;
    const auto root = SourcePath("resources");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().extension() != ".qrc")
            present.insert(std::filesystem::relative(entry.path(), root).generic_string());
    EXPECT_EQ(listed, present);
    for (const char* needed :
         {"progress/CONNECT_BMP.bmp", "progress/PACK_BMP.bmp", "intro/INTRO_3DMESH",
          "intro/INTRO_FONTIM", "intro/INTRO_FRONTIM_RUS", "intro/INTRO_FRONTIM_ENG",
          "intro/INTRO_BACKFONE", "logo/startup_rus.png"})
        EXPECT_EQ(listed.count(needed), 1u) << needed;
}

bool ValidUtf8(const std::vector<std::uint8_t>& b) {
    for (size_t i = 0; i < b.size(); ++i) {
        const int extra = b[i] < 0x80         ? 0
                          : (b[i] >> 5) == 6  ? 1
                          : (b[i] >> 4) == 14 ? 2
                          : (b[i] >> 3) == 30 ? 3
                                              : -1;
        if (extra < 0)
            return false;
        for (int k = 0; k < extra; ++k)
            if (++i >= b.size() || (b[i] >> 6) != 2)
                return false;
    }
    return true;
}

TEST(HelpText, IsRussianUtf8CoveringRulesControlsAndNetworkPlay) {
    auto bytes = ReadBytes(SourcePath("docs/readme_rus.txt"));
    ASSERT_GT(bytes.size(), 4000u);
    ASSERT_TRUE(ValidUtf8(bytes));
    std::string text(bytes.begin(), bytes.end());
    for (const char* topic :
         {"10 x 10", "0-новичок", "9-корифей", "Усложнённый", "тренировочн", "Статистика",
          "Правая кнопка", "Стрелки", ".qvz", "8173", "-connect", "-listen", "Сообщение", "F1"})
        EXPECT_NE(text.find(topic), std::string::npos) << topic;
}

}  // namespace
}  // namespace velmora::test
