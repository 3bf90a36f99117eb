#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "engine/board.h"
#include "engine/match_record.h"

namespace velmora {

// Where a value comes from: the exact endgame solver (a final disc difference) or the fast
// search's level-9 evaluation (points of the game's evaluation, not discs).
enum class ValueKind { Solved, Evaluated };

enum class MoveGrade { Best, Inaccuracy, Mistake };

// The fixed grade thresholds: the loss of a move (how much less it is worth than the best
// move) from which it is an inaccuracy or a mistake. Solved values are discs; evaluated ones
// are evaluation points, where a corner is worth 99.
inline constexpr int kSolvedInaccuracyLoss = 2;
inline constexpr int kSolvedMistakeLoss = 6;
inline constexpr int kEvaluatedInaccuracyLoss = 20;
inline constexpr int kEvaluatedMistakeLoss = 60;

MoveGrade GradeOfLoss(ValueKind kind, int loss);

// Evaluated values are kept within this bound (a search that sees a wipe-out scores far
// beyond any evaluation).
inline constexpr int kEvaluatedValueLimit = 999;

// One move of the match and what the analysis makes of it. Values are from the mover's side.
struct MoveAnalysis {
    int number = 0;  // 1-based
    int square = NoMove;
    int side = White;
    ValueKind kind = ValueKind::Solved;
    int valueBefore = 0;  // the position before the move, which is also the best move's value
    int bestSquare = NoMove;
    int playedValue = 0;
    int loss = 0;
    MoveGrade grade = MoveGrade::Best;
};

// The value of a position from the yellows' (White's) side.
struct PositionValue {
    ValueKind kind = ValueKind::Solved;
    int value = 0;
};

struct MatchAnalysis {
    int size = 8;
    std::vector<MoveAnalysis> moves;
    // The start position, then the position after each move: count + 1 values.
    std::vector<PositionValue> positions;
};

struct AnalysisOptions {
    // Positions with at most this many empty squares are solved exactly; 0 means the default
    // for the board size.
    int solveEmpties = 0;
    int evaluationLevel = 9;
};

// The most empties the solver takes on in about a second at worst: 20 on 8 x 8, 18 on
// 10 x 10 (measured with velmora-engine solve --bench).
int DefaultSolveEmpties(int size);

// The positions an analysis looks at: the start, and the position after each move.
int AnalysisSteps(std::span<const MoveEntry> moves);

// Analyses the moves of a match (as the record holds them: each with the board before it).
// Calls progress(done, total) after each position; nothing when stop is set (it is polled
// throughout). Shares nothing with the game's search: any thread may run it.
std::optional<MatchAnalysis> AnalyseMatch(int size, std::span<const MoveEntry> moves,
                                          const AnalysisOptions& options,
                                          const std::atomic<bool>* stop,
                                          const std::function<void(int, int)>& progress = {});

}  // namespace velmora
