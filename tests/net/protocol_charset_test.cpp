#include <gtest/gtest.h>

#include <random>
#include <string>

#include "net/protocol_charset.h"

namespace velmora {
namespace {

TEST(Windows1251Test, AsciiPassesUnchangedBothWays) {
    std::string ascii;
    for (int c = 0; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
    }
    EXPECT_EQ(Utf8ToWindows1251(ascii), ascii);
    EXPECT_EQ(Windows1251ToUtf8(ascii), ascii);
}

TEST(Windows1251Test, RussianAlphabetWithYo) {
    const std::string upper = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string lower = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя";
    std::string upperBytes;
    std::string lowerBytes;
    for (int i = 0; i < 32; ++i) {
        upperBytes += static_cast<char>(0xC0 + i);
        lowerBytes += static_cast<char>(0xE0 + i);
        if (i == 5) {  // Ё and ё follow Е and е but live apart in the code page
            upperBytes += '\xA8';
            lowerBytes += '\xB8';
        }
    }
    EXPECT_EQ(Utf8ToWindows1251(upper), upperBytes);
    EXPECT_EQ(Utf8ToWindows1251(lower), lowerBytes);
    EXPECT_EQ(Windows1251ToUtf8(upperBytes), upper);
    EXPECT_EQ(Windows1251ToUtf8(lowerBytes), lower);
    EXPECT_EQ(Windows1251ToUtf8(Utf8ToWindows1251("СЕТЬ: Оппонент занят.")),
              "СЕТЬ: Оппонент занят.");
}

TEST(Windows1251Test, PunctuationAndOtherCyrillicOfTheUpperHalf) {
    const struct {
        char byte;
        const char* utf8;
    } cases[] = {
        {'\x80', "Ђ"}, {'\x82', "‚"}, {'\x85', "…"},      {'\x88', "€"}, {'\x96', "–"},
        {'\x97', "—"}, {'\x99', "™"}, {'\xA0', "\u00A0"}, {'\xA5', "Ґ"}, {'\xAB', "«"},
        {'\xB2', "І"}, {'\xB4', "ґ"}, {'\xB9', "№"},      {'\xBB', "»"}, {'\xBF', "ї"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1251ToUtf8(std::string(1, c.byte)), c.utf8);
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), std::string(1, c.byte)) << c.utf8;
    }
}

TEST(Windows1251Test, UndefinedByteAndCharactersOutsideTheCodePage) {
    EXPECT_EQ(Windows1251ToUtf8("\x98"), "\uFFFD");
    EXPECT_EQ(Utf8ToWindows1251("\uFFFD"), "?");
    // Latin accents, CJK, a character beyond the BMP: one '?' each.
    EXPECT_EQ(Utf8ToWindows1251("é中😀ж"), "???\xE6");
}

TEST(Windows1251Test, MalformedUtf8BecomesOneQuestionMarkPerBadSequence) {
    const struct {
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"\x80"
         "A",
         "?A"},               // stray continuation byte
        {"A\xE2\x82", "A?"},  // cut by the end of the text
        {"\xE2\x82"
         "A",
         "?A"},                     // cut by an ASCII byte
        {"\xC0\xAF", "??"},         // overlong lead byte, then a stray continuation
        {"\xE0\x80\x80", "?"},      // overlong three-byte form
        {"\xED\xA0\x80", "?"},      // surrogate
        {"\xF4\x90\x80\x80", "?"},  // beyond U+10FFFF
        {"\xFF\xFE", "??"},         // bytes that never start a sequence
        {std::string("\xD0\x90\0\xD1\x8F", 5), std::string("\xC0\0\xFF", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.expected);
    }
}

TEST(Windows1251Test, RandomBytesSurviveTheRoundTrip) {
    std::mt19937 random(1251);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(byte(random)), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(byte(random));
        }
        std::string expected = bytes;
        for (char& c : expected) {
            c = c == '\x98' ? '?' : c;
        }
        // Every defined byte comes back: the table maps no two bytes to one character.
        EXPECT_EQ(Utf8ToWindows1251(Windows1251ToUtf8(bytes)), expected);
        // Garbage read as UTF-8 never grows: each bad sequence becomes one byte.
        EXPECT_LE(Utf8ToWindows1251(bytes).size(), bytes.size());
    }
}

}  // namespace
}  // namespace velmora
