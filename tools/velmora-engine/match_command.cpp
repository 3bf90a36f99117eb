#include <algorithm>
#include <ostream>
#include <string_view>
#include <vector>

#include "engine/match_file.h"
#include "engine/notation.h"
#include "engine/rules.h"
#include "engine/transcript.h"
#include "velmora-engine/command_options.h"

namespace velmora {

namespace {

// Splits off the one argument that is neither an option nor an option's value.
std::string TakePositional(std::span<const std::string> args,
                           const std::vector<std::string_view>& valued,
                           std::vector<std::string>& rest, std::string_view what) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            rest.push_back(arg);
            const std::string_view name = std::string_view(arg).substr(2);
            if (std::find(valued.begin(), valued.end(), name) != valued.end() &&
                i + 1 < args.size()) {
                rest.push_back(args[++i]);
            }
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        throw UsageError("expected one " + std::string(what) + ", got " +
                         std::to_string(positional.size()));
    }
    return positional.front();
}

const char* SideWord(int side) {
    return side == White ? "white" : "black";
}
const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

template <typename T, typename Show>
void PrintStored(std::ostream& out, const char* name, const std::optional<T>& value, Show show) {
    out << name << " ";
    if (value) {
        out << show(*value);
    } else {
        out << "(not stored)";
    }
    out << "\n";
}

// Prints a saved match: version, size, the moves as the moves list shows them, then the
// settings the file holds; with --transcript only its moves as a transcript.
int Show(std::span<const std::string> args, std::ostream& out) {
    std::vector<std::string> rest;
    const std::string path = TakePositional(args, {}, rest, "file");
    const CommandOptions options(rest, {}, {"transcript"});
    MatchReadResult read = ReadMatchFile(path);
    if (!read.match) {
        // A refused file is reported like a bad command line: the message, status 2.
        throw UsageError(read.error);
    }
    const SavedMatch& match = *read.match;
    if (options.Has("transcript")) {
        out << WriteTranscript(match.size, match.moves) << "\n";
        return 0;
    }
    OBoardTracker record(match.size);
    record.Assign(match.size, match.moves);
    out << "version " << match.version << "\n"
        << "size " << match.size << "\n"
        << "moves " << record.Count() << "\n";
    for (int i = 0; i < record.Count(); ++i) {
        out << record.MoveLine(i) << "\n";
    }
    const StoredMatchSettings& s = match.settings;
    out << "computer " << SideWord(s.computerSide) << "\n"
        << "versus-computer " << YesNo(s.versusComputer) << "\n";
    PrintStored(out, "training", s.training, YesNo);
    PrintStored(out, "novice", s.novice, YesNo);
    PrintStored(out, "advanced", s.advanced, YesNo);
    PrintStored(out, "level", s.level, [](int level) { return level; });
    return 0;
}

std::vector<std::string> SplitMoves(const std::string& text) {
    std::vector<std::string> moves;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        moves.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return moves;
}

void WriteNewMatch(const OBoardTracker& record, const std::string& path, std::ostream& out) {
    std::string error;
    if (!WriteMatch(record, MatchSettings{}, path, &error)) {
        throw UsageError(error);
    }
    out << "wrote " << path << ": " << record.Count() << " moves on " << record.Size() << " x "
        << record.Size() << "\n";
}

// A transcript read as the window reads a pasted one; --size fixes the board it is read on.
int NewFromTranscript(const CommandOptions& options, const std::string& path, std::ostream& out) {
    std::optional<int> size;
    if (options.Value("size")) {
        size = options.BoardSize();
    }
    TranscriptReadResult read = ReadTranscript(options.Required("transcript"), size);
    if (!read.game) {
        throw UsageError("Запись партии не принята: " + read.error + ".");
    }
    OBoardTracker record;
    record.Assign(read.game->size, std::move(read.game->moves));
    WriteNewMatch(record, path, out);
    return 0;
}

// Plays the moves from the start, settling passes as the game does, and saves the match
// with the default settings.
int New(std::span<const std::string> args, std::ostream& out) {
    std::vector<std::string> rest;
    const std::string path =
        TakePositional(args, {"size", "moves", "transcript"}, rest, "output file");
    const CommandOptions options(rest, {"size", "moves", "transcript"}, {});
    if (options.Value("transcript")) {
        if (options.Value("moves")) {
            throw UsageError("--moves and --transcript exclude each other");
        }
        return NewFromTranscript(options, path, out);
    }
    const int size = options.BoardSize();
    const std::vector<std::string> moves = SplitMoves(options.Required("moves"));

    OBoardTracker record(size);
    GamePosition position;
    position.Reset(size);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        std::string name = moves[i];
        if (name.size() > 2 && name[1] == ':') {
            name.erase(1, 1);  // the moves list's E:6
        }
        const std::string number = std::to_string(i + 1);
        const auto square = ParseSquare(size, name);
        if (!square) {
            throw UsageError("move " + number + ": '" + moves[i] +
                             "' is not a square of the board");
        }
        const int side = position.sideToMove;
        if (!HasLegalMove(position.board, size, side)) {
            if (!HasLegalMove(position.board, size, Opponent(side))) {
                throw UsageError("move " + number + ": the game is already over");
            }
            position.sideToMove = Opponent(side);
        }
        const int mover = position.sideToMove;
        if (!IsLegal(position.board, size, *square, mover, Opponent(mover))) {
            throw UsageError("move " + number + ": " + moves[i] + " is not legal for " +
                             SideWord(mover));
        }
        record.AddMove(position, *square, mover, Opponent(mover));
        MakeMove(position.board, size, *square, mover, Opponent(mover));
        position.sideToMove = Opponent(mover);
    }
    WriteNewMatch(record, path, out);
    return 0;
}

}  // namespace

// "match show FILE [--transcript]", "match new --size 8|10 --moves E6,F4,... OUT" and
// "match new [--size 8|10] --transcript f5d6... OUT".
int RunMatchCommand(std::span<const std::string> args, std::ostream& out) {
    if (args.empty()) {
        throw UsageError("expected show or new");
    }
    if (args.front() == "show") {
        return Show(args.subspan(1), out);
    }
    if (args.front() == "new") {
        return New(args.subspan(1), out);
    }
    throw UsageError("unknown match command '" + args.front() + "' (show or new)");
}

}  // namespace velmora
