#include "velmora-engine/command_options.h"

#include <algorithm>
#include <charconv>

#include "engine/notation.h"

namespace velmora {

CommandOptions::CommandOptions(std::span<const std::string> args,
                               std::vector<std::string_view> valued,
                               std::vector<std::string_view> switches) {
    const auto known = [](const std::vector<std::string_view>& names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            throw UsageError("unexpected argument '" + arg + "'");
        }
        const std::string name = arg.substr(2);
        if (Has(name)) {
            throw UsageError("option " + arg + " given twice");
        }
        if (known(switches, name)) {
            switches_.push_back(name);
        } else if (known(valued, name)) {
            if (i + 1 >= args.size()) {
                throw UsageError("option " + arg + " needs a value");
            }
            values_.emplace_back(name, args[++i]);
        } else {
            throw UsageError("unknown option " + arg);
        }
    }
}

bool CommandOptions::Has(std::string_view name) const {
    return std::find(switches_.begin(), switches_.end(), name) != switches_.end() ||
           Value(name).has_value();
}

std::optional<std::string> CommandOptions::Value(std::string_view name) const {
    for (const auto& [key, value] : values_) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::string CommandOptions::Required(std::string_view name) const {
    auto value = Value(name);
    if (!value) {
        throw UsageError("missing option --" + std::string(name));
    }
    return *value;
}

int CommandOptions::Integer(std::string_view name, int min, int max,
                            std::optional<int> fallback) const {
    const auto text = fallback ? Value(name) : std::optional<std::string>(Required(name));
    if (!text) {
        return *fallback;
    }
    int value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, value);
    if (ec != std::errc() || ptr != end || value < min || value > max) {
        throw UsageError("--" + std::string(name) + " must be a number from " +
                         std::to_string(min) + " to " + std::to_string(max) + ", not '" + *text +
                         "'");
    }
    return value;
}

int CommandOptions::BoardSize() const {
    const auto text = Value("size");
    if (!text || *text == "8") {
        return 8;
    }
    if (*text == "10") {
        return 10;
    }
    throw UsageError("--size must be 8 or 10, not '" + *text + "'");
}

EngineKind CommandOptions::Engine() const {
    const auto text = Value("engine");
    if (!text) {
        return EngineKind::Fast;
    }
    const auto kind = ParseEngineKind(*text);
    if (!kind) {
        throw UsageError("--engine must be literal, fast or deep, not '" + *text + "'");
    }
    return *kind;
}

SearchSettings CommandOptions::Settings() const {
    return SearchSettings::FromShownLevel(Integer("level", 0, 9, std::nullopt), Has("advanced"));
}

Board CommandOptions::Position(int size) const {
    const auto board = BoardFromText(size, Required("board"));
    if (!board) {
        throw UsageError("--board must be " + std::to_string(size * size) +
                         " characters of w, b and +, column by column");
    }
    return *board;
}

int CommandOptions::SideToMove() const {
    const std::string toMove = Required("to-move");
    if (toMove != "white" && toMove != "black") {
        throw UsageError("--to-move must be white or black, not '" + toMove + "'");
    }
    return toMove == "white" ? White : Black;
}

}  // namespace velmora
