#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace velmora {

// One subcommand: it reads its options from args (a UsageError for a bad command line),
// writes its results to out and returns the exit status.
struct EngineCommand {
    std::string_view name;
    std::string_view usage;
    int (*run)(std::span<const std::string> args, std::ostream& out);
};

std::span<const EngineCommand> EngineCommands();

}  // namespace velmora
