#include "game/command_line.h"

#include <algorithm>
#include <cctype>

namespace velmora {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string>& args,
                                    const std::function<bool(const std::string&)>& fileExists) {
    CommandLineRequest request;
    if (args.size() == 2 && Lower(args[0]) == "-connect") {
        request.autoCall = true;
        request.callAddress = args[1];
    } else if (args.size() == 1 && Lower(args[0]) == "-listen") {
        request.listen = true;
    } else if (args.size() == 1 && fileExists(args[0])) {
        request.autoOpen = true;
        request.openPath = args[0];
    }
    return request;
}

}  // namespace velmora
