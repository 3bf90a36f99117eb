#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "game/settings_rules.h"

namespace velmora {
namespace {

using Stored = std::map<std::pair<std::string, std::string>, std::string>;

Settings Read(const Stored& stored) {
    return ReadSettings(
        [&](std::string_view group, std::string_view key) -> StoredText {
            const auto it = stored.find({std::string(group), std::string(key)});
            if (it == stored.end()) {
                return std::nullopt;
            }
            return it->second;
        },
        "/opt/velmora");
}

Settings ReadOne(const std::string& group, const std::string& key, const std::string& text) {
    return Read(Stored{{{group, key}, text}});
}

TEST(SettingsRulesTest, EmptyProfileGivesTheDefaults) {
    const Settings s = Read({});
    EXPECT_TRUE(s.versusComputer);
    EXPECT_EQ(s.level, 1);
    EXPECT_TRUE(s.noviceLevel);
    EXPECT_EQ(s.LevelIndex(), 0);
    EXPECT_EQ(s.computerSide, Black);  // the human plays White
    EXPECT_EQ(s.boardSize, 8);
    EXPECT_FALSE(s.advancedEngine);
    EXPECT_TRUE(s.soundOn);
    EXPECT_TRUE(s.musicOn);
    EXPECT_TRUE(s.animationOn);
    EXPECT_TRUE(s.useTray);
    EXPECT_TRUE(s.showPreviousMove);
    EXPECT_TRUE(s.showPossibleMoves);
    EXPECT_FALSE(s.listen);
    EXPECT_EQ(s.port, 8173);
    EXPECT_EQ(s.service, "");
    EXPECT_TRUE(s.showMovesList);
    EXPECT_TRUE(s.showTips);
    EXPECT_EQ(s.currentTip, 1000);
    EXPECT_EQ(s.soundVolume, 225);
    EXPECT_EQ(s.musicVolume, 120);
    EXPECT_TRUE(s.callAsWhite);
    EXPECT_TRUE(s.callOn8x8);
    EXPECT_EQ(s.figureSkin, 0);
    EXPECT_EQ(s.cursorSkin, 0);
    EXPECT_EQ(s.helpSkin, 0);
    EXPECT_EQ(s.borderSkin, 0);
    EXPECT_EQ(s.musicFolder, "/opt/velmora/DATA/MUSIC");
    // The plain struct starts with the same values, apart from the folder LoadSettings fills.
    Settings plain;
    plain.musicFolder = s.musicFolder;
    EXPECT_EQ(plain, s);
}

struct NumberCase {
    const char* group;
    const char* key;
    const char* text;
    std::function<int(const Settings&)> field;
    int expected;
};

TEST(SettingsRulesTest, NumbersAreDecimalAndLimitedAsTheTableSays) {
    const auto level = [](const Settings& s) { return s.level * 10 + (s.noviceLevel ? 1 : 0); };
    const auto port = [](const Settings& s) { return s.port; };
    const auto size = [](const Settings& s) { return s.boardSize; };
    const auto figs = [](const Settings& s) { return s.figureSkin; };
    const auto curs = [](const Settings& s) { return s.cursorSkin; };
    const auto help = [](const Settings& s) { return s.helpSkin; };
    const auto brdr = [](const Settings& s) { return s.borderSkin; };
    const auto tip = [](const Settings& s) { return s.currentTip; };
    const auto sound = [](const Settings& s) { return s.soundVolume; };
    const auto music = [](const Settings& s) { return s.musicVolume; };
    const std::vector<NumberCase> cases = {
        {"options", "level", "5", level, 50},
        {"options", "level", "9", level, 90},
        {"options", "level", "1", level, 10},
        {"options", "level", "0", level, 11},
        {"options", "level", "-3", level, 11},
        {"options", "level", "12", level, 90},
        {"options", "level", "+4", level, 40},
        {"options", "level", "five", level, 11},  // not a number: as if absent, "0"
        {"options", "level", "", level, 11},
        {"options", "level", "5 ", level, 11},
        {"options", "level", "0x5", level, 11},
        {"options", "level", "99999999999", level, 11},
        {"options", "brdim", "10", size, 10},
        {"options", "brdim", "9", size, 8},
        {"options", "brdim", "-10", size, 8},
        {"options", "brdim", "ten", size, 8},
        {"options", "tfigs", "3", figs, 0},
        {"options", "tfigs", "-2", figs, 0},
        {"options", "tcurs", "1", curs, 1},
        {"options", "tcurs", "7", curs, 1},
        {"options", "tcurs", "-1", curs, 0},
        {"options", "thelp", "2", help, 0},
        {"options", "thelp", "-5", help, 0},
        {"options", "tbrdr", "1", brdr, 1},
        {"options", "tbrdr", "4", brdr, 1},
        {"options", "tbrdr", "-2147483648", brdr, 0},
        {"net", "port", "9000", port, 9000},
        {"net", "port", "80a", port, 8173},
        {"net", "port", "0", port, 8173},
        {"net", "port", "70000", port, 8173},
        {"options", "currenttip", "4", tip, 4},
        {"options", "currenttip", "-7", tip, -7},  // the tip window bounds it
        {"options", "currenttip", "tip", tip, 1000},
        {"options", "sound_volume", "0", sound, 0},
        {"options", "sound_volume", "300", sound, 255},
        {"options", "sound_volume", "-1", sound, 0},
        {"options", "music_volume", "255", music, 255},
        {"options", "music_volume", "loud", music, 120},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(c.field(ReadOne(c.group, c.key, c.text)), c.expected)
            << c.group << "/" << c.key << " = \"" << c.text << "\"";
    }
}

struct WordCase {
    const char* key;
    std::function<bool(const Settings&)> field;
    const char* word;  // the one word that gives true
    bool absent;       // the value when nothing is stored
};

TEST(SettingsRulesTest, WordsAreComparedExactlyAndCaseSensitively) {
    const std::vector<WordCase> cases = {
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
    for (const WordCase& c : cases) {
        EXPECT_EQ(c.field(Read({})), c.absent) << c.key;
        EXPECT_TRUE(c.field(ReadOne("options", c.key, c.word))) << c.key;
        std::string capital = c.word;
        capital[0] = static_cast<char>(capital[0] - 'a' + 'A');
        for (const std::string& other : {capital, std::string(), std::string(c.word) + " ",
                                         std::string("no"), std::string("1")}) {
            EXPECT_FALSE(c.field(ReadOne("options", c.key, other)))
                << c.key << " = \"" << other << "\"";
        }
    }
}

TEST(SettingsRulesTest, OnlyExactlyNoKeepsTheProgramFromListening) {
    EXPECT_FALSE(Read({}).listen);
    EXPECT_FALSE(ReadOne("net", "listn", "no").listen);
    EXPECT_TRUE(ReadOne("net", "listn", "").listen);
    EXPECT_TRUE(ReadOne("net", "listn", "yes").listen);
    EXPECT_TRUE(ReadOne("net", "listn", "No").listen);
    // The group matters: the same word under options is another value.
    EXPECT_FALSE(ReadOne("options", "listn", "yes").listen);
}

TEST(SettingsRulesTest, TextsAreTakenAsTheyAre) {
    const Settings s = Read(Stored{{{"net", "service"}, "reversi-svc"},
                                   {{"options", "music_folder"}, "/home/me/Музыка"}});
    EXPECT_EQ(s.service, "reversi-svc");
    EXPECT_EQ(s.musicFolder, "/home/me/Музыка");
    EXPECT_EQ(ReadOne("options", "music_folder", "").musicFolder, "");
}

// What a writer stores reads back as the same settings, in the writers' order.
TEST(SettingsRulesTest, WritersStoreWhatTheReaderTakesBack) {
    Settings s;
    s.port = 8200;
    s.service = "svc";
    s.versusComputer = false;
    s.level = 7;
    s.noviceLevel = false;
    s.computerSide = White;
    s.soundOn = false;
    s.musicOn = false;
    s.animationOn = false;
    s.cursorSkin = 1;
    s.borderSkin = 1;
    s.boardSize = 10;
    s.useTray = false;
    s.callAsWhite = false;
    s.callOn8x8 = false;
    s.showPreviousMove = false;
    s.showPossibleMoves = false;
    s.advancedEngine = true;
    s.showMovesList = false;
    s.showTips = false;
    s.currentTip = 3;
    s.soundVolume = 17;
    s.musicVolume = 250;
    s.musicFolder = "/music";

    Stored stored;
    std::vector<std::string> order;
    auto store = [&](const std::vector<SettingText>& texts) {
        for (const SettingText& t : texts) {
            order.push_back(std::string(t.key));
            if (!t.IsStatistics()) {
                stored[{std::string(t.group), std::string(t.key)}] = t.value;
            }
        }
    };
    store(WindowSettingTexts(s, true));
    store(DialogSettingTexts(s));
    store(TipSettingTexts(s));
    Settings back = Read(stored);
    EXPECT_TRUE(back.listen);
    back.listen = s.listen;
    EXPECT_EQ(back, s);
    const std::vector<std::string> expected = {
        "service", "port",         "moves",        "Statistics",   "call8", "callw",
        "listn",   "sound_volume", "music_volume", "music_folder", "gamet", "level",
        "youpl",   "sndef",        "musef",        "anief",        "usetr", "tfigs",
        "tcurs",   "thelp",        "tbrdr",        "brdim",        "prevm", "avmov",
        "engit",   "showtips",     "currenttip"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(stored.at({"options", "youpl"}), "black");
    EXPECT_EQ(stored.at({"options", "engit"}), "advn");
}

TEST(SettingsRulesTest, NoviceIsWrittenBackAsLevelZero) {
    const Settings s = ReadOne("options", "level", "0");
    std::string level;
    for (const SettingText& t : DialogSettingTexts(s)) {
        if (t.key == "level") {
            level = t.value;
        }
    }
    EXPECT_EQ(level, "0");
    for (const bool listening : {false, true}) {
        for (const SettingText& t : WindowSettingTexts(Settings{}, listening)) {
            if (t.key == "listn") {
                EXPECT_EQ(t.value, listening ? "yes" : "no");
            }
        }
    }
}

}  // namespace
}  // namespace velmora
