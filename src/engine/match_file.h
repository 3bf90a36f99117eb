#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/game_position.h"
#include "engine/match_record.h"

namespace velmora {

// The game settings a saved match carries: who plays which colour, against whom, whether
// the game counts, and the computer's strength.
struct MatchSettings {
    int computerSide = Black;
    bool versusComputer = true;
    bool training = false;
    bool novice = true;
    bool advanced = false;
    int level = 1;

    bool operator==(const MatchSettings&) const = default;
};

// The same settings as a file of some version holds them: the older versions lack the
// later fields, and a missing field leaves the player's present choice alone.
struct StoredMatchSettings {
    int computerSide = Black;
    bool versusComputer = true;
    std::optional<bool> training;  // versions 1 and 2
    std::optional<bool> novice;    // version 2
    std::optional<bool> advanced;  // version 2
    std::optional<int> level;      // version 2

    void ApplyTo(MatchSettings& settings) const;
};

// The version this program writes; it reads 0, 1 and 2.
inline constexpr int kMatchFileVersion = 2;

// A whole saved match as read from a file.
struct SavedMatch {
    int version = kMatchFileVersion;
    int size = 8;
    std::vector<MoveEntry> moves;
    StoredMatchSettings settings;
};

// Why bytes were refused. Everything the board and search code could trip over is here.
enum class MatchProblem {
    None,
    BadSignature,
    EndsEarly,
    TrailingBytes,
    BadSize,
    BadCount,
    BadSquare,
    BadSide,
    BadNextSide,
    BadSnapshot,
    IllegalMove,
    BrokenChain,
    BadComputerSide,
    BadFlag,
    BadLevel,
};

struct MatchDecodeResult {
    std::optional<SavedMatch> match;
    MatchProblem problem = MatchProblem::None;
    // 1-based number of the move the problem was found in; 0 when it is not in a move.
    int moveNumber = 0;
};

inline constexpr std::size_t kMatchHeaderBytes = 12;
inline constexpr std::size_t kMoveEntryBytes = 156;
// Length of a file of the given version after its moves.
std::size_t MatchTailBytes(int version);
// The longest file a valid match can have: every square of a 10 x 10 board played.
std::size_t MaxMatchFileBytes();

// The version 2 layout: "2ZVQ", size, count, the entries, then the settings.
std::vector<std::uint8_t> EncodeMatch(int size, std::span<const MoveEntry> moves,
                                      const MatchSettings& settings);
// Reads any version and checks every field; nothing is returned unless all are sound.
MatchDecodeResult DecodeMatch(std::span<const std::uint8_t> bytes);

// The Russian wording of a problem, as it follows the file's name in a message.
std::string MatchProblemText(MatchProblem problem, int moveNumber);

struct MatchReadResult {
    std::optional<SavedMatch> match;
    // A message for the player naming the file; empty on success.
    std::string error;
};

// Opens only regular files; a pipe or a device is refused without waiting on it.
MatchReadResult ReadMatchFile(const std::filesystem::path& path);

// Writes a version 2 file. The bytes go to a temporary file beside the target that then
// replaces it, so a failed save leaves any earlier file whole. A symbolic link is written
// through to its file; a target that is not a regular file, or is read-only, is refused, and
// so is a record that the reader would refuse. Returns false with a message for the player
// when the file could not be written.
bool WriteMatch(const OBoardTracker& record, const MatchSettings& settings,
                const std::filesystem::path& path, std::string* error);

// The engine's part of opening a saved match: the record takes the file's moves (the list
// is rebuilt with row 0 selected), the position switches to the file's board size and
// rewinds to before the first move, and the settings take what the file holds. Reads
// into a fresh record, so on failure nothing changes and error holds the message.
bool LoadMatch(const std::filesystem::path& path, OBoardTracker& record, GamePosition& position,
               MatchSettings& settings, std::string* error);
// The same steps for a match already read.
void ApplySavedMatch(SavedMatch match, OBoardTracker& record, GamePosition& position,
                     MatchSettings& settings);

}  // namespace velmora
