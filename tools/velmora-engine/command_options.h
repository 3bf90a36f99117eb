#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/board.h"
#include "engine/search.h"
#include "engine/search_settings.h"

namespace velmora {

// A command line the user got wrong; its text is the one-line message.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads "--name value" options and "--name" switches. Unknown, repeated or incomplete
// options are usage errors.
class CommandOptions {
  public:
    CommandOptions(std::span<const std::string> args, std::vector<std::string_view> valued,
                   std::vector<std::string_view> switches);

    bool Has(std::string_view name) const;
    std::optional<std::string> Value(std::string_view name) const;
    std::string Required(std::string_view name) const;
    int Integer(std::string_view name, int min, int max, std::optional<int> fallback) const;

    // The shared options: --size 8|10 (8 by default), --engine literal|fast|deep (fast),
    // --level 0..9 with --advanced.
    int BoardSize() const;
    EngineKind Engine() const;
    SearchSettings Settings() const;
    // --board TEXT of the given size and --to-move white|black, both required.
    Board Position(int size) const;
    int SideToMove() const;

  private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> switches_;
};

}  // namespace velmora
