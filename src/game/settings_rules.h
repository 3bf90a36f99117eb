#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/settings.h"

namespace velmora {

// The two groups of stored options.
inline constexpr std::string_view kNetGroup = "net";
inline constexpr std::string_view kOptionsGroup = "options";
// The statistics table's value, at the top level beside the groups.
inline constexpr std::string_view kStatisticsKey = "Statistics";

// A stored option as text; nothing when it is absent or was stored as something else
// than text.
using StoredText = std::optional<std::string>;
using SettingsLookup = std::function<StoredText(std::string_view group, std::string_view key)>;

// A decimal 32-bit integer with an optional sign and nothing else around it.
std::optional<int> ParseDecimal(std::string_view text);

// Reads every option in the stored order and applies the defaults and read rules.
// programFolder (without a trailing separator) gives the default music folder.
Settings ReadSettings(const SettingsLookup& lookup, const std::string& programFolder);

struct SettingText {
    std::string_view group;  // empty for the top-level statistics value
    std::string_view key;
    std::string value;

    bool IsStatistics() const { return group.empty() && key == kStatisticsKey; }
};

// What each writer stores, in its order. The window writer's list holds a Statistics
// entry with no text where the binary table goes; listening tells whether the listening
// socket is up at that moment.
std::vector<SettingText> WindowSettingTexts(const Settings& settings, bool listening);
std::vector<SettingText> DialogSettingTexts(const Settings& settings);
std::vector<SettingText> TipSettingTexts(const Settings& settings);

}  // namespace velmora
