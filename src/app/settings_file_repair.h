#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// What can be saved of a settings file that does not read cleanly. The INI reader takes a
// line it cannot parse (a quote left open, a stray backslash, binary bytes) together with
// the rest of the file, so one damaged line would otherwise cost every setting after it and
// the statistics with them.
struct SettingsFileRepair {
    // Some line did not read cleanly, or the statistics value was not a whole table.
    bool damaged = false;
    // The lines that read cleanly, in their order; the damaged ones left out.
    std::string cleanText;
    // The statistics bytes that could be read from a damaged value (a cut value gives the
    // bytes before the cut); empty when the value was whole or nothing could be read.
    std::optional<std::vector<std::uint8_t>> statistics;
};

SettingsFileRepair ExamineSettingsFile(std::string_view bytes, std::size_t statisticsBytes);

}  // namespace velmora
