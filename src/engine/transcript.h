#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_position.h"
#include "engine/match_record.h"

namespace velmora {

// A match as players pass it around: one column letter and one number per move, "f5d6c3...",
// passes left out.

// The longest text read as a transcript. A whole 10 x 10 game with move numbers and a pass
// spelt out now and then takes about 2 KB; anything far beyond is not a transcript.
inline constexpr std::size_t kMaxTranscriptBytes = 64 * 1024;

// Lowercase, no separators: "f5d6c3"; on 10 x 10 the letters run a..j and the numbers 1..10.
std::string WriteTranscript(int size, std::span<const MoveEntry> moves);

enum class TranscriptProblem {
    None,
    Empty,          // not a single move
    TooLong,        // longer than kMaxTranscriptBytes
    NotAMove,       // a word that is neither a square nor a pass
    UnknownSquare,  // shaped like a square, but off the board
    IllegalMove,
    NeedlessPass,  // a pass written where the side to move has a move
    AfterTheEnd,   // a move written after the game ended
};

struct TranscriptGame {
    int size = 8;
    std::vector<MoveEntry> moves;
};

struct TranscriptReadResult {
    std::optional<TranscriptGame> game;
    TranscriptProblem problem = TranscriptProblem::None;
    // The bad move's place among the moves and passes written, from 1; 0 when the problem is
    // not in one move.
    int moveNumber = 0;
    // The bad move as written (shortened, made printable).
    std::string moveText;
    // The Russian wording of the problem, to follow a colon: "ход 5 «e6» невозможен: ...".
    std::string error;
};

// Reads a transcript in any letter case, with spaces, commas, semicolons and line breaks
// between moves, move numbers ("1. f5 2. d6"), a result at the end ("33-31", "1-0", "*"),
// and passes written as "pass", "PA" or "--" or left out. The moves are replayed legally
// from the start position. Without a given size the squares decide it: a square beyond
// h8 means 10 x 10, and a transcript that plays on both boards is read as 8 x 8.
TranscriptReadResult ReadTranscript(std::string_view text, std::optional<int> size = {});

struct TranscriptFileResult {
    std::optional<TranscriptGame> game;
    TranscriptProblem problem = TranscriptProblem::None;
    int moveNumber = 0;
    // Holds control characters other than line breaks and tabs: not text at all.
    bool binary = false;
    // A message for the player naming the file; empty on success.
    std::string error;
};

// Reads a transcript file; at most kMaxTranscriptBytes + 1 bytes are read.
TranscriptFileResult ReadTranscriptFile(const std::filesystem::path& path);

// The engine's part of opening a transcript, as LoadMatch does for a saved match: the record
// takes the moves (the list is rebuilt with row 0 selected) and the position switches to the
// game's board size, rewound to before the first move.
void ApplyTranscriptGame(TranscriptGame game, OBoardTracker& record, GamePosition& position);
// ReadTranscript followed by ApplyTranscriptGame; a refused text changes nothing and error
// holds the problem's wording.
bool LoadTranscript(std::string_view text, OBoardTracker& record, GamePosition& position,
                    std::string* error);

}  // namespace velmora
