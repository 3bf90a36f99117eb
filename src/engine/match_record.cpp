#include "engine/match_record.h"

#include "engine/notation.h"
#include "engine/routines.h"
#include "engine/side_names.h"

namespace velmora {

namespace {

constexpr std::size_t kSideColumn = 12;

}  // namespace

std::size_t Utf8Length(const std::string& text) {
    std::size_t length = 0;
    for (const char c : text) {
        // Continuation bytes 10xxxxxx belong to the character before them.
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return length;
}

std::string PadSideName(const std::string& name) {
    std::string padded = name;
    std::size_t length = Utf8Length(name);
    if (length < kSideColumn) {
        padded += ' ';
        ++length;
    }
    for (; length < kSideColumn; ++length) {
        padded += '.';
    }
    return padded;
}

void OBoardTracker::NewRecord(int size) {
    size_ = size;
    count_ = 0;
    current_ = 0;
    entries_.clear();
    RebuildList(0);
}

void OBoardTracker::AddMove(const GamePosition& position, int square, int side, int nextSide) {
    TruncateToCurrent();
    ++count_;
    entries_.resize(static_cast<std::size_t>(count_));
    MoveEntry& entry = entries_.back();
    entry.square = square;
    entry.side = side;
    entry.nextSide = nextSide;
    entry.snapshot = position.board;
    current_ = count_;
    if (listener_ != nullptr) {
        listener_->InsertLine(count_ - 1, MoveLine(count_ - 1));
        listener_->SelectRow(count_);
        listener_->ScrollToBottom();
    }
}

bool OBoardTracker::Undo(GamePosition& position) {
    if (current_ < 1) {
        return false;
    }
    --current_;
    const MoveEntry& entry = Entry(current_);
    position.board = entry.snapshot;
    position.sideToMove = entry.side;
    position.gameOver = false;
    Select(current_);
    return true;
}

bool OBoardTracker::Redo(GamePosition& position, bool updateList) {
    if (current_ >= count_) {
        if (!updateList) {
            Select(current_);
        }
        return false;
    }
    const MoveEntry& entry = Entry(current_);
    position.board = entry.snapshot;
    position.sideToMove = entry.nextSide;
    // Replayed on its own snapshot, so the result is exact even for a record read from a file.
    SelectRoutines(size_).makeMove(position.board, entry.square, entry.side, entry.nextSide);
    position.openingPending = false;
    ++current_;
    if (updateList) {
        Select(current_);
    }
    return true;
}

bool OBoardTracker::JumpTo(GamePosition& position, int index) {
    if (index < 0 || index >= count_) {
        return false;
    }
    const MoveEntry& entry = Entry(index);
    position.board = entry.snapshot;
    position.sideToMove = entry.side;
    current_ = index;
    Select(index);
    return true;
}

void OBoardTracker::Rewind(GamePosition& position) {
    while (current_ > 0) {
        --current_;
        const MoveEntry& entry = Entry(current_);
        position.board = entry.snapshot;
        position.sideToMove = entry.side;
        position.gameOver = false;
    }
}

void OBoardTracker::ContinueFromHere() {
    TruncateToCurrent();
    RebuildList(current_);
}

void OBoardTracker::RebuildList(int selectedRow) {
    if (listener_ == nullptr) {
        return;
    }
    listener_->Clear();
    listener_->InsertLine(0, kEndMarker);
    for (int i = 0; i < count_; ++i) {
        listener_->InsertLine(i, MoveLine(i));
    }
    Select(selectedRow);
}

std::string OBoardTracker::MoveLine(int index) const {
    if (index < 0 || index >= count_) {
        return {};
    }
    const MoveEntry& entry = Entry(index);
    const int number = index + 1;
    std::string line = number < 10 ? " " : "";
    line += std::to_string(number);
    line += '.';
    line += PadSideName(SideName(entry.side));
    line += ' ';
    line += SquareListName(size_, entry.square);
    return line;
}

void OBoardTracker::Assign(int size, std::vector<MoveEntry> moves) {
    size_ = size;
    entries_ = std::move(moves);
    count_ = static_cast<int>(entries_.size());
    current_ = count_;
}

void OBoardTracker::Select(int row) const {
    if (listener_ != nullptr) {
        listener_->SelectRow(row);
        listener_->Repaint();
    }
}

}  // namespace velmora
