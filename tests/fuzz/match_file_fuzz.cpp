// libFuzzer target for the saved-match reader: whatever it accepts must be safe to load
// and replay. Built by scripts/fuzz-match-file.sh with clang.
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/match_file.h"
#include "engine/rules.h"

namespace {

bool IsSoundBoard(const velmora::Board& board, int size) {
    for (int cell = 0; cell < velmora::kBoardCells; ++cell) {
        if (board[cell] > velmora::Black ||
            (board[cell] == velmora::Border) == velmora::IsPlayingSquare(size, cell)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora;
    MatchDecodeResult result = DecodeMatch(std::span(data, size));
    if (!result.match) {
        if (result.problem == MatchProblem::None) {
            __builtin_trap();
        }
        return 0;
    }
    const int boardSize = result.match->size;
    OBoardTracker record;
    GamePosition position;
    MatchSettings settings;
    ApplySavedMatch(std::move(*result.match), record, position, settings);
    if (settings.level < 1 || settings.level > 9 || !IsSide(settings.computerSide)) {
        __builtin_trap();
    }
    while (record.Redo(position, true)) {
        if (!IsSoundBoard(position.board, boardSize)) {
            __builtin_trap();
        }
    }
    ScanBoard(position.board, boardSize);
    // What was accepted writes back and reads again the same.
    const auto again = DecodeMatch(EncodeMatch(record.Size(), record.Moves(), settings));
    if (!again.match || again.match->moves.size() != static_cast<std::size_t>(record.Count())) {
        __builtin_trap();
    }
    return 0;
}
