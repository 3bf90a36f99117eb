#include "game/settings_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// Reads the settings with one value stored under "group/key", or none when text is null.
Settings ReadOne(std::string_view path, const char* text) {
    const auto store = [&](std::string_view group, std::string_view key) -> StoredText {
        const bool stored = text && path == std::string(group) + "/" + std::string(key);
        return stored ? StoredText(text) : std::nullopt;
    };
    return ReadSettings(store, "/opt/velmora");
}

using Reads = std::vector<std::pair<const char*, int>>;  // stored text (null: none), value

TEST(SettingsRulesTest, NumbersAreDecimalAndLimitedAsTheTableSays) {
    const std::vector<std::tuple<const char*, int Settings::*, Reads>> cases = {
        {"net/port",
         &Settings::port,
         {{nullptr, 8173}, {"65535", 65535}, {"80a", 8173}, {"0", 8173}, {"65536", 8173}}},
        {"options/brdim", &Settings::boardSize, {{nullptr, 8}, {"10", 10}, {"9", 8}, {"-10", 8}}},
        {"options/tfigs", &Settings::figureSkin, {{"3", 0}, {"-2", 0}}},
        {"options/thelp", &Settings::helpSkin, {{"2", 0}, {"-5", 0}}},
        {"options/tcurs", &Settings::cursorSkin, {{nullptr, 0}, {"1", 1}, {"7", 1}, {"-1", 0}}},
        {"options/tbrdr", &Settings::borderSkin, {{nullptr, 0}, {"4", 1}, {"-2147483648", 0}}},
        // The tip window bounds the tip itself.
        {"options/currenttip", &Settings::currentTip, {{nullptr, 1000}, {"-7", -7}, {"tip", 1000}}},
        {"options/sound_volume", &Settings::soundVolume, {{nullptr, 225}, {"300", 255}, {"-1", 0}}},
        {"options/music_volume", &Settings::musicVolume, {{nullptr, 120}, {"256", 255}}},
    };
    for (const auto& [path, field, reads] : cases) {
        for (const auto& [text, value] : reads) {
            EXPECT_EQ(ReadOne(path, text).*field, value) << path << " = " << (text ? text : "-");
        }
    }
    // Below 1 is novice (level 1 with the mark, index 0), above 9 is 9; text that is no decimal
    // integer counts as absent.
    const Reads levels = {{nullptr, 0}, {"5", 5},  {"9", 9},   {"1", 1},          {"0", 0},
                          {"-3", 0},    {"12", 9}, {"+4", 4},  {"+-4", 0},        {"five", 0},
                          {"", 0},      {"5 ", 0}, {"0x5", 0}, {"99999999999", 0}};
    for (const auto& [text, index] : levels) {
        const Settings s = ReadOne("options/level", text);
        EXPECT_EQ(s.LevelIndex(), index) << (text ? text : "(absent)");
        EXPECT_EQ(s.level, std::max(index, 1)) << (text ? text : "(absent)");
    }
}

TEST(SettingsRulesTest, WordsAreComparedExactlyAndCaseSensitively) {
    // The key, its value, the one word that gives true, the value when nothing is stored.
    using Case = std::tuple<const char*, bool (*)(const Settings&), std::string, bool>;
    const std::vector<Case> cases = {
        {"gamet", [](const Settings& s) { return s.versusComputer; }, "computer", true},
        {"youpl", [](const Settings& s) { return s.computerSide == Black; }, "white", true},
        {"sndef", [](const Settings& s) { return s.soundOn; }, "yes", true},
        {"musef", [](const Settings& s) { return s.musicOn; }, "yes", true},
        {"anief", [](const Settings& s) { return s.animationOn; }, "yes", true},
        {"usetr", [](const Settings& s) { return s.useTray; }, "yes", true},
        {"callw", [](const Settings& s) { return s.callAsWhite; }, "yes", true},
        {"call8", [](const Settings& s) { return s.callOn8x8; }, "yes", true},
        {"prevm", [](const Settings& s) { return s.showPreviousMove; }, "show", true},
        {"avmov", [](const Settings& s) { return s.showPossibleMoves; }, "show", true},
        {"engit", [](const Settings& s) { return s.advancedEngine; }, "advn", false},
        {"moves", [](const Settings& s) { return s.showMovesList; }, "yes", true},
        {"showtips", [](const Settings& s) { return s.showTips; }, "yes", true},
    };
    for (const auto& [key, field, word, absent] : cases) {
        const std::string path = std::string("options/") + key;
        EXPECT_EQ(field(ReadOne(path, nullptr)), absent) << key;
        EXPECT_TRUE(field(ReadOne(path, word.c_str()))) << key;
        const std::string capital = static_cast<char>(word[0] - 'a' + 'A') + word.substr(1);
        for (const std::string& other : {capital, std::string(), word + " ", std::string("1")}) {
            EXPECT_FALSE(field(ReadOne(path, other.c_str()))) << key << " = \"" << other << "\"";
        }
    }
    // Only exactly "no" keeps the program from listening; the group matters.
    EXPECT_FALSE(ReadOne("net/listn", nullptr).listen);
    EXPECT_FALSE(ReadOne("net/listn", "no").listen);
    for (const char* text : {"", "yes", "No"}) {
        EXPECT_TRUE(ReadOne("net/listn", text).listen) << text;
    }
    EXPECT_FALSE(ReadOne("options/listn", "yes").listen);
    // Texts are taken as they are.
    EXPECT_EQ(ReadOne("net/service", nullptr).service, "");
    EXPECT_EQ(ReadOne("options/music_folder", "").musicFolder, "");
}

}  // namespace
}  // namespace velmora
