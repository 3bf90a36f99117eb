#include "engine/random_positions.h"

#include <random>

#include "engine/rules.h"
#include "engine/search.h"

namespace velmora {

std::vector<SampledPosition> SampleRandomPositions(int size, std::size_t count,
                                                   std::uint32_t seed) {
    std::mt19937 rng(seed);
    // rng() % n rather than a distribution: distributions differ between libraries.
    const auto chance = [&rng](unsigned percent) { return rng() % 100U < percent; };
    std::vector<SampledPosition> positions;
    positions.reserve(count);
    std::vector<int> moves;
    while (positions.size() < count) {
        SampledPosition position;
        position.size = size;
        InitBoard(position.board, size);
        const unsigned greedyPercent = chance(50) ? 0U : 40U;
        for (;;) {
            if (chance(12)) {
                positions.push_back(position);
                if (positions.size() == count) {
                    break;
                }
            }
            const int side = position.sideToMove;
            moves.clear();
            for (const int square : MoveOrder(size)) {
                if (IsLegal(position.board, size, square, side, Opponent(side))) {
                    moves.push_back(square);
                }
            }
            if (moves.empty()) {
                if (!HasLegalMove(position.board, size, Opponent(side))) {
                    // Finished games are worth keeping too.
                    if (chance(25)) {
                        positions.push_back(position);
                    }
                    break;
                }
                position.sideToMove = Opponent(side);
                continue;
            }
            int move = moves[rng() % moves.size()];
            if (chance(greedyPercent)) {
                int mostFlips = -1;
                for (const int candidate : moves) {
                    Board after = position.board;
                    MakeMove(after, size, candidate, side, Opponent(side));
                    int mine = 0;
                    for (const int square : SquareList(size)) {
                        mine += after[square] == side ? 1 : 0;
                    }
                    if (mine > mostFlips) {
                        mostFlips = mine;
                        move = candidate;
                    }
                }
            }
            MakeMove(position.board, size, move, side, Opponent(side));
            position.sideToMove = Opponent(side);
        }
    }
    positions.resize(count);
    return positions;
}

std::vector<SampledPosition> SampleRandomBoards(int size, std::size_t count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<SampledPosition> boards(count);
    for (SampledPosition& position : boards) {
        position.size = size;
        InitBoard(position.board, size);
        const unsigned emptyPercent = 20 + rng() % 70;
        // Now and then one side is nearly gone.
        const unsigned whitePercent = rng() % 4 == 0 ? rng() % 6 : rng() % 4 == 0 ? 95 : 50;
        for (const int square : SquareList(size)) {
            const bool empty = rng() % 100 < emptyPercent;
            const bool white = rng() % 100 < whitePercent;
            position.board[static_cast<std::size_t>(square)] = empty   ? Empty
                                                               : white ? White
                                                                       : Black;
        }
        position.sideToMove = rng() % 2 == 0 ? White : Black;
    }
    return boards;
}

std::vector<SampledPosition> SampleSelfPlayPositions(int size, bool advanced, int level,
                                                     std::size_t count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    const SearchFunction search = SelectSearch(size, EngineKind::Fast);
    const SearchSettings settings = SearchSettings::FromShownLevel(level, advanced);
    std::vector<SampledPosition> positions;
    positions.reserve(count);
    std::vector<int> moves;
    while (positions.size() < count) {
        SampledPosition position;
        position.size = size;
        InitBoard(position.board, size);
        const unsigned randomPlies = 2 + rng() % 6;
        // About six positions a game, spread over all of it.
        const unsigned takePercent = size == 8 ? 10 : 6;
        for (;;) {
            const int side = position.sideToMove;
            const bool canMove = HasLegalMove(position.board, size, side);
            if (!canMove && !HasLegalMove(position.board, size, Opponent(side))) {
                break;
            }
            if (static_cast<unsigned>(position.ply) >= randomPlies && rng() % 100 < takePercent) {
                positions.push_back(position);
                if (positions.size() == count) {
                    break;
                }
            }
            int move = NoMove;
            if (canMove && static_cast<unsigned>(position.ply) < randomPlies) {
                moves.clear();
                for (const int square : MoveOrder(size)) {
                    if (IsLegal(position.board, size, square, side, Opponent(side))) {
                        moves.push_back(square);
                    }
                }
                move = moves[rng() % moves.size()];
            } else if (canMove) {
                move = search(position.board, side, settings, nullptr).move;
            }
            if (move != NoMove) {
                MakeMove(position.board, size, move, side, Opponent(side));
            }
            position.sideToMove = Opponent(side);
            ++position.ply;
        }
    }
    return positions;
}

}  // namespace velmora
