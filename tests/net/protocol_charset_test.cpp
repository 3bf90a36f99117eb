#include <gtest/gtest.h>

#include <random>
#include <string>

#include "net/protocol_charset.h"

namespace velmora {
namespace {

TEST(Windows1251Test, AsciiTheRussianAlphabetAndTheRestOfTheUpperHalfBothWays) {
    std::string ascii;
    for (int c = 0; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
    }
    std::string upper, lower;
    for (int i = 0; i < 32; ++i) {
        upper += static_cast<char>(0xC0 + i);
        lower += static_cast<char>(0xE0 + i);
        if (i == 5) {  // Ё and ё follow Е and е but live apart in the code page
            upper += '\xA8';
            lower += '\xB8';
        }
    }
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {ascii, ascii},
        {upper, "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"},
        {lower, "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
        {"\x80\x82\x85\x88\x96\x97\x99\xA0\xA5\xAB\xB2\xB4\xB9\xBB\xBF", "Ђ‚…€–—™\u00A0Ґ«Іґ№»ї"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1251ToUtf8(c.bytes), c.utf8);
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.bytes) << c.utf8;
    }
}

TEST(Windows1251Test, WhatTheCodePageLacksAndMalformedUtf8) {
    EXPECT_EQ(Windows1251ToUtf8("\x98"), "\uFFFD");
    const struct {
        std::string utf8;
        std::string expected;
    } cases[] = {
        {"\uFFFD", "?"},
        {"é中😀ж", "???\xE6"},  // Latin accents, CJK, beyond the BMP: one '?' each
        // One '?' per bad sequence.
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
        EXPECT_EQ(Utf8ToWindows1251(c.utf8), c.expected) << c.utf8;
    }
}

TEST(Windows1251Test, RandomBytesSurviveTheRoundTrip) {
    std::mt19937 random(1251);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 256, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
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
