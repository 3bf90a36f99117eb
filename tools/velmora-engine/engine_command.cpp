#include "velmora-engine/engine_command.h"

#include <ostream>

#include "velmora-engine/command_options.h"
#include "velmora-engine/command_table.h"

namespace velmora {

namespace {

constexpr int kUsageStatus = 2;

void PrintUsage(std::ostream& out) {
    out << "usage:\n";
    for (const EngineCommand& command : EngineCommands()) {
        out << "  velmora-engine " << command.usage << "\n";
    }
    out << "TEXT lists the board column by column from the top-left corner: w White, b Black,"
           " + empty.\nLevel 0 is the novice level.\n";
}

}  // namespace

int RunEngineCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "velmora-engine: no command given (try 'velmora-engine help')\n";
        return kUsageStatus;
    }
    const std::string& name = args.front();
    if (name == "help" || name == "--help" || name == "-h") {
        PrintUsage(out);
        return 0;
    }
    for (const EngineCommand& command : EngineCommands()) {
        if (command.name != name) {
            continue;
        }
        try {
            return command.run(args.subspan(1), out);
        } catch (const UsageError& e) {
            err << "velmora-engine " << name << ": " << e.what() << "\n";
            return kUsageStatus;
        }
    }
    err << "velmora-engine: unknown command '" << name << "' (try 'velmora-engine help')\n";
    return kUsageStatus;
}

}  // namespace velmora
