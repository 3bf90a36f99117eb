// libFuzzer target for the transcript reader: whatever it accepts must be a legal game that
// comes back the same when written and read again, and whatever it refuses must say why.
// Built by scripts/fuzz-match-file.sh with clang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/rules.h"
#include "engine/transcript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TranscriptReadResult read = ReadTranscript(text);
    if (!read.game) {
        if (read.problem == TranscriptProblem::None || read.error.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const TranscriptGame& game = *read.game;
    Board board;
    InitBoard(board, game.size);
    for (const MoveEntry& entry : game.moves) {
        if (entry.snapshot != board || entry.nextSide != Opponent(entry.side) ||
            !IsLegal(board, game.size, entry.square, entry.side, entry.nextSide)) {
            __builtin_trap();
        }
        MakeMove(board, game.size, entry.square, entry.side, entry.nextSide);
    }
    const TranscriptReadResult again =
        ReadTranscript(WriteTranscript(game.size, game.moves), game.size);
    if (!again.game || again.game->moves.size() != game.moves.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        if (again.game->moves[i].square != game.moves[i].square ||
            again.game->moves[i].side != game.moves[i].side) {
            __builtin_trap();
        }
    }
    return 0;
}
