// Reading transcripts: a whole 10 x 10 game written with move numbers, the longest texts still
// read (64 KB: move numbers before the game, or nothing but numbers), and a refused 1 MB text.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "engine/rules.h"
#include "engine/transcript.h"

namespace velmora {
namespace {

// A random game to its end, written "1. a1 2. b2 ...".
std::string NumberedGame(int size) {
    std::mt19937 random(5);
    Board board;
    InitBoard(board, size);
    int side = White;
    std::string text;
    for (int number = 1;; ++number) {
        if (!HasLegalMove(board, size, side)) {
            side = Opponent(side);
            if (!HasLegalMove(board, size, side)) {
                return text;
            }
        }
        std::vector<int> squares;
        for (const int square : MoveOrder(size)) {
            if (IsLegal(board, size, square, side, Opponent(side))) {
                squares.push_back(square);
            }
        }
        const int square = squares[random() % squares.size()];
        MakeMove(board, size, square, side, Opponent(side));
        text += std::to_string(number) + ". " + static_cast<char>('a' + ColumnOf(size, square)) +
                std::to_string(size - RowOf(size, square)) + " ";
        side = Opponent(side);
    }
}

void Read(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        TranscriptReadResult read = ReadTranscript(text);
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ReadWholeGame10(benchmark::State& state) {
    Read(state, NumberedGame(10));
}
BENCHMARK(BM_ReadWholeGame10);

void BM_ReadLongestText(benchmark::State& state) {
    const std::string game = NumberedGame(10);
    std::string text;
    while (text.size() + 3 + game.size() <= kMaxTranscriptBytes) {
        text += "1. ";
    }
    Read(state, text + game);
}
BENCHMARK(BM_ReadLongestText);

// Words that might be the end of a result, all the way through.
void BM_ReadLongestNumbers(benchmark::State& state) {
    std::string text;
    while (text.size() + 2 <= kMaxTranscriptBytes) {
        text += "1 ";
    }
    Read(state, text);
}
BENCHMARK(BM_ReadLongestNumbers);

void BM_RefuseOneMegabyte(benchmark::State& state) {
    Read(state, std::string(1 << 20, 'e'));
}
BENCHMARK(BM_RefuseOneMegabyte);

}  // namespace
}  // namespace velmora
