// libFuzzer target for a network connection as a whole: random reads (letters, digits, random
// bytes, split and joined at random, quick or slow) go through the decoder and the call
// set-up's stage machine of one side, which runs against a fake game and a fake player.
// Nothing may crash, nothing may grow without bound, and no move may be played out of turn.
// Built by scripts/fuzz-net-connection.sh with clang.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/board.h"
#include "engine/rules.h"
#include "net/protocol_decoder.h"
#include "net/protocol_stage.h"

namespace {

using namespace velmora;

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// The fuzzer's bytes, read as a script.
class Script {
  public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return pos_ >= size_; }
    unsigned Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string_view Bytes(std::size_t count) {
        count = std::min(count, size_ - pos_);
        const std::string_view bytes(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return bytes;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// One side of a connection: the stage machine, its decoder, and a game of its own.
class Side {
  public:
    Side(NetRole role, bool callAsWhite, bool callOn8x8, Script& script)
        : role_(role),
          decoder_(role, 8, [this] { return now_; }),
          script_(script),
          callSide_(callAsWhite ? White : Black),
          callSize_(callOn8x8 ? 8 : 10) {
        InitBoard(board_, size_);
        Connect();
    }

    void Connect() {
        connected_ = true;
        if (role_ == NetRole::Caller) {
            localSide_ = callSide_;
            nextSize_ = callSize_;
            stage_.CallerConnected();
        } else {
            stage_.AnswererConnected();
        }
        decoder_.SetBoardSize(size_);
    }

    void Read(std::string_view bytes, std::chrono::milliseconds after) {
        now_ += after;
        const auto messages = decoder_.Feed(bytes);
        Check(messages.size() <= NetMessageDecoder::kMaxMessagesPerRead);
        Check(decoder_.PendingBytes() <= 1 + 10 * 10);
        for (const NetMessage& message : messages) {
            Check(RoleAccepts(role_, LetterOf(message)));
            Handle(message);
            CheckState();
        }
    }

    void LocalMove() {
        if (!networkGame_ || gameOver_ || sideToMove_ != localSide_) {
            return;
        }
        for (const int square : MoveOrder(size_)) {
            if (IsLegal(board_, size_, square, sideToMove_, Opponent(sideToMove_))) {
                MakeMove(board_, size_, square, sideToMove_, Opponent(sideToMove_));
                HandOver();
                return;
            }
        }
    }

    void LocalRestart() {
        if (networkGame_) {
            StartGame();
        }
    }

    void ConnectionClosed() {
        stage_.Reset();
        decoder_.Reset();
        networkGame_ = false;
        connected_ = false;
        CheckState();
        Connect();
    }

  private:
    void Handle(const NetMessage& message) {
        const NetGameState game{connected_, networkGame_, sideToMove_, localSide_};
        switch (stage_.Decide(role_, message, game)) {
            case NetAction::AskCall: {
                Check(role_ == NetRole::Answerer && !networkGame_);
                const auto& request = std::get<NetCallRequest>(message);
                Check(request.boardSize == 8 || request.boardSize == 10);
                localSide_ = request.callerSide == White ? Black : White;
                nextSize_ = request.boardSize;
                const bool accepted = (script_.Byte() & 1) != 0;
                Check(stage_.Answered(accepted));
                Check(!stage_.Answered(accepted));  // one answer only
                connected_ = accepted;
                break;
            }
            case NetAction::StartAccepted:
                Check(role_ == NetRole::Caller);
                StartGame();
                break;
            case NetAction::StartOnGo:
                Check(role_ == NetRole::Answerer);
                StartGame();
                break;
            case NetAction::Restart:
                Check(networkGame_);
                StartGame();
                break;
            case NetAction::PlayMove: {
                // The heart of it: only the peer's move, in its turn, in a game that runs.
                Check(networkGame_ && sideToMove_ != localSide_);
                // Messages of one read are framed before any of them is handled, so a move
                // behind a start on the other size carries a square of the old size: the game
                // goes by the column and row, as the window does.
                const auto& move = std::get<NetMove>(message);
                const int square = NetMoveSquare(size_, move.column, move.row);
                Check(square == NoMove || IsPlayingSquare(size_, square));
                const int player = sideToMove_;
                if (!gameOver_ && square != NoMove &&
                    IsLegal(board_, size_, square, player, Opponent(player))) {
                    MakeMove(board_, size_, square, player, Opponent(player));
                    HandOver();
                }
                break;
            }
            case NetAction::Declined:
            case NetAction::Busy:
                Check(role_ == NetRole::Caller && stage_.Stage() == NetStage::None);
                connected_ = false;
                break;
            case NetAction::ShowText:
                Check(connected_);
                break;
            case NetAction::ShowField: {
                // Framed by the size the read began with (see PlayMove).
                const auto& field = std::get<NetField>(message);
                Check(field.boardText.size() == 64 || field.boardText.size() == 100);
                break;
            }
            case NetAction::AnswerField:
            case NetAction::Ignore:
                break;
        }
    }

    void StartGame() {
        size_ = nextSize_;
        InitBoard(board_, size_);
        sideToMove_ = White;
        gameOver_ = false;
        networkGame_ = true;
        decoder_.SetBoardSize(size_);
    }

    // Passes are found by each side itself.
    void HandOver() {
        sideToMove_ = Opponent(sideToMove_);
        if (!HasLegalMove(board_, size_, sideToMove_)) {
            sideToMove_ = Opponent(sideToMove_);
            gameOver_ = !HasLegalMove(board_, size_, sideToMove_);
        }
    }

    void CheckState() const {
        Check(networkGame_ == (stage_.Stage() == NetStage::Started));
        Check(decoder_.BoardSize() == size_);
    }

    NetRole role_;
    std::chrono::steady_clock::time_point now_{};
    NetMessageDecoder decoder_;
    Script& script_;
    NetCallStage stage_;
    int callSide_;
    int callSize_;
    int nextSize_ = 8;
    int size_ = 8;
    int localSide_ = White;
    int sideToMove_ = White;
    bool connected_ = false;
    bool networkGame_ = false;
    bool gameOver_ = false;
    Board board_{};
};

}  // namespace

// The script: one byte of set-up (role, the caller's colour and size), then steps. A step's
// first byte picks it: mostly a read (its length, the pause before it in fifths of a
// second, its bytes), else a local move, a local restart, or the connection closing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Script script(data, size);
    const unsigned setup = script.Byte();
    Side side((setup & 1) != 0 ? NetRole::Caller : NetRole::Answerer, (setup & 2) != 0,
              (setup & 4) != 0, script);
    while (!script.Done()) {
        const unsigned step = script.Byte() % 8;
        if (step < 5) {
            const std::size_t length = script.Byte() % 120;
            const auto pause = std::chrono::milliseconds(200 * (script.Byte() % 4));
            side.Read(script.Bytes(length), pause);
        } else if (step == 5) {
            side.LocalMove();
        } else if (step == 6) {
            side.LocalRestart();
        } else {
            side.ConnectionClosed();
        }
    }
    return 0;
}
