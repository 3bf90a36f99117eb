#include "velmora-engine/command_table.h"

#include <array>

namespace velmora {

// A new subcommand is one file defining its Run function plus one declaration and one entry
// below.
int RunMoveCommand(std::span<const std::string> args, std::ostream& out);
int RunPerftCommand(std::span<const std::string> args, std::ostream& out);
int RunSelfplayCommand(std::span<const std::string> args, std::ostream& out);
int RunBenchCommand(std::span<const std::string> args, std::ostream& out);
int RunSelftestCommand(std::span<const std::string> args, std::ostream& out);
int RunMatchCommand(std::span<const std::string> args, std::ostream& out);
int RunSolveCommand(std::span<const std::string> args, std::ostream& out);
int RunAnalyseCommand(std::span<const std::string> args, std::ostream& out);

namespace {

constexpr std::array kCommands = {
    EngineCommand{"move",
                  "move --size 8|10 --board TEXT --to-move white|black --level 0..9 [--advanced] "
                  "[--engine literal|fast|deep] [--threads N]",
                  &RunMoveCommand},
    EngineCommand{"perft", "perft --size 8|10 --depth D", &RunPerftCommand},
    EngineCommand{"selfplay",
                  "selfplay --size 8|10 --level 0..9 [--advanced] [--engine literal|fast|deep] "
                  "[--threads N]",
                  &RunSelfplayCommand},
    EngineCommand{"bench",
                  "bench [--real] [--size 8|10] [--engine literal|fast|deep] [--threads N]",
                  &RunBenchCommand},
    EngineCommand{"selftest", "selftest [--long] [--positions N] [--seed S]", &RunSelftestCommand},
    EngineCommand{"match",
                  "match show FILE [--transcript] | match new --size 8|10 --moves E6,F4,... OUT | "
                  "match new [--size 8|10] --transcript f5d6... OUT",
                  &RunMatchCommand},
    EngineCommand{"solve", "solve --size 8|10 --board TEXT --to-move white|black | solve --bench",
                  &RunSolveCommand},
    EngineCommand{"analyse", "analyse FILE.qvz", &RunAnalyseCommand},
};

}  // namespace

std::span<const EngineCommand> EngineCommands() {
    return kCommands;
}

}  // namespace velmora
