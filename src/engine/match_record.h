#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/board.h"
#include "engine/game_position.h"

namespace velmora {

// One recorded move with the whole board as it stood before it, so that any earlier
// position comes back exactly without replaying the game. The saved-match file stores
// these 156 bytes as they are laid out here.
struct MoveEntry {
    std::int32_t square = NoMove;
    std::int32_t side = White;
    // The mover's opponent: the side to move next unless it has to pass.
    std::int32_t nextSide = Black;
    Board snapshot{};
};

static_assert(sizeof(MoveEntry) == 156);
static_assert(offsetof(MoveEntry, square) == 0);
static_assert(offsetof(MoveEntry, side) == 4);
static_assert(offsetof(MoveEntry, nextSide) == 8);
static_assert(offsetof(MoveEntry, snapshot) == 12);
static_assert(std::is_trivially_copyable_v<MoveEntry>);

// The end marker that closes the moves list; selecting it means the latest position.
inline constexpr const char* kEndMarker = "*FLAG:EOL*";

// The moves list on screen (or a test's copy of it) follows the record through this.
class MovesListListener {
  public:
    virtual ~MovesListListener() = default;
    virtual void Clear() = 0;
    virtual void InsertLine(int index, const std::string& text) = 0;
    virtual void SelectRow(int row) = 0;
    virtual void Repaint() = 0;
    // Brings the end of the list into view after a move was added.
    virtual void ScrollToBottom() {}
};

// The history of the current match: every move with its snapshot, and which of the
// positions is on screen (current: the position before move current + 1; current ==
// count is the latest). Passes are not recorded; they show as two entries in a row
// with the same side.
class OBoardTracker {
  public:
    explicit OBoardTracker(int size = 8) : size_(size) {}

    int Count() const { return count_; }
    int Current() const { return current_; }
    int Size() const { return size_; }
    const MoveEntry& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
    std::span<const MoveEntry> Moves() const {
        return std::span<const MoveEntry>(entries_).first(static_cast<std::size_t>(count_));
    }

    // The list to keep in step; null detaches it. The record does not own it.
    void SetListener(MovesListListener* listener) { listener_ = listener; }
    MovesListListener* Listener() const { return listener_; }

    // An empty record for a new game of the given size; the list shows only the end marker.
    void NewRecord(int size);
    // Records a move that is about to be played on position.board; moves after the
    // position on screen are dropped first.
    void AddMove(const GamePosition& position, int square, int side, int nextSide);
    bool Undo(GamePosition& position);
    bool Redo(GamePosition& position, bool updateList);
    // Shows the position before move index.
    bool JumpTo(GamePosition& position, int index);
    // Back to the position before the first move, without touching the list.
    void Rewind(GamePosition& position);
    // Drops the moves after the position on screen and rebuilds the list.
    void ContinueFromHere();
    void TruncateToCurrent() { count_ = current_; }
    // Refills the list from the record and selects the given row.
    void RebuildList(int selectedRow);

    // The moves-list line of move index, e.g. " 1.Жёлтые ..... E:6".
    std::string MoveLine(int index) const;

    // Takes over moves read from a file; play stands at the latest position. The
    // listener stays attached and is not told: the caller rebuilds the list.
    void Assign(int size, std::vector<MoveEntry> moves);

  private:
    void Select(int row) const;

    int count_ = 0;
    int current_ = 0;
    int size_;
    std::vector<MoveEntry> entries_;
    MovesListListener* listener_ = nullptr;
};

// Pads a side name to the moves list's 12-character column: one space, then dots.
// Lengths count characters (UTF-8 code points), not bytes.
std::string PadSideName(const std::string& name);
std::size_t Utf8Length(const std::string& text);

}  // namespace velmora
