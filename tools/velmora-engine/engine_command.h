#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace velmora {

// Runs one velmora-engine command line (without the program name). Results go to out; a bad
// command line gets one line on err and status 2.
int RunEngineCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace velmora
