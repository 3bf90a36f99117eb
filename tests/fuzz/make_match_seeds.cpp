// Writes valid saved matches of every version and both sizes into a folder, as the
// fuzzer's starting corpus.
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "engine/match_file.h"
#include "engine/rules.h"

int main(int argc, char** argv) {
    using namespace velmora;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_match_seeds FOLDER\n");
        return 2;
    }
    std::mt19937 random(7);
    for (const int size : {8, 10}) {
        for (const int moves : {0, 1, 5, 30, 200}) {
            OBoardTracker record(size);
            GamePosition position;
            position.Reset(size);
            for (int i = 0; i < moves; ++i) {
                std::vector<int> legal;
                for (int side : {position.sideToMove, Opponent(position.sideToMove)}) {
                    for (const int square : MoveOrder(size)) {
                        if (IsLegal(position.board, size, square, side, Opponent(side))) {
                            legal.push_back(square);
                        }
                    }
                    if (!legal.empty()) {
                        position.sideToMove = side;
                        break;
                    }
                }
                if (legal.empty()) {
                    break;
                }
                const int side = position.sideToMove;
                const int square = legal[random() % legal.size()];
                record.AddMove(position, square, side, Opponent(side));
                MakeMove(position.board, size, square, side, Opponent(side));
                position.sideToMove = Opponent(side);
            }
            const auto bytes = EncodeMatch(size, record.Moves(), MatchSettings{});
            for (const int version : {0, 1, 2}) {
                const std::string name = std::string(argv[1]) + "/seed-" + std::to_string(size) +
                                         "-" + std::to_string(moves) + "-v" +
                                         std::to_string(version) + ".qvz";
                std::ofstream out(name, std::ios::binary);
                const std::size_t length =
                    bytes.size() - MatchTailBytes(2) + MatchTailBytes(version);
                std::string data(bytes.begin(), bytes.begin() + static_cast<long>(length));
                data[0] = static_cast<char>('0' + version);
                out << data;
            }
        }
    }
    return 0;
}
