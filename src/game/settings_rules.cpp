#include "game/settings_rules.h"

#include <algorithm>
#include <charconv>

namespace velmora {

namespace {

// Reads one group's options through the lookup.
class Reader {
  public:
    Reader(const SettingsLookup& lookup, std::string_view group) : lookup_(lookup), group_(group) {}

    StoredText Text(std::string_view key) const { return lookup_(group_, key); }
    std::string TextOr(std::string_view key, std::string fallback) const {
        StoredText text = Text(key);
        return text ? std::move(*text) : std::move(fallback);
    }
    // Compared case-sensitively with one word; absent gives the default.
    bool Is(std::string_view key, std::string_view word, bool fallback) const {
        const StoredText text = Text(key);
        return text ? *text == word : fallback;
    }
    // Text that is not a decimal integer counts as absent.
    int Number(std::string_view key, int fallback) const {
        const StoredText text = Text(key);
        if (!text) {
            return fallback;
        }
        return ParseDecimal(*text).value_or(fallback);
    }

  private:
    const SettingsLookup& lookup_;
    std::string_view group_;
};

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}
const char* ShowHide(bool value) {
    return value ? "show" : "hide";
}

}  // namespace

std::optional<int> ParseDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

Settings ReadSettings(const SettingsLookup& lookup, const std::string& programFolder) {
    const Reader net(lookup, kNetGroup);
    const Reader options(lookup, kOptionsGroup);
    Settings s;

    s.port = net.Number("port", 8173);
    // A port the sockets cannot use counts as absent.
    if (s.port < 1 || s.port > 65535) {
        s.port = 8173;
    }
    s.service = net.TextOr("service", "");

    s.versusComputer = options.Is("gamet", "computer", true);
    const int level = options.Number("level", 0);
    s.noviceLevel = level < 1;
    s.level = std::clamp(level, 1, 9);
    s.computerSide = options.Is("youpl", "white", true) ? Black : White;
    s.soundOn = options.Is("sndef", "yes", true);
    s.musicOn = options.Is("musef", "yes", true);
    s.animationOn = options.Is("anief", "yes", true);
    // Only the skins the program has may be chosen: one figure and help skin, two cursor
    // and border skins. Negative indices are bounded as well.
    s.figureSkin = std::clamp(options.Number("tfigs", 0), 0, 0);
    s.cursorSkin = std::clamp(options.Number("tcurs", 0), 0, 1);
    s.helpSkin = std::clamp(options.Number("thelp", 0), 0, 0);
    s.borderSkin = std::clamp(options.Number("tbrdr", 0), 0, 1);
    const int size = options.Number("brdim", 8);
    s.boardSize = IsValidBoardSize(size) ? size : 8;
    s.useTray = options.Is("usetr", "yes", true);
    s.callAsWhite = options.Is("callw", "yes", true);
    s.callOn8x8 = options.Is("call8", "yes", true);
    s.showPreviousMove = options.Is("prevm", "show", true);
    s.showPossibleMoves = options.Is("avmov", "show", true);
    s.advancedEngine = options.Is("engit", "advn", false);

    // Only exactly "no" keeps the program from listening; an empty value listens.
    s.listen = !net.Is("listn", "no", true);

    s.showMovesList = options.Is("moves", "yes", true);
    s.showTips = options.Is("showtips", "yes", true);
    s.currentTip = options.Number("currenttip", 1000);
    s.soundVolume = std::clamp(options.Number("sound_volume", 225), 0, 255);
    s.musicVolume = std::clamp(options.Number("music_volume", 120), 0, 255);
    s.musicFolder = options.TextOr("music_folder", programFolder + "/DATA/MUSIC");
    return s;
}

std::vector<SettingText> WindowSettingTexts(const Settings& s, bool listening) {
    return {
        {kNetGroup, "service", s.service},
        {kNetGroup, "port", std::to_string(s.port)},
        {kOptionsGroup, "moves", YesNo(s.showMovesList)},
        {{}, kStatisticsKey, {}},
        {kOptionsGroup, "call8", YesNo(s.callOn8x8)},
        {kOptionsGroup, "callw", YesNo(s.callAsWhite)},
        {kNetGroup, "listn", YesNo(listening)},
        {kOptionsGroup, "sound_volume", std::to_string(s.soundVolume)},
        {kOptionsGroup, "music_volume", std::to_string(s.musicVolume)},
        {kOptionsGroup, "music_folder", s.musicFolder},
    };
}

std::vector<SettingText> DialogSettingTexts(const Settings& s) {
    return {
        {kOptionsGroup, "gamet", s.versusComputer ? "computer" : "human"},
        {kOptionsGroup, "level", std::to_string(s.LevelIndex())},
        {kOptionsGroup, "youpl", s.computerSide == Black ? "white" : "black"},
        {kOptionsGroup, "sndef", YesNo(s.soundOn)},
        {kOptionsGroup, "musef", YesNo(s.musicOn)},
        {kOptionsGroup, "anief", YesNo(s.animationOn)},
        {kOptionsGroup, "usetr", YesNo(s.useTray)},
        {kOptionsGroup, "tfigs", std::to_string(s.figureSkin)},
        {kOptionsGroup, "tcurs", std::to_string(s.cursorSkin)},
        {kOptionsGroup, "thelp", std::to_string(s.helpSkin)},
        {kOptionsGroup, "tbrdr", std::to_string(s.borderSkin)},
        {kOptionsGroup, "brdim", std::to_string(s.boardSize)},
        {kOptionsGroup, "prevm", ShowHide(s.showPreviousMove)},
        {kOptionsGroup, "avmov", ShowHide(s.showPossibleMoves)},
        {kOptionsGroup, "engit", s.advancedEngine ? "advn" : "norm"},
    };
}

std::vector<SettingText> TipSettingTexts(const Settings& s) {
    return {
        {kOptionsGroup, "showtips", YesNo(s.showTips)},
        {kOptionsGroup, "currenttip", std::to_string(s.currentTip)},
    };
}

}  // namespace velmora
