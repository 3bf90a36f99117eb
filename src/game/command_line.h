#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmora {

// What the program was asked to do at start: call an address, listen for calls, or open a
// saved match. Switches are compared in any letter case; anything else is ignored.
struct CommandLineRequest {
    bool autoCall = false;
    std::string callAddress;
    bool listen = false;
    bool autoOpen = false;
    std::string openPath;

    bool operator==(const CommandLineRequest&) const = default;
};

// args excludes the program name. fileExists tells whether a lone argument names a file.
CommandLineRequest ParseCommandLine(const std::vector<std::string>& args,
                                    const std::function<bool(const std::string&)>& fileExists);

}  // namespace velmora
