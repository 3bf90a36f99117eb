#include "engine/match_analysis.h"

#include <algorithm>

#include "engine/endgame_solver.h"
#include "engine/fast_search.h"
#include "engine/rules.h"

namespace velmora {

MoveGrade GradeOfLoss(ValueKind kind, int loss) {
    const bool solved = kind == ValueKind::Solved;
    if (loss >= (solved ? kSolvedMistakeLoss : kEvaluatedMistakeLoss)) {
        return MoveGrade::Mistake;
    }
    if (loss >= (solved ? kSolvedInaccuracyLoss : kEvaluatedInaccuracyLoss)) {
        return MoveGrade::Inaccuracy;
    }
    return MoveGrade::Best;
}

int DefaultSolveEmpties(int size) {
    return size == 10 ? 18 : 20;
}

int AnalysisSteps(std::span<const MoveEntry> moves) {
    return static_cast<int>(moves.size()) + 1;
}

namespace {

struct Position {
    Board board{};
    int sideToMove = White;
};

// The position before move k, or after the last move when k is the count.
Position PositionAt(int size, std::span<const MoveEntry> moves, std::size_t k) {
    if (k < moves.size()) {
        return {moves[k].snapshot, moves[k].side};
    }
    const MoveEntry& last = moves.back();
    Position after{last.snapshot, last.nextSide};
    MakeMove(after.board, size, last.square, last.side, last.nextSide);
    if (!HasLegalMove(after.board, size, last.nextSide) &&
        HasLegalMove(after.board, size, last.side)) {
        after.sideToMove = last.side;
    }
    return after;
}

struct Valued {
    ValueKind kind = ValueKind::Solved;
    int value = 0;  // the side to move's
    int best = NoMove;
};

int ClampEvaluation(int value) {
    return std::clamp(value, -kEvaluatedValueLimit, kEvaluatedValueLimit);
}

class Analyser {
  public:
    Analyser(int size, const AnalysisOptions& options, const std::atomic<bool>* stop)
        : size_(size),
          solveEmpties_(options.solveEmpties > 0 ? options.solveEmpties
                                                 : DefaultSolveEmpties(size)),
          level_(options.evaluationLevel),
          stop_(stop),
          solver_(size) {}

    bool Stopped() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    Valued Value(const Position& p) {
        if (EmptySquareCount(p.board, size_) <= solveEmpties_) {
            const SolveResult r = solver_.Solve(p.board, p.sideToMove, stop_);
            return {ValueKind::Solved, r.value, r.move};
        }
        const SearchResult r = Evaluate(p.board, p.sideToMove, level_);
        return {ValueKind::Evaluated, ClampEvaluation(r.value), r.move};
    }

    // The played move's value for the mover at the depth the best move was searched: the
    // position after it, one ply shallower.
    int EvaluatedAfter(const Board& after, int mover) {
        return ClampEvaluation(-Evaluate(after, Opponent(mover), level_ - 1).value);
    }

  private:
    SearchResult Evaluate(const Board& board, int side, int level) {
        const SearchSettings settings{level, false, false};
        return size_ == 10 ? FastSearchOn<10>(board, side, settings, stop_)
                           : FastSearchOn<8>(board, side, settings, stop_);
    }

    int size_;
    int solveEmpties_;
    int level_;
    const std::atomic<bool>* stop_;
    EndgameSolver solver_;
};

}  // namespace

std::optional<MatchAnalysis> AnalyseMatch(int size, std::span<const MoveEntry> moves,
                                          const AnalysisOptions& options,
                                          const std::atomic<bool>* stop,
                                          const std::function<void(int, int)>& progress) {
    MatchAnalysis analysis;
    analysis.size = size;
    const int total = AnalysisSteps(moves);
    if (moves.empty()) {
        analysis.positions.push_back({ValueKind::Solved, 0});
        return analysis;
    }
    Analyser analyser(size, options, stop);
    const std::size_t count = moves.size();
    analysis.positions.resize(count + 1);
    analysis.moves.resize(count);
    // From the end back: the solver's table then already holds much of each earlier tree,
    // and the position after each move has its value before the move is looked at.
    Position after;
    for (std::size_t k = count + 1; k-- > 0;) {
        const Position position = PositionAt(size, moves, k);
        const Valued value = analyser.Value(position);
        if (analyser.Stopped()) {
            return std::nullopt;
        }
        const int sign = position.sideToMove == White ? 1 : -1;
        analysis.positions[k] = {value.kind, sign * value.value};
        if (k < count) {
            const MoveEntry& entry = moves[k];
            MoveAnalysis& line = analysis.moves[k];
            line.number = static_cast<int>(k) + 1;
            line.square = entry.square;
            line.side = entry.side;
            line.kind = value.kind;
            line.valueBefore = value.value;
            line.bestSquare = value.best;
            const int moverSign = entry.side == White ? 1 : -1;
            if (entry.square == value.best) {
                line.playedValue = value.value;
            } else if (value.kind == ValueKind::Solved) {
                // Exact either way: the position after the move has just been solved.
                line.playedValue = moverSign * analysis.positions[k + 1].value;
            } else {
                line.playedValue = analyser.EvaluatedAfter(after.board, entry.side);
                if (analyser.Stopped()) {
                    return std::nullopt;
                }
            }
            line.loss = std::max(0, line.valueBefore - line.playedValue);
            line.grade = GradeOfLoss(line.kind, line.loss);
        }
        after = position;
        if (progress) {
            progress(total - static_cast<int>(k), total);
        }
    }
    return analysis;
}

}  // namespace velmora
